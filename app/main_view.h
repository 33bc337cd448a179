#pragma once

#include <QWidget>

namespace vantaro {
class DrawingTimes;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class CCommentView;
class CVantaroCEView;

// The frame's client: the board view above the comment pane. Its layout is
// board first (a square board area as wide as the client) or split in two
// halves; a tap on the comment pane switches between the two.
class CMainView : public QWidget {
  Q_OBJECT

 public:
  // options must outlive the view; the board's drawing times go to times (may be null).
  CMainView(const Options& options, DrawingTimes* times, QWidget* parent = nullptr);

  CVantaroCEView* boardView() const { return boardView_; }
  CCommentView* commentPane() const { return commentPane_; }
  bool split() const { return split_; }
  void ToggleLayout();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Relayout();

  bool split_ = false;
  CVantaroCEView* boardView_;
  CCommentView* commentPane_;
};

}  // namespace vantaro::app
