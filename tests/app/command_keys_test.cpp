#include <QApplication>
#include <QKeySequence>
#include <QSignalSpy>
#include <QTest>

#include <string>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/game_tree_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "desktop_app_fixture.h"

namespace vantaro::test {
namespace {

constexpr char kGame[] =
    "(;GM[1]FF[4]SZ[9]C[start];B[cc]C[one];W[gg];B[cg](;W[gc]C[main];B[ee])(;W[ge];B[ff])(;W[ee]))";

struct KeyCase {
  const char* key;
  const char* item;
};

// Every key of a command, with the menu item whose action it fires.
constexpr KeyCase kKeys[] = {
    {"Ctrl+N", "File/New"},
    {"Ctrl+O", "File/Open..."},
    {"Ctrl+S", "File/Save"},
    {"Ctrl+Shift+S", "File/Save As..."},
    {"Ctrl+P", "File/Print..."},
    {"Ctrl+Q", "File/Exit"},
    {"Ctrl+W", "File/Exit"},
    {"Ctrl+Z", "Edit/Undo"},
    {"Alt+Backspace", "Edit/Undo"},
    {"Ctrl+Y", "Edit/Redo"},
    {"Ctrl+Shift+Z", "Edit/Redo"},
    {"Left", "Move/Previous"},
    {"Right", "Move/Next"},
    {"Up", "Move/Prev Branch"},
    {"Down", "Move/Next Branch"},
    {"Return", "Move/Parent"},
    {"Enter", "Move/Parent"},  // the keypad key,
    {"Home", "Move/First"},
    {"End", "Move/Last"},
    {"PgUp", "Move/Fast Rewind"},
    {"PgDown", "Move/Fast Forward"},
    {"Ctrl+Shift+V", "Edit/Paste Record"},
    {"F6", "View/Next Pane"},
    {"Shift+F6", "View/Previous Pane"},
};

struct Setting {
  const char* layout;
  bool typing;  // the comment pane holds the keyboard
};

std::string Name(const ::testing::TestParamInfo<Setting>& info) {
  std::string name = info.param.layout;
  std::erase(name, ' ');
  return name + (info.param.typing ? "WhileTyping" : "OnTheBoard");
}

class CommandKeysTest : public DesktopAppTest, public ::testing::WithParamInterface<Setting> {
 protected:
  // A record on a node where every keyed command is enabled: the middle of
  // three variations, with an edit to undo and one to redo.
  void Prepare() {
    StartOn("game.sgf", kGame);
    Choose(std::string("View/Layout/") + GetParam().layout);
    for (int i = 0; i < 4; ++i) Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    editor().SetComment(u"first");
    editor().SetComment(u"second");
    editor().Undo();
    ProcessEvents();
    Holder().setFocus(Qt::OtherFocusReason);
    ProcessEvents();
  }

  QWidget& Holder() const {
    app::CMainView& view = app_->frame().mainView();
    return GetParam().typing ? static_cast<QWidget&>(*view.commentPane())
                             : static_cast<QWidget&>(*view.boardView());
  }
};

// A key the comment pane keeps while the user types: no Ctrl or Alt, no
// function key.
bool TypingKey(const QKeyCombination& key) {
  return !(key.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
         (key.key() < Qt::Key_F1 || key.key() > Qt::Key_F35);
}

TEST_P(CommandKeysTest, EveryKeyFiresItsCommandThroughTheMenuAction) {
  for (const KeyCase& key : kKeys) {
    SCOPED_TRACE(key.key);
    Prepare();
    QAction* action = Item(key.item);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    const QKeyCombination combination = QKeySequence::fromString(key.key)[0];
    EXPECT_TRUE(action->shortcuts().contains(QKeySequence(combination)))
        << "the menu shows the key";
    const QSignalSpy fired(action, &QAction::triggered);
    const std::string where = Where();
    QTest::keyClick(&Holder(), combination.key(), combination.keyboardModifiers());
    ProcessEvents();
    const bool kept = GetParam().typing && TypingKey(combination);
    EXPECT_EQ(fired.count(), kept ? 0 : 1);
    if (kept) {
      EXPECT_EQ(Where(), where) << "the key moved the caret, not the record";
    }
    app_.reset();
  }
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, CommandKeysTest,
                         ::testing::Values(Setting{"Board Above Comment", false},
                                           Setting{"Board Above Comment", true},
                                           Setting{"Board Beside Panel", false},
                                           Setting{"Board Beside Panel", true}),
                         Name);

// F6 and Shift+F6 move the keyboard round the shown panes; a command key
// typed in the comment pane reaches the command, a caret key the pane.
TEST_F(DesktopAppTest, F6MovesTheKeyboardBetweenThePanes) {
  StartOn("game.sgf", kGame);
  if (!Item("View/Game Tree/Show Game Tree")->isChecked()) Choose("View/Game Tree/Show Game Tree");
  app::CMainView& view = app_->frame().mainView();
  QWidget* board = view.boardView();
  board->setFocus(Qt::OtherFocusReason);
  ProcessEvents();
  Press(Qt::Key_F6);
  EXPECT_EQ(QApplication::focusWidget(), view.commentPane());
  Press(Qt::Key_F6);
  EXPECT_TRUE(view.treePane()->hasFocus());
  Press(Qt::Key_F6);
  EXPECT_EQ(QApplication::focusWidget(), board);
  Press(Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_TRUE(view.treePane()->hasFocus());
  Press(Qt::Key_Right);
  EXPECT_EQ(Where(), "/1") << "the tree pane steps through the record as the board does";
}

}  // namespace
}  // namespace vantaro::test
