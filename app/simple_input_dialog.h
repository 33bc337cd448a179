#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vantaro::app {

// The one-line input dialog the commands ask for a number or a short text
// with: a prompt above an edit field, "OK" (the default) and "Cancel". The
// caller sets the prompt and the initial value, runs it with exec() and, on
// QDialog::Accepted, reads the value back.
class CDlgSimpleInput : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgSimpleInput(QWidget* parent = nullptr);

  void SetPrompt(const QString& prompt);
  // Shown selected, so that typing replaces it.
  void SetValue(const QString& value);
  QString value() const;

  QLineEdit* edit() const { return edit_; }

 private:
  QLabel* prompt_;
  QLineEdit* edit_;
};

}  // namespace vantaro::app
