#pragma once

#include <QWidget>

namespace vantaro {
struct Options;
}

namespace vantaro::app {

class CCommentView;

// The frame's client: the board view above the comment pane. Its layout is
// board first (a square board area as wide as the client) or split in two
// halves; a tap on the comment pane switches between the two.
class CMainView : public QWidget {
  Q_OBJECT

 public:
  // options must outlive the view.
  explicit CMainView(const Options& options, QWidget* parent = nullptr);

  QWidget* boardView() const { return boardView_; }
  CCommentView* commentPane() const { return commentPane_; }
  bool split() const { return split_; }
  void ToggleLayout();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Relayout();

  bool split_ = false;
  QWidget* boardView_;
  CCommentView* commentPane_;
};

}  // namespace vantaro::app
