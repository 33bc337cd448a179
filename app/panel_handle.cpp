#include "app/panel_handle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace vantaro::app {

PanelHandle::PanelHandle(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("panelHandle"));
  setCursor(Qt::SplitHCursor);
}

void PanelHandle::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) grabbedAt_ = event->position().toPoint().x();
}

void PanelHandle::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  emit dragged(mapToParent(event->position().toPoint()).x() - grabbedAt_);
}

void PanelHandle::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  option.state |= QStyle::State_Horizontal;
  style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

}  // namespace vantaro::app
