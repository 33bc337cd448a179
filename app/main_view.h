#pragma once

#include <QWidget>

#include "app/window_layout.h"

namespace vantaro {
class DrawingTimes;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class CCommentView;
class CGameTreeView;
class CVantaroCEView;
class PanelHandle;
class SidePanel;
struct WindowSettings;

// The frame's client, in one of two layouts (the windowLayout setting, or
// the client's shape when it is Automatic):
// - board above comment: the board view above the comment pane, board
//   first (a square board area as wide as the client) or split in two
//   halves; a tap on the comment pane switches between the two; the game
//   tree pane below them while View > Game Tree > Show Game Tree is on;
// - board beside panel: the board square on the left and the side panel
//   on the right, with the comment pane and the game tree pane in the
//   panel; a handle between them sets the panel's width, kept in the
//   window settings.
// The comment pane and the game tree pane are the same widgets in both.
class CMainView : public QWidget {
  Q_OBJECT

 public:
  // options and settings must outlive the view; the board's drawing times
  // go to times (may be null).
  CMainView(const Options& options, DrawingTimes* times, WindowSettings& settings,
            QWidget* parent = nullptr);

  CVantaroCEView* boardView() const { return boardView_; }
  CCommentView* commentPane() const { return commentPane_; }
  SidePanel* sidePanel() const { return sidePanel_; }
  WindowLayout layout() const { return layout_; }
  CGameTreeView* treePane() const { return treePane_; }
  bool split() const { return split_; }
  // Board first or halves; only the board-above-comment layout has them.
  void ToggleLayout();
  // The keyboard to the next (1) or previous (-1) shown pane: the board,
  // the comment pane and the game tree, round.
  void MoveKeyboard(int step);
  // Lays the panes out for the client's shape and the layout setting.
  void Relayout();

 signals:
  // The layout in effect became the other one.
  void layoutChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LayOutAbove();
  void LayOutBeside();
  void DragHandleTo(int x);

  const Options& options_;
  WindowSettings& settings_;
  WindowLayout layout_ = WindowLayout::BoardAboveComment;
  bool split_ = false;
  CVantaroCEView* boardView_;
  CCommentView* commentPane_;
  SidePanel* sidePanel_;
  PanelHandle* handle_;
  CGameTreeView* treePane_;
};

}  // namespace vantaro::app
