#include "app/simple_input_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program_name.h"

namespace vantaro::app {

CDlgSimpleInput::CDlgSimpleInput(QWidget* parent)
    : QDialog(parent), prompt_(new QLabel(this)), edit_(new QLineEdit(this)) {
  setWindowTitle(kProgramName);
  prompt_->setTextFormat(Qt::PlainText);
  prompt_->setWordWrap(true);
  prompt_->setMinimumWidth(280);
  prompt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  buttons->setCenterButtons(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_, 1);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
}

void CDlgSimpleInput::SetPrompt(const QString& prompt) {
  prompt_->setText(prompt);
}

void CDlgSimpleInput::SetValue(const QString& value) {
  edit_->setText(value);
  edit_->selectAll();
}

QString CDlgSimpleInput::value() const {
  return edit_->text();
}

}  // namespace vantaro::app
