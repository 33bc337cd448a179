#pragma once

#include <QObject>
#include <QTimer>

#include "editor/update_sink.h"

namespace vantaro {
class CVantaroCEDoc;
class RecoveryJournal;
}  // namespace vantaro

namespace vantaro::app {

// Has the document keep its recovery copy a moment after the record
// changes: at once after a quiet second, else a second after the last copy,
// so that copies follow edits within two seconds and come at most once a
// second. The journal writes them in its own thread.
class RecoveryTimer : public QObject, public UpdateSink {
  Q_OBJECT

 public:
  // Both must outlive the timer.
  RecoveryTimer(CVantaroCEDoc& document, const RecoveryJournal& journal, QObject* parent = nullptr);

  void OnHistoryChanged() override { Schedule(); }
  void OnStatusChanged() override { Schedule(); }

 private:
  void Schedule();

  CVantaroCEDoc& document_;
  const RecoveryJournal& journal_;
  QTimer timer_;
};

}  // namespace vantaro::app
