#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include "editor/update_sink.h"

namespace vantaro {
class CVantaroCEDoc;
}  // namespace vantaro

namespace vantaro::app {

// Tells the document when its file may have changed on disk: it watches the
// file and the folder that holds it (a program that saves by renaming
// replaces the file), and lets a burst of changes settle before the
// document looks. What to do about a change is the document's to decide.
class DiskWatcher : public QObject, public UpdateSink {
  Q_OBJECT

 public:
  // The document must outlive the watcher.
  explicit DiskWatcher(CVantaroCEDoc& document, QObject* parent = nullptr);

  // Open, Save As and New change the document's file.
  void OnStatusChanged() override { Watch(); }

 private:
  void Watch();

  CVantaroCEDoc& document_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace vantaro::app
