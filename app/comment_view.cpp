#include "app/comment_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextDocument>

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
  connect(this, &QPlainTextEdit::textChanged, this, &CCommentView::Store);
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
  settingText_ = true;
  setPlainText(editor() != nullptr ? DisplayText(editor()->Comment()) : QString());
  settingText_ = false;
  FollowEditability();
}

void CCommentView::Store() {
  if (settingText_ || editor() == nullptr) return;
  // The raw text keeps no-break spaces that the plain text would turn into spaces.
  const std::u16string text = StoredText(document()->toRawText());
  writingComment_ = true;
  const bool stored = editor()->SetComment(text);
  writingComment_ = false;
  // Where the record may not be edited the text goes back to what the node
  // holds, so that the pane never shows a comment that was not kept.
  if (!stored && text != editor()->Comment()) Reload();
}

void CCommentView::FollowEditability() {
  setReadOnly(editor() == nullptr || !editor()->EditAllowed());
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
  QPlainTextEdit::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit tapped();
}

}  // namespace vantaro::app
