#pragma once

#include <QWidget>

namespace vantaro {
class DrawingTimes;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class CCommentView;
class CGameTreeView;
class CVantaroCEView;

// The frame's client: the board view above the comment pane, and the game
// tree pane below them while View > Game Tree > Show Game Tree is on. Its
// layout is board first (a square board area as wide as the client) or split
// in two halves; a tap on the comment pane switches between the two.
class CMainView : public QWidget {
  Q_OBJECT

 public:
  // options must outlive the view; the board's drawing times go to times (may be null).
  CMainView(const Options& options, DrawingTimes* times, QWidget* parent = nullptr);

  CVantaroCEView* boardView() const { return boardView_; }
  CCommentView* commentPane() const { return commentPane_; }
  CGameTreeView* treePane() const { return treePane_; }
  bool split() const { return split_; }
  void ToggleLayout();
  void ShowTree(bool shown);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Relayout();

  bool split_ = false;
  CVantaroCEView* boardView_;
  CCommentView* commentPane_;
  CGameTreeView* treePane_;
};

}  // namespace vantaro::app
