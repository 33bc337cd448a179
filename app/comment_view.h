#pragma once

#include <QPlainTextEdit>

#include <string>

#include "editor/update_sink.h"

namespace vantaro {
struct Options;
}

namespace vantaro::app {

// The pane under the board that shows and edits the comment of the current
// node. Every change the user makes is stored at once as an undoable edit of
// the node; every move of the cursor reloads the text. Two flags break the
// loop between the two: replacing the text stores nothing, and storing it
// does not reload it.
class CCommentView : public QPlainTextEdit, public UpdateSink {
  Q_OBJECT

 public:
  // options must outlive the pane (its colours are taken once, here).
  explicit CCommentView(const Options& options, QWidget* parent = nullptr);

  void OnCurrentNodeChanged(int reason, Node* current, Node* previous) override;
  void OnStatusChanged() override;
  void OnBoardChanged() override;

  // The comment as the pane shows it: every CR LF, lone CR and lone LF one line break.
  static QString DisplayText(std::u16string_view comment);
  // The pane's text as it is stored: CR LF line breaks.
  static std::u16string StoredText(const QString& shown);

 signals:
  // The user pressed the mouse button in the pane (after the usual handling).
  void tapped();
  // Escape: the user is done typing and the keyboard goes back to the board.
  void finished();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Reload();
  void Store();
  void FollowEditability();

  bool settingText_ = false;
  bool writingComment_ = false;
};

}  // namespace vantaro::app
