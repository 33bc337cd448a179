#include "app/main_view.h"

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/game_tree_view.h"
#include "app/pane_layout.h"

namespace vantaro::app {

CMainView::CMainView(const Options& options, DrawingTimes* times, QWidget* parent)
    : QWidget(parent),
      boardView_(new CVantaroCEView(options, times, this)),
      commentPane_(new CCommentView(options, this)),
      treePane_(new CGameTreeView(options, this)) {
  connect(commentPane_, &CCommentView::tapped, this, &CMainView::ToggleLayout);
  connect(commentPane_, &CCommentView::finished, boardView_,
          [this] { boardView_->setFocus(Qt::OtherFocusReason); });
  connect(treePane_, &CGameTreeView::shownChanged, this, &CMainView::ShowTree);
  treePane_->setVisible(options.showTreePane);
}

void CMainView::ShowTree(bool shown) {
  treePane_->setVisible(shown);
  Relayout();
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
  const PaneLayout layout = ComputePaneLayout(rect(), split_, !treePane_->isHidden());
  boardView_->setGeometry(layout.board);
  commentPane_->setGeometry(layout.comment);
  if (!treePane_->isHidden()) treePane_->setGeometry(layout.tree);
}

}  // namespace vantaro::app
