#include "app/comment_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

#include "editor/go_editor.h"
#include "render/colour.h"

namespace vantaro::app {

CCommentView::CCommentView(const Options& options, QWidget* parent) : QPlainTextEdit(parent) {
  setFrameShape(QFrame::NoFrame);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Undo belongs to the record: the pane's own undo would fight the editor's.
  setUndoRedoEnabled(false);
  setFocusPolicy(Qt::ClickFocus);
  QPalette colours = palette();
  colours.setColor(QPalette::Text, QColor(rutl::ToQRgb(rutl::ColourOf(options.commentColor))));
  colours.setColor(QPalette::Base, QColor(rutl::ToQRgb(rutl::ColourOf(options.commentBackground))));
  setPalette(colours);
  connect(document(), &QTextDocument::contentsChange, this, &CCommentView::Store);
  pause_.setSingleShot(true);
  pause_.setInterval(kTypingPause);
  connect(&pause_, &QTimer::timeout, this, &CCommentView::EndTyping);
}

QString CCommentView::DisplayText(std::u16string_view comment) {
  QString shown;
  shown.reserve(static_cast<qsizetype>(comment.size()));
  for (size_t i = 0; i < comment.size(); ++i) {
    const char16_t unit = comment[i];
    if (unit == u'\r' && i + 1 < comment.size() && comment[i + 1] == u'\n') continue;
    shown.append(unit == u'\r' ? QChar(u'\n') : QChar(unit));
  }
  return shown;
}

std::u16string CCommentView::StoredText(const QString& shown) {
  std::u16string stored;
  stored.reserve(static_cast<size_t>(shown.size()));
  for (const QChar c : shown) {
    if (c == QChar::ParagraphSeparator || c == u'\n') {
      stored += u"\r\n";
    } else {
      stored.push_back(c.unicode());
    }
  }
  return stored;
}

void CCommentView::OnCurrentNodeChanged(int, Node*, Node*) {
  Reload();
}

void CCommentView::OnStatusChanged() {
  FollowEditability();
}

void CCommentView::OnBoardChanged() {
  FollowEditability();
}

void CCommentView::Reload() {
  if (writingComment_) return;
  EndTyping();
  settingText_ = true;
  QString shown = editor() != nullptr ? DisplayText(editor()->Comment()) : QString();
  brokenForShowing_ = BreakLongLines(shown);
  setPlainText(shown);
  blocks_ = document()->blockCount();
  settingText_ = false;
  FollowEditability();
}

void CCommentView::Store(int position, int removed, int added) {
  if (settingText_ || editor() == nullptr) return;
  writingComment_ = true;
  const bool stored = editor()->typing() ? StoreChange(position, removed, added) : StoreWhole();
  writingComment_ = false;
  blocks_ = document()->blockCount();
  pause_.start();
  // Where the record may not be edited the text goes back to what the node
  // holds, so that the pane never shows a comment that was not kept.
  if (!stored && StoredText(document()->toRawText()) != editor()->Comment()) Reload();
}

bool CCommentView::StoreWhole() {
  // The raw text keeps no-break spaces that the plain text would turn into spaces.
  const std::u16string text = StoredText(document()->toRawText());
  return editor()->TypeInComment(0, editor()->Comment().size(), text);
}

bool CCommentView::StoreChange(int position, int removed, int added) {
  // Once a run has stored the whole text every line break is CR LF: a
  // shown position lies one unit further on for each line before it.
  const int characters = document()->characterCount() - 1;
  position = std::min(position, characters);
  added = std::min(added, characters - position);
  QTextCursor span(document());
  span.setPosition(position);
  span.setPosition(position + added, QTextCursor::KeepAnchor);
  const QString shown = span.selectedText();
  const int addedBreaks = static_cast<int>(shown.count(QChar::ParagraphSeparator));
  const int removedBreaks = blocks_ - document()->blockCount() + addedBreaks;
  const size_t from = static_cast<size_t>(position + document()->findBlock(position).blockNumber());
  const size_t gone = static_cast<size_t>(removed + removedBreaks);
  return (removedBreaks >= 0 && editor()->TypeInComment(from, gone, StoredText(shown))) ||
         StoreWhole();
}

void CCommentView::EndTyping() {
  pause_.stop();
  if (editor() != nullptr) editor()->EndTyping();
}

void CCommentView::focusInEvent(QFocusEvent* event) {
  keyboardTakenByClick_ = event->reason() == Qt::MouseFocusReason;
  QPlainTextEdit::focusInEvent(event);
}

void CCommentView::focusOutEvent(QFocusEvent* event) {
  EndTyping();
  QPlainTextEdit::focusOutEvent(event);
}

void CCommentView::FollowEditability() {
  // A comment shown with breaks it does not hold is for reading: typing
  // would store the breaks.
  setReadOnly(editor() == nullptr || !editor()->EditAllowed() || brokenForShowing_);
}

bool CCommentView::BreakLongLines(QString& shown) {
  // Laying out one line costs with its length: a line of megabytes keeps
  // the window from answering for minutes, many short lines do not.
  qsizetype lineStart = 0;
  bool broken = false;
  QString result;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i] == u'\n') {
      lineStart = i + 1;
    } else if (i - lineStart >= kLongestLine) {
      if (!broken) result.reserve(shown.size() + shown.size() / kLongestLine + 1);
      if (!broken) result.append(QStringView(shown).left(i));
      broken = true;
      result.append(u'\n');
      lineStart = i;
    }
    if (broken) result.append(shown[i]);
  }
  if (broken) shown = std::move(result);
  return broken;
}

namespace {

// While the user types, the keys that move the caret, break lines and
// write are the pane's before they are the window's commands; the
// function keys stay the commands'.
bool TypingKey(const QKeyEvent& key) {
  if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  return key.key() < Qt::Key_F1 || key.key() > Qt::Key_F35;
}

}  // namespace

bool CCommentView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (isReadOnly()) return false;
    if (TypingKey(*key)) {
      key->accept();
      return true;
    }
    // Undo and redo are the record's: the key goes on to the command.
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return false;
  }
  return QPlainTextEdit::event(event);
}

void CCommentView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    emit finished();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void CCommentView::mousePressEvent(QMouseEvent* event) {
  // The keyboard comes with the press, before the press itself: a click
  // that places the caret while the user types is no tap.
  const bool tookKeyboard = std::exchange(keyboardTakenByClick_, false);
  QPlainTextEdit::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && tookKeyboard) emit tapped();
}

}  // namespace vantaro::app
