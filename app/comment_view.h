#pragma once

#include <QPlainTextEdit>
#include <QTimer>

#include <string>

#include "editor/update_sink.h"

namespace vantaro {
struct Options;
}

namespace vantaro::app {

// The pane under the board that shows and edits the comment of the current
// node. Every change the user makes is stored at once in the node, one
// undoable edit for a run of typing; every move of the cursor reloads the text. Two flags break the
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
  // The user pressed the mouse button in the pane while it did not have the
  // keyboard (after the usual handling).
  void tapped();
  // Escape: the user is done typing and the keyboard goes back to the board.
  void finished();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Reload();
  // Breaks the shown lines longer than kLongestLine; true when it did.
  static bool BreakLongLines(QString& shown);
  // Stores what the user changed: the shown characters [position, position +
  // removed) gave way to added ones. A keystroke stores its change alone; the
  // first of a typing run stores the whole text.
  void Store(int position, int removed, int added);
  bool StoreWhole();
  bool StoreChange(int position, int removed, int added);
  // The typing run ends: the next keystroke is another undo step.
  void EndTyping();
  void FollowEditability();

  // A pause this long ends a typing run.
  static constexpr int kTypingPause = 2000;  // ms

  // Longer lines are shown broken, and the comment is then read-only.
  static constexpr qsizetype kLongestLine = 4096;

  QTimer pause_;
  bool brokenForShowing_ = false;
  int blocks_ = 1;  // the shown lines after the last change stored
  bool keyboardTakenByClick_ = false;
  bool settingText_ = false;
  bool writingComment_ = false;
};

}  // namespace vantaro::app
