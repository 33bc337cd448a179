#include "app/board_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/go_editor.h"
#include "render/colour.h"
#include "render/device_context.h"

namespace vantaro::app {

CVantaroCEView::CVantaroCEView(const Options& options, DrawingTimes* times, QWidget* parent)
    : QWidget(parent), options_(options), drawer_(options, times) {
  // The drawer covers every pixel, so nothing is erased before a paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void CVantaroCEView::OnBoardChanged() {
  update();
}

void CVantaroCEView::OnViewOptionsChanged() {
  drawer_.ApplyOptions();
  update();
}

void CVantaroCEView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (editor() == nullptr) {
    painter.fillRect(rect(), QColor(rutl::ToQRgb(rutl::ColourOf(options_.backgroundColor))));
    return;
  }
  rutl::DC dc(painter);
  drawer_.SetBoard(editor());
  drawer_.Layout({0, 0, width(), height()});
  drawer_.Draw(dc);
  emit painted();
}

void CVantaroCEView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && editor() != nullptr) {
    const QPoint at = event->position().toPoint();
    editor()->Click(drawer_.PointFromPixel(at.x(), at.y()));
  }
  // The board takes the keyboard back from the comment pane.
  setFocus(Qt::MouseFocusReason);
  QWidget::mousePressEvent(event);
}

void CVantaroCEView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click arrives as this event, after its
  // first press tapped the point already: it is no tap of its own, or a mark
  // would go again at once.
  event->accept();
}

}  // namespace vantaro::app
