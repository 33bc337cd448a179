#include "app/comment_view.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>

#include <functional>

#include "editor/go_editor.h"
#include "qt_test_support.h"

namespace vantaro::test {
namespace {

using app::CCommentView;

class CommentViewTest : public QtTest {
 protected:
  CommentViewTest() : options_(u"/install"), pane_(options_) {
    options_.defaultCodePage = 65001;
    pane_.resize(300, 120);
    pane_.show();
    // The pane has the keyboard only in the active window.
    QApplication::setActiveWindow(&pane_);
  }
  void Open(std::string_view sgf) {
    editor_ = std::make_unique<GoEditor>(options_);
    pane_.SetEditor(editor_.get());
    auto record = ReadSgfText(sgf);
    editor_->InstallRecord(std::move(record.root), record.codePage);
  }
  std::u16string Shown() const { return pane_.toPlainText().toStdU16String(); }
  void Type(const char* text) {
    pane_.setFocus();
    QTest::keyClicks(&pane_, QString::fromUtf8(text));
  }

  Options options_;
  std::unique_ptr<GoEditor> editor_;
  CCommentView pane_;
};

TEST_F(CommentViewTest, EveryKindOfLineBreakShowsAsOneLineAndAnEditStoresCrLf) {
  Open("(;GM[1]C[one\ntwo\r\nthree\rfour])");
  EXPECT_EQ(pane_.document()->blockCount(), 4);
  EXPECT_EQ(Shown(), u"one\ntwo\nthree\nfour");
  pane_.moveCursor(QTextCursor::End);
  Type("!");
  EXPECT_EQ(editor_->Comment(), u"one\r\ntwo\r\nthree\r\nfour!");
  QTest::keyClick(&pane_, Qt::Key_Return);
  EXPECT_EQ(editor_->Comment(), u"one\r\ntwo\r\nthree\r\nfour!\r\n");
}

TEST_F(CommentViewTest, NavigatingShowsEachCommentStoresNothingAndMakesNoUndoStep) {
  Open("(;GM[1]C[a];B[aa];W[bb]C[c])");
  EXPECT_EQ(Shown(), u"a");
  editor_->Next(1);
  EXPECT_EQ(Shown(), u"");
  editor_->Last();
  EXPECT_EQ(Shown(), u"c");
  editor_->First();
  EXPECT_EQ(Shown(), u"a");
  EXPECT_FALSE(editor_->CanUndo());
  EXPECT_FALSE(editor_->modified());
}

TEST_F(CommentViewTest, Fault11ATypingRunIsOneUndoStepUntilTheUserLeavesThePane) {
  Open("(;GM[1])");
  Type("ab");
  EXPECT_EQ(editor_->Comment(), u"ab");
  EXPECT_EQ(editor_->undoCount(), 1);
  // Storing does not reload the pane: the caret stays where the user types.
  EXPECT_EQ(pane_.textCursor().position(), 2);
  pane_.clearFocus();
  Type("c");
  EXPECT_EQ(editor_->undoCount(), 2) << "leaving the pane ends the run";
  editor_->Undo();
  EXPECT_EQ(Shown(), u"ab");
  editor_->Undo();
  EXPECT_EQ(Shown(), u"");
  editor_->Redo();
  EXPECT_EQ(Shown(), u"ab");
  // After an undo the next keystroke is a step of its own, and clearing
  // the text removes the comment.
  pane_.moveCursor(QTextCursor::End);
  QTest::keyClick(&pane_, Qt::Key_Backspace);
  QTest::keyClick(&pane_, Qt::Key_Backspace);
  EXPECT_EQ(editor_->CurrentNode()->Find(kPropC), nullptr);
  EXPECT_EQ(editor_->undoCount(), 2);
  editor_->Undo();
  EXPECT_EQ(Shown(), u"ab");
}

// A keystroke stores only what it changed: whatever the edit, the node
// holds what the pane shows, with CR LF line breaks.
TEST_F(CommentViewTest, Fault11EveryEditOfARunStoresWhatThePaneShows) {
  struct Edit {
    const char* what;
    std::function<void(CCommentView&)> apply;
  };
  const auto select = [](CCommentView& pane, int from, int to) {
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
  };
  const Edit edits[] = {
      {"type at the end", [](CCommentView& p) { QTest::keyClicks(&p, "xy"); }},
      {"break a line", [](CCommentView& p) { QTest::keyClick(&p, Qt::Key_Return); }},
      {"type on the new line", [](CCommentView& p) { QTest::keyClicks(&p, "z"); }},
      {"join two lines",
       [](CCommentView& p) {
         p.moveCursor(QTextCursor::StartOfBlock);
         QTest::keyClick(&p, Qt::Key_Backspace);
       }},
      {"delete across lines",
       [select](CCommentView& p) {
         select(p, 1, 9);
         QTest::keyClick(&p, Qt::Key_Delete);
       }},
      {"paste several lines",
       [](CCommentView& p) {
         p.moveCursor(QTextCursor::Start);
         p.insertPlainText(QStringLiteral("p\nq\n"));
       }},
      {"replace everything",
       [](CCommentView& p) {
         p.selectAll();
         QTest::keyClicks(&p, "w");
       }},
  };
  Open("(;GM[1]C[one\ntwo\r\nthree\rfour])");
  Type("");
  pane_.moveCursor(QTextCursor::End);
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.what);
    edit.apply(pane_);
    EXPECT_EQ(editor_->Comment(), CCommentView::StoredText(pane_.toPlainText()));
  }
  EXPECT_EQ(editor_->undoCount(), 1);
  editor_->Undo();
  EXPECT_EQ(editor_->Comment(), u"one\ntwo\r\nthree\rfour") << "the run undoes as one";
}

