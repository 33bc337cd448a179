#include "app/board_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/go_editor.h"
#include "render/colour.h"
#include "render/device_context.h"

namespace vantaro::app {
namespace {

constexpr size_t kSeparateAreas = 24;

}  // namespace

CVantaroCEView::CVantaroCEView(const Options& options, DrawingTimes* times, QWidget* parent)
    : QWidget(parent), options_(options), drawer_(options, times) {
  // The drawer covers every pixel, so nothing is erased before a paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void CVantaroCEView::SetEditor(GoEditor* editor) {
  UpdateSink::SetEditor(editor);
  requested_.reset();
  update();
}

void CVantaroCEView::OnBoardChanged() {
  if (editor() == nullptr) return update();
  drawer_.SetBoard(editor());
  BoardPicture now = drawer_.Picture();
  const auto areas = requested_ ? drawer_.ChangedAreas(*requested_, now) : std::nullopt;
  // Each area is painted on its own: beyond a few, the whole board is cheaper.
  if (areas && areas->size() <= kSeparateAreas) {
    for (const rutl::Rect& area : *areas) {
      update(QRect(area.left, area.top, area.Width(), area.Height()));
    }
  } else {
    update();
  }
  requested_ = std::move(now);
}

void CVantaroCEView::OnViewOptionsChanged() {
  drawer_.ApplyOptions();
  requested_.reset();
  update();
}

void CVantaroCEView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (editor() == nullptr) {
    painter.fillRect(rect(), QColor(rutl::ToQRgb(rutl::ColourOf(options_.backgroundColor))));
    return;
  }
  rutl::DC dc(painter);
  drawer_.SetBoard(editor());
  drawer_.Layout({0, 0, width(), height()});
  if (event->rect() == rect()) {
    drawer_.Draw(dc);
  } else {
    for (const QRect& area : event->region()) {
      drawer_.DrawArea(dc, {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    }
  }
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
