#include "app/recent_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace vantaro::app {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString EntryKey(int index) {
  return QStringLiteral("File%1").arg(index + 1);
}

std::string Absolute(const std::string& path) {
  const QString name = QFile::decodeName(path.c_str());
  return QFile::encodeName(QFileInfo(name).absoluteFilePath()).toStdString();
}

}  // namespace

void RecentFiles::Load(const QSettings& profile) {
  paths_.clear();
  for (int i = 0; i < kMaxEntries; ++i) {
    const QString path = profile.value(kGroup + u'/' + EntryKey(i)).toString();
    if (!path.isEmpty()) paths_.push_back(QFile::encodeName(path).toStdString());
  }
}

void RecentFiles::Save(QSettings& profile) const {
  profile.remove(kGroup);
  profile.beginGroup(kGroup);
  for (size_t i = 0; i < paths_.size(); ++i) {
    profile.setValue(EntryKey(static_cast<int>(i)), QFile::decodeName(paths_[i].c_str()));
  }
  profile.endGroup();
}

void RecentFiles::Add(const std::string& path) {
  const std::string absolute = Absolute(path);
  std::erase(paths_, absolute);
  paths_.insert(paths_.begin(), absolute);
  if (paths_.size() > kMaxEntries) paths_.resize(kMaxEntries);
}

void RecentFiles::Remove(const std::string& path) {
  std::erase(paths_, Absolute(path));
}

}  // namespace vantaro::app
