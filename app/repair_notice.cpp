#include "app/repair_notice.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "editor/go_editor.h"

namespace vantaro::app {
namespace {

QString NoticeText(std::size_t count) {
  return QStringLiteral("Repaired while reading: %1 %2")
      .arg(count)
      .arg(count == 1 ? QStringLiteral("problem") : QStringLiteral("problems"));
}

}  // namespace

RepairNotice::RepairNotice(QWidget* parent) : QPushButton(parent) {
  setObjectName(QStringLiteral("repairNotice"));
  setFlat(true);
  setCursor(Qt::PointingHandCursor);
  setToolTip(QStringLiteral("What the reading of the file repaired or skipped"));
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setStyleSheet(QStringLiteral("text-align: left"));
  connect(this, &QPushButton::clicked, this, &RepairNotice::ShowProblems);
  hide();
}

QString RepairNotice::ProblemList(const DiagnosticList& problems) {
  QString list;
  for (const Diagnostic& problem : problems.ByOffset()) {
    list +=
        QStringLiteral("%1: %2\n").arg(problem.offset).arg(QString::fromStdString(problem.message));
  }
  if (problems.count() > problems.entries().size()) {
    list += QStringLiteral("... and %1 more\n").arg(problems.count() - problems.entries().size());
  }
  return list;
}

void RepairNotice::SetEditor(GoEditor* editor) {
  UpdateSink::SetEditor(editor);
  Refresh();
}

void RepairNotice::OnStatusChanged() {
  Refresh();
}

void RepairNotice::Refresh() {
  const std::size_t count = editor() != nullptr ? editor()->readProblems().count() : 0;
  if (count > 0) setText(NoticeText(count));
  setVisible(count > 0);
  if (list_ == nullptr) return;
  // An open list follows the record: another reading lists its own problems.
  if (count == 0) {
    list_->close();
  } else {
    FillList();
  }
}

void RepairNotice::FillList() {
  list_->findChild<QPlainTextEdit*>()->setPlainText(ProblemList(editor()->readProblems()));
}

void RepairNotice::ShowProblems() {
  if (editor() == nullptr) return;
  if (list_ == nullptr) {
    list_ = new QDialog(window());
    list_->setAttribute(Qt::WA_DeleteOnClose);
    list_->setObjectName(QStringLiteral("repairList"));
    list_->setWindowTitle(QStringLiteral("Repaired while reading"));
    auto* text = new QPlainTextEdit(list_);
    text->setObjectName(QStringLiteral("problems"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, list_);
    connect(buttons, &QDialogButtonBox::rejected, list_, &QDialog::close);
    auto* layout = new QVBoxLayout(list_);
    layout->addWidget(text);
    layout->addWidget(buttons);
    list_->resize(560, 320);
  }
  FillList();
  list_->show();
  list_->raise();
}

}  // namespace vantaro::app
