#include "app/main_view.h"

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/pane_layout.h"

namespace vantaro::app {

CMainView::CMainView(const Options& options, DrawingTimes* times, QWidget* parent)
    : QWidget(parent),
      boardView_(new CVantaroCEView(options, times, this)),
      commentPane_(new CCommentView(options, this)) {
  connect(commentPane_, &CCommentView::tapped, this, &CMainView::ToggleLayout);
  connect(commentPane_, &CCommentView::finished, boardView_,
          [this] { boardView_->setFocus(Qt::OtherFocusReason); });
}

void CMainView::ToggleLayout() {
  split_ = !split_;
  Relayout();
}

void CMainView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void CMainView::Relayout() {
  const PaneLayout layout = ComputePaneLayout(rect(), split_);
  boardView_->setGeometry(layout.board);
  commentPane_->setGeometry(layout.comment);
}

}  // namespace vantaro::app
