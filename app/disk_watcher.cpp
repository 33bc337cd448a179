#include "app/disk_watcher.h"

#include <QFile>
#include <QFileInfo>

#include "document/vantaro_doc.h"

namespace vantaro::app {
namespace {

// Long enough for a program that writes in several steps to finish.
constexpr int kSettleMilliseconds = 250;

}  // namespace

DiskWatcher::DiskWatcher(CVantaroCEDoc& document, QObject* parent)
    : QObject(parent), document_(document) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&settle_, &QTimer::timeout, this, [this] {
    document_.CheckFileOnDisk();
    Watch();
  });
}

void DiskWatcher::Watch() {
  QStringList wanted;
  if (!document_.path().empty()) {
    const QString file = QFile::decodeName(document_.path().c_str());
    wanted = {file, QFileInfo(file).absolutePath()};
  }
  // A file replaced by another is no longer watched: it is added again.
  QStringList watched = watcher_.files() + watcher_.directories();
  for (const QString& path : watched) {
    if (!wanted.contains(path)) watcher_.removePath(path);
  }
  for (const QString& path : wanted) {
    if (!watched.contains(path) && QFileInfo::exists(path)) watcher_.addPath(path);
  }
}

}  // namespace vantaro::app
