#include "app/text_line.h"

#include <QEvent>
#include <QPainter>

namespace vantaro::app {

TextLine::TextLine(QWidget* parent, Qt::Alignment alignment)
    : QWidget(parent), alignment_(alignment | Qt::AlignVCenter) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // Opaque, so that a new text repaints the line alone and not what lies under it.
  setAutoFillBackground(true);
}

void TextLine::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

QSize TextLine::sizeHint() const {
  return {fontMetrics().averageCharWidth() * 12, fontMetrics().height()};
}

QSize TextLine::minimumSizeHint() const {
  return {0, fontMetrics().height()};
}

void TextLine::changeEvent(QEvent* event) {
  // Another font changes the line's height.
  if (event->type() == QEvent::FontChange) updateGeometry();
  QWidget::changeEvent(event);
}

void TextLine::paintEvent(QPaintEvent*) {
  if (text_.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), static_cast<int>(alignment_),
                   fontMetrics().elidedText(text_, Qt::ElideRight, width()));
}

}  // namespace vantaro::app
