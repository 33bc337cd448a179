#include "app/main_view.h"

#include <QApplication>

#include <algorithm>
#include <vector>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/game_tree_view.h"
#include "app/pane_layout.h"
#include "app/panel_handle.h"
#include "app/side_panel.h"
#include "app/window_settings.h"

namespace vantaro::app {
namespace {

QRect ToRect(const PaneBox& box) {
  return QRect(box.left, box.top, box.width, box.height);
}

}  // namespace

CMainView::CMainView(const Options& options, DrawingTimes* times, WindowSettings& settings,
                     QWidget* parent)
    : QWidget(parent),
      options_(options),
      settings_(settings),
      boardView_(new CVantaroCEView(options, times, this)),
      commentPane_(new CCommentView(options, this)),
      sidePanel_(new SidePanel(options, settings, this)),
      handle_(new PanelHandle(this)),
      treePane_(new CGameTreeView(options, this)) {
  sidePanel_->hide();
  handle_->hide();
  treePane_->hide();
  connect(commentPane_, &CCommentView::tapped, this, &CMainView::ToggleLayout);
  connect(commentPane_, &CCommentView::finished, boardView_,
          [this] { boardView_->setFocus(Qt::OtherFocusReason); });
  connect(handle_, &PanelHandle::dragged, this, &CMainView::DragHandleTo);
  // Show Game Tree is a view setting: the layout in effect shows or hides the pane.
  connect(treePane_, &CGameTreeView::shownChanged, this, &CMainView::Relayout);
}

void CMainView::ToggleLayout() {
  if (layout_ != WindowLayout::BoardAboveComment) return;
  split_ = !split_;
  Relayout();
}

void CMainView::MoveKeyboard(int step) {
  std::vector<QWidget*> panes;
  for (QWidget* pane : std::initializer_list<QWidget*>{boardView_, commentPane_, treePane_}) {
    if (pane->isVisible()) panes.push_back(pane);
  }
  if (panes.empty()) return;
  const auto holder = std::find_if(panes.begin(), panes.end(), [](const QWidget* pane) {
    return pane->hasFocus() || pane->isAncestorOf(QApplication::focusWidget());
  });
  const int count = static_cast<int>(panes.size());
  const int from = holder != panes.end() ? static_cast<int>(holder - panes.begin()) : 0;
  panes[static_cast<size_t>((from + step % count + count) % count)]->setFocus(Qt::TabFocusReason);
}

void CMainView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void CMainView::Relayout() {
  const WindowLayout layout = ResolveWindowLayout(WindowLayoutChoice(options_), width(), height());
  const bool changed = layout != layout_;
  layout_ = layout;
  if (layout == WindowLayout::BoardBesidePanel) {
    LayOutBeside();
  } else {
    LayOutAbove();
  }
  if (changed) emit layoutChanged();
}

void CMainView::LayOutAbove() {
  sidePanel_->hide();
  handle_->hide();
  if (commentPane_->parentWidget() != this) {
    commentPane_->setParent(this);
    commentPane_->show();
  }
  if (treePane_->parentWidget() != this) {
    sidePanel_->SetTreePane(nullptr);
    treePane_->setParent(this);
  }
  treePane_->setVisible(options_.showTreePane);
  const PaneLayout layout =
      ComputePaneLayout({0, 0, width(), height()}, split_, options_.showTreePane);
  boardView_->setGeometry(ToRect(layout.board));
  commentPane_->setGeometry(ToRect(layout.comment));
  if (options_.showTreePane) treePane_->setGeometry(ToRect(layout.tree));
}

void CMainView::LayOutBeside() {
  if (commentPane_->parentWidget() == this) sidePanel_->HoldCommentPane(*commentPane_);
  if (sidePanel_->treePane() != treePane_) sidePanel_->SetTreePane(treePane_);
  treePane_->setVisible(options_.showTreePane);
  const BesideLayout layout =
      ComputeBesideLayout({0, 0, width(), height()}, settings_.sidePanelWidth);
  boardView_->setGeometry(ToRect(layout.board));
  handle_->setGeometry(ToRect(layout.handle));
  sidePanel_->setGeometry(ToRect(layout.panel));
  handle_->show();
  sidePanel_->show();
}

void CMainView::DragHandleTo(int x) {
  settings_.sidePanelWidth = PanelWidthForHandleAt({0, 0, width(), height()}, x);
  Relayout();
}

}  // namespace vantaro::app