// One unbroken line of megabytes took minutes to lay out: a line that long
// is shown in pieces, for reading only, and the node keeps it whole.
TEST_F(CommentViewTest, Fault14AnUnbrokenLineOfMegabytesShowsInPiecesForReading) {
  const std::string line(20000, 'x');
  Open("(;GM[1]C[" + line + "];C[short])");
  EXPECT_GE(pane_.document()->blockCount(), 5);
  for (QTextBlock block = pane_.document()->begin(); block.isValid(); block = block.next()) {
    EXPECT_LE(block.length(), 4097);
  }
  EXPECT_TRUE(pane_.isReadOnly());
  Type("y");
  EXPECT_EQ(editor_->Comment(), std::u16string(20000, u'x'));
  EXPECT_FALSE(editor_->modified());
  editor_->Next(1);
  EXPECT_EQ(Shown(), u"short");
  EXPECT_FALSE(pane_.isReadOnly()) << "a comment of ordinary lines is edited as before";
}

TEST_F(CommentViewTest, AReadOnlyRecordKeepsItsCommentAndThePaneSaysSo) {
  Open("(;GM[1]C[kept])");
  editor_->SetReadOnly(true);
  static_cast<UpdateSink&>(*editor_).OnStatusChanged();
  EXPECT_TRUE(pane_.isReadOnly());
  Type("x");
  EXPECT_EQ(editor_->Comment(), u"kept");
  EXPECT_EQ(Shown(), u"kept");
  editor_->StartTryPlay();
  EXPECT_FALSE(pane_.isReadOnly());
}

TEST_F(CommentViewTest, CjkAndNoBreakSpacesShowAndSurviveAnEdit) {
  Open("(;GM[1]CA[UTF-8]C[黒番と白番 흑 白棋\xC2\xA0])");
  EXPECT_TRUE(Shown().starts_with(u"黒番と白番 흑 白棋"));
  pane_.moveCursor(QTextCursor::End);
  Type("c");
  EXPECT_EQ(editor_->Comment(), u"黒番と白番 흑 白棋\u00A0c");
}

// The tap that switches the layout is a click while the pane does not have
// the keyboard; clicks that place the caret while the user types are not.
TEST_F(CommentViewTest, Fault4AClickThatPlacesTheCaretWhileTypingIsNoTap) {
  Open("(;GM[1]C[abc])");
  pane_.clearFocus();
  int taps = 0;
  QObject::connect(&pane_, &CCommentView::tapped, [&] { ++taps; });
  QTest::mouseClick(pane_.viewport(), Qt::LeftButton, {}, QPoint(2, 5));
  EXPECT_EQ(taps, 1);
  EXPECT_EQ(pane_.textCursor().position(), 0) << "reported after the caret moved";
  pane_.setFocus();
  QTest::mouseClick(pane_.viewport(), Qt::LeftButton, {}, QPoint(40, 5));
  QTest::mouseDClick(pane_.viewport(), Qt::LeftButton, {}, QPoint(40, 5));
  EXPECT_EQ(taps, 1);
}

}  // namespace
}  // namespace vantaro::test
