#pragma once

#include <QWidget>

namespace vantaro::app {

// One line of text in a pane that may change at every step: a new text
// repaints the line and nothing else (a label would have its window laid
// out again). A text too long for the line ends in "…".
class TextLine : public QWidget {
  Q_OBJECT

 public:
  explicit TextLine(QWidget* parent = nullptr, Qt::Alignment alignment = Qt::AlignLeft);

  const QString& text() const { return text_; }
  void setText(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Alignment alignment_;
  QString text_;
};

}  // namespace vantaro::app
