#pragma once

#include <QPointer>
#include <QPushButton>

#include "editor/update_sink.h"
#include "record/read_diagnostics.h"

class QDialog;

namespace vantaro::app {

// The one-line notice that the reading of the record's file had to repair
// it ("Repaired while reading: 3 problems"); a click lists the problems in
// a window of their own. Hidden while there is nothing to tell.
class RepairNotice : public QPushButton, public UpdateSink {
  Q_OBJECT

 public:
  explicit RepairNotice(QWidget* parent = nullptr);

  // The list the click shows, one problem a line: "OFFSET: message".
  static QString ProblemList(const DiagnosticList& problems);

  void SetEditor(GoEditor* editor) override;
  void OnStatusChanged() override;

 private:
  void Refresh();
  void ShowProblems();
  void FillList();

  QPointer<QDialog> list_;
};

}  // namespace vantaro::app
