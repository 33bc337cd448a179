#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include <functional>
#include <regex>
#include <set>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/recent_files.h"
#include "desktop_app_fixture.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/vantaro_doc.h"

namespace vantaro::test {
namespace {

using Answer = app::Dialogs::SaveAnswer;

constexpr char kGame[] =
    "(;GM[1]FF[4]SZ[9]C[start];B[cc]C[one];W[gg];B[cg](;W[gc]C[main];B[ee])(;W[ge]))";
constexpr char kOtherGame[] = "(;GM[1]SZ[13]C[other];B[dd])";

QString Arg(const std::string& text) {
  return QString::fromStdString(text);
}

TEST_F(DesktopAppTest, TheFileNamedOnTheCommandLineOpensAtStart) {
  const std::string path = directory_.Write("ladder-problem.sgf", kGame);
  Start({Arg(path)});
  EXPECT_EQ(Title(), "ladder-problem.sgf");
  EXPECT_EQ(Where(), "/0");
  EXPECT_EQ(editor().width(), 9);
  EXPECT_EQ(app_->frame().mainView().commentPane()->toPlainText(), "start");
  EXPECT_TRUE(app_->frame().isVisible());
  EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{path});
  // The portrait layout keeps its short title.
  Choose("View/Layout/Board Above Comment");
  EXPECT_EQ(Title(), "ladder-pro...");
}

TEST_F(DesktopAppTest, AnUnreadableFileOnTheCommandLineSaysWhyAndANewRecordStarts) {
  Start({Arg(directory_.PathOf("missing.sgf"))});
  EXPECT_EQ(dialogs_->shown, std::vector<std::string>{"message: missing.sgf does not exist."});
  EXPECT_EQ(Title(), "Untitled");
  EXPECT_TRUE(app_->frame().isVisible());
  EXPECT_TRUE(app_->recentFiles().paths().empty());
}

// A file manager hands every chosen file to one start: each gets a window.
TEST_F(DesktopAppTest, SeveralFilesOnTheCommandLineOpenOneWindowEach) {
  const std::string first = directory_.Write("first.sgf", kGame);
  const std::string second = directory_.Write("second.gib", "STO 0 1 1 3 3\n");
  const std::string third = directory_.Write("-dash.sgf", kOtherGame);
  Start({Arg(first), Arg(second), "--", Arg(third)});
  EXPECT_EQ(Title(), "first.sgf");
  EXPECT_EQ(openedElsewhere_, (std::vector<std::string>{second, third}));
}

TEST_F(DesktopAppTest, JapaneseChineseAndKoreanFileNamesShowInTheTitle) {
  StartOn("本因坊.sgf", "(;GM[1]CA[UTF-8]C[흑])");
  EXPECT_EQ(Title(), "本因坊.sgf");
}

TEST_F(DesktopAppTest, TheHardwareAndDesktopKeysStepThroughTheRecord) {
  StartOn("game.sgf", kGame);
  const struct {
    int key;
    const char* where;
  } steps[] = {
      {Qt::Key_Right, "/1"},
      {Qt::Key_Right, "/2"},
      {Qt::Key_Right, "/3"},
      // Right and Left follow the line being read; Up and Down switch lines.
      {Qt::Key_Right, "0/0"},
      {Qt::Key_Left, "/3"},
      {Qt::Key_Right, "0/0"},
      {Qt::Key_Down, "1/0"},
      {Qt::Key_Up, "0/0"},
      {Qt::Key_Enter, "/3"},
      {Qt::Key_Left, "/2"},
      {Qt::Key_End, "0/1"},
      {Qt::Key_Home, "/0"},
      {Qt::Key_PageDown, "0/1"},
      {Qt::Key_PageUp, "/0"},
      {Qt::Key_Return, "/0"},  // already at the top: Parent is disabled
  };
  for (const auto& step : steps) {
    Press(step.key);
    EXPECT_EQ(Where(), step.where) << "after key " << QTest::toString(step.key);
  }
}

TEST_F(DesktopAppTest, KeysTypeIntoTheCommentPaneWhileItHasTheKeyboard) {
  StartOn("game.sgf", kGame);
  app::CCommentView& pane = *app_->frame().mainView().commentPane();
  QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, QPoint(40, 5));
  ASSERT_TRUE(pane.hasFocus());
  pane.moveCursor(QTextCursor::End);
  Press(Qt::Key_Left);
  Press(Qt::Key_Return);
  EXPECT_EQ(Where(), "/0");
  EXPECT_EQ(editor().Comment(), u"star\r\nt");
  Press(Qt::Key_Escape);
  EXPECT_FALSE(pane.hasFocus());
  Press(Qt::Key_Right);
  EXPECT_EQ(Where(), "/1");
}

TEST_F(DesktopAppTest, TheWheelStepsOverTheBoardANotchAtATime) {
  StartOn("game.sgf", kGame);
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  const auto turn = [&](int delta) {
    QWheelEvent wheel(QPointF(50, 50), board.mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&board, &wheel);
    ProcessEvents();
    return Where();
  };
  EXPECT_EQ(turn(-240), "/2");
  EXPECT_EQ(turn(120), "/1");
  EXPECT_EQ(turn(60), "/1");  // half a notch waits for the other half
  EXPECT_EQ(turn(60), "/0");
}

TEST_F(DesktopAppTest, ATapPlaysAMoveMarksTheTitleAndSounds) {
  StartOn("game.sgf", kGame);
  Press(Qt::Key_End);
  // Sounds keep 200 ms apart: the step to the end made one just now.
  QTest::qWait(250);
  sounds_->played.clear();
  Tap(7, 1);
  EXPECT_NE(editor().Cell(7, 1), 0u);
  EXPECT_EQ(editor().moveNumber(), 6);
  EXPECT_EQ(Title(), "game.sgf *");
  EXPECT_EQ(sounds_->played.size(), 1u);
  EXPECT_TRUE(Item("Edit/Undo")->isEnabled());
}

TEST_F(DesktopAppTest, ATapOnARotatedBoardReachesTheSamePoint) {
  StartOn("empty.sgf", "(;GM[1]SZ[9])");
  Choose("View/Rotate Clockwise");
  Choose("View/Flip Horizontal");
  Tap(1, 7);
  EXPECT_NE(Sgf().find(";B[bh]"), std::string::npos) << Sgf();
}

TEST_F(DesktopAppTest, ATapBesideTheGridChangesNothing) {
  StartOn("empty.sgf", "(;GM[1]SZ[9])");
  // Split, the board area is wider than high, with room beside the grid.
  Choose("View/Layout/Board Above Comment");
  app_->frame().mainView().ToggleLayout();
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  ASSERT_LT(board.drawer().PointFromPixel(1, board.height() / 2).x, 0);
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(1, board.height() / 2));
  ProcessEvents();
  EXPECT_FALSE(editor().modified());
}

// A double-click is one tap, whatever the tool: its second press neither
// takes the mark or stone away again nor makes a second undo step.
class DoubleClickTest : public DesktopAppTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DoubleClickTest, Fault1ADoubleClickOnTheBoardCountsAsOneTap) {
  StartOn("empty.sgf", "(;GM[1]SZ[9])");
  Choose(std::string("Edit/Stones & Markers/") + GetParam());
  DoubleClick(4, 4);
  EXPECT_EQ(editor().undoCount(), 1);
  EXPECT_EQ(Title(), "empty.sgf *");
  EXPECT_NE(Sgf().find("[ee"), std::string::npos) << Sgf();
}

INSTANTIATE_TEST_SUITE_P(Tools, DoubleClickTest,
                         ::testing::Values("Circle", "Add Black", "Add White", "Label"));

// The document's command table decides when a command is enabled or
// checked: every menu item shows the state of its command, in every state
// of the record, and every command has one item.
TEST_F(DesktopAppTest, EveryMenuItemShowsTheStateOfItsCommand) {
  StartOn("game.sgf", kGame);
  const CommandTable table(app_->document());
  const std::regex recentFile("File/([0-9]+ .*|Recent File)");
  const auto expectMirrored = [&](const std::string& state) {
    SCOPED_TRACE(state);
    std::multiset<std::string_view> unbound;
    for (const Command& command : table.commands()) unbound.insert(command.menuText);
    for (const auto& [path, item] : MenuItems()) {
      if (std::regex_match(path, recentFile) || path.starts_with("File/Reopen With Encoding/")) {
        continue;
      }
      const std::string text = item->text().toStdString();
      const auto command = std::find_if(table.commands().begin(), table.commands().end(),
                                        [&](const Command& c) { return c.menuText == text; });
      ASSERT_NE(command, table.commands().end()) << "a menu item without a command: " << path;
      EXPECT_EQ(item->isEnabled(), command->IsEnabled()) << path;
      EXPECT_EQ(item->isChecked(), command->IsChecked()) << path;
      unbound.erase(unbound.find(command->menuText));
    }
    const Command& encoding = *table.Find(command::kReopenWithEncoding);
    EXPECT_EQ(EncodingMenu()->menuAction()->isEnabled(), encoding.IsEnabled());
    unbound.erase(encoding.menuText);
    EXPECT_TRUE(unbound.empty()) << "no menu item for " << ::testing::PrintToString(unbound);
  };
  expectMirrored("at the start");
  Choose("Edit/Read Only");
  expectMirrored("read-only");
  EXPECT_EQ(Title(), "game.sgf R");
  Choose("Edit/Try Play");
  expectMirrored("trying moves read-only");
  Choose("Edit/Try Play");
  Choose("Edit/Read Only");
  Choose("Move/To Clicked");
  expectMirrored("awaiting a click");
  Tap(2, 6);  // the stone of move 3
  EXPECT_EQ(Where(), "/3");
}

TEST_F(DesktopAppTest, MenusShortcutsAndTheCommandBar) {
  StartOn("game.sgf", kGame);
  QStringList menus;
  for (QAction* menu : app_->frame().menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Move", "&View", "&Options"}));
  EXPECT_EQ(Item("File/Open...")->text(), "&Open...\tCtrl+O");
  EXPECT_EQ(Item("Edit/Undo")->shortcuts(),
            QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));

  const QList<QAction*> entries = app_->frame().commandBar().actions();
  ASSERT_EQ(entries.size(), 7);
  EXPECT_TRUE(entries[0]->isSeparator());
  const char* texts[] = {"&Undo\tCtrl+Z", "Fast Rewind",  "&Previous",
                         "&Next",         "Fast Forward", "Try Play"};
  for (int i = 1; i < 7; ++i) {
    EXPECT_EQ(entries[i]->text(), texts[i - 1]);
    EXPECT_FALSE(entries[i]->icon().isNull());
  }
  entries[4]->trigger();  // Next
  ProcessEvents();
  EXPECT_EQ(Where(), "/1");
  EXPECT_TRUE(entries[3]->isEnabled());  // Previous, refreshed after the command
}

TEST_F(DesktopAppTest, ReopenWithEncodingReadsTheFileAgainInTheChosenCodePage) {
  // "Nihon" in Shift-JIS, which the file does not name.
  StartOn("sjis.sgf", "(;GM[1]C[\x93\xfa\x96\x7b])");
  QMenu* menu = EncodingMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "Reopen With &Encoding");
  EncodingItem(1252)->trigger();
  ProcessEvents();
  EXPECT_EQ(editor().Comment(), u"\u201C\u00FA\u2013{");
  EncodingItem(932)->trigger();
  ProcessEvents();
  EXPECT_EQ(app_->frame().mainView().commentPane()->toPlainText(), "日本");
  EXPECT_TRUE(EncodingItem(932)->isChecked());
  EXPECT_FALSE(EncodingItem(1252)->isChecked());
  // Each reading is one step of the record's history.
  Choose("Edit/Undo");
  EXPECT_EQ(editor().codePage(), 1252);
  EXPECT_TRUE(EncodingItem(1252)->isChecked());
}

// The board repaints by itself after every change it shows: nothing here
// paints it but the program.
TEST_F(DesktopAppTest, TheBoardRepaintsAfterAMoveANavigationAndAViewCommand) {
  StartOn("game.sgf", kGame);
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  const QPoint point = PixelOf(4, 4);
  int paints = 0;
  const QObject counting;
  QObject::connect(&board, &app::CVantaroCEView::painted, &counting, [&] { ++paints; });
  const auto paintsAfter = [&](const std::function<void()>& step) {
    ProcessEvents();
    paints = 0;
    step();
    ProcessEvents();
    return paints;
  };
  EXPECT_EQ(paintsAfter([] {}), 0);
  EXPECT_GT(paintsAfter([&] { Press(Qt::Key_Right); }), 0);
  EXPECT_GT(paintsAfter([&] { QTest::mouseClick(&board, Qt::LeftButton, {}, point); }), 0);
  EXPECT_EQ(Title(), "game.sgf *");
  EXPECT_GT(paintsAfter([&] { Choose("View/Show Coordinate"); }), 0);
  EXPECT_TRUE(board.drawer().options().showCoord);
}

// To Clicked on a point where no move was played returns to the normal mode:
// the command bar and the menus follow at once.
TEST_F(DesktopAppTest, Fault2TheCommandBarFollowsTheModeWhenToClickedFindsNoNode) {
  StartOn("game.sgf", kGame);
  Press(Qt::Key_Right);
  QAction* next = app_->frame().commandBar().actions().value(4);
  ASSERT_EQ(next, Item("Move/Next"));
  Choose("Move/To Clicked");
  EXPECT_FALSE(next->isEnabled());
  Tap(8, 0);
  EXPECT_EQ(Where(), "/1");
  EXPECT_TRUE(next->isEnabled());
  EXPECT_TRUE(Item("Move/Previous")->isEnabled());
}

// A comment typed on a record that is already modified changes nothing but
// the history: Redo goes.
TEST_F(DesktopAppTest, TheEnabledStatesFollowAnEditThatChangesOnlyTheHistory) {
  StartOn("game.sgf", kGame);
  Press(Qt::Key_End);
  Tap(0, 0);
  Tap(8, 8);
  Choose("Edit/Undo");
  ASSERT_EQ(Title(), "game.sgf *");
  ASSERT_TRUE(Item("Edit/Redo")->isEnabled());
  app::CCommentView& pane = *app_->frame().mainView().commentPane();
  QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyClicks(&pane, QStringLiteral("x"));
  ProcessEvents();
  EXPECT_EQ(editor().Comment(), u"x");
  EXPECT_FALSE(Item("Edit/Redo")->isEnabled());
  EXPECT_TRUE(Item("Edit/Undo")->isEnabled());
}

TEST_F(DesktopAppTest, CustomSizeAsksAndStartsANewRecordOfThatSize) {
  Start();
  dialogs_->texts = {u"17*15"};
  Choose("Options/Custom Size");
  EXPECT_EQ(dialogs_->shown,
            (std::vector<std::string>{
                "prompt: Input new board size. Board size must be between 2-52. For irregular "
                "board, separate width and height with X or * like \"17*15\". [19]",
                "question: If you change board size, all changes will be discarded. Do you really "
                "want to do that?"}));
  EXPECT_EQ(editor().width(), 17);
  EXPECT_EQ(editor().height(), 15);
  EXPECT_TRUE(Item("Options/Custom Size")->isChecked());
  dialogs_->texts = {u"53"};
  Choose("Options/Custom Size");
  EXPECT_EQ(dialogs_->shown.back(), "message: Invalid board size.");
  EXPECT_EQ(editor().width(), 17);
}

// Cancel at the save question of a board-size change keeps the record and
// the stored size: the next New still makes a board of the old size.
class BoardSizeCancelTest : public DesktopAppTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(BoardSizeCancelTest, Fault3CancelAtTheSaveQuestionOfABoardSizeChangeKeepsTheStoredSize) {
  StartOn("game.sgf", "(;GM[1]SZ[13])");
  app_->options().BoardSizeCX = app_->options().BoardSizeCY = 7;
  Tap(4, 4);
  dialogs_->texts = {u"11"};
  dialogs_->saveAnswers = {Answer::Cancel};
  Choose(std::string("Options/") + GetParam());
  EXPECT_EQ(dialogs_->shown.back(), "save changes: game.sgf");
  EXPECT_EQ(Title(), "game.sgf *");
  EXPECT_EQ(app_->options().BoardSizeCX, 7);
  EXPECT_EQ(app_->options().BoardSizeCY, 7);
  dialogs_->saveAnswers = {Answer::Discard};
  Choose("File/New");
  EXPECT_EQ(editor().width(), 7);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BoardSizeCancelTest,
                         ::testing::Values("9x9 Board", "19x19 Board", "Custom Size"));

TEST_F(DesktopAppTest, SettingsAreSavedAtExitAndLoadedAtTheNextStart) {
  Start();
  Choose("View/Show Coordinate");
  Choose("Options/Play Sound");
  ASSERT_TRUE(Exit());
  const QSettings profile(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro");
  EXPECT_TRUE(profile.value("Performance/CBoardDrawer::Draw").isValid());

  Start();
  EXPECT_TRUE(app_->options().showCoord);
  EXPECT_FALSE(app_->options().playSound);
  EXPECT_TRUE(Item("View/Show Coordinate")->isChecked());
}

TEST_F(DesktopAppTest, AFailedOpenKeepsThePreviousRecordAndShowsTheMessage) {
  const std::string path = directory_.Write("game.sgf", kGame);
  Start({Arg(path)});
  Press(Qt::Key_Right);
  dialogs_->files = {directory_.Write("picture.sgf", "\x89PNG\r\n\x1a\nIHDR\x01\xff")};
  Choose("File/Open...");
  EXPECT_EQ(dialogs_->shown,
            (std::vector<std::string>{"open", "message: picture.sgf is not a game record."}));
  EXPECT_EQ(Title(), "game.sgf");
  EXPECT_EQ(Where(), "/1");
  EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{path});
}

TEST_F(DesktopAppTest, ControlSSavesInPlaceAndClearsTheMark) {
  const std::string path = directory_.Write("game.sgf", kGame);
  Start({Arg(path)});
  Tap(4, 4);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(dialogs_->shown.empty());
  EXPECT_EQ(Title(), "game.sgf");
  EXPECT_NE(ReadFileBytes(path).find("B[ee]"), std::string::npos);
}

// The program dies after an edit (here it ends without closing its window):
// at the next start its record comes back as it was, still to be saved.
TEST_F(DesktopAppTest, AnEditedRecordComesBackAfterTheProgramDied) {
  const std::string path = directory_.Write("game.sgf", kGame);
  Start({Arg(path)});
  Tap(4, 4);
  const std::string edited = Sgf();
  const std::filesystem::path journal = directory_.path() / "state" / "vantaro" / "recovery";
  const auto copies = [&] {
    std::error_code error;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(journal, error)) {
      count += entry.path().extension() == ".sgf" ? 1 : 0;
    }
    return count;
  };
  // The copy follows the edit within two seconds.
  EXPECT_TRUE(QTest::qWaitFor([&] { return copies() > 0; }, 2000));
  app_.reset();
  startAnswers_ = {DocumentUi::Answer::Yes};
  Start();
  ASSERT_EQ(dialogs_->shown.size(), 1u);
  EXPECT_TRUE(
      dialogs_->shown[0].starts_with("question: Restore the unsaved changes to game.sgf from "))
      << dialogs_->shown[0];
  EXPECT_EQ(Title(), "game.sgf *");
  EXPECT_EQ(Sgf(), edited);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFileBytes(path), edited);
  ASSERT_TRUE(Exit());
  app_.reset();  // the journal's last work is done
  EXPECT_EQ(copies(), 0);
}

TEST_F(DesktopAppTest, AFileChangedByAnotherProgramIsNoticedAtOnce) {
  const std::string path = directory_.Write("game.sgf", kGame);
  Start({Arg(path)});
  WriteFileBytes(path, kOtherGame);
  dialogs_->yes = true;
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs_->shown.empty(); }, 3000));
  EXPECT_EQ(dialogs_->shown,
            std::vector<std::string>{"question: game.sgf has changed on disk. Reload it?"});
  EXPECT_EQ(editor().width(), 13);
  EXPECT_EQ(Title(), "game.sgf");
}

// Opening another file on an edited record asks first, however it opens:
// the Open command, the recent-file list or a drop on the window.
class OpenOnModifiedTest : public DesktopAppTest,
                           public ::testing::WithParamInterface<std::string> {
 protected:
  void OpenOther() {
    const std::string other = directory_.PathOf("other.sgf");
    if (GetParam() == "menu") {
      dialogs_->files = {other};
      Choose("File/Open...");
    } else if (GetParam() == "recent") {
      Choose("File/2 " + other);
    } else {
      QMimeData data;
      data.setUrls({QUrl::fromLocalFile(Arg(other))});
      EXPECT_TRUE(Drop(data));
    }
  }
};

TEST_P(OpenOnModifiedTest, CancelKeepsTheEditsAndSaveWritesThemBeforeOpening) {
  StartOn("other.sgf", kOtherGame);  // so that it is the second recent file
  dialogs_->files = {directory_.Write("game.sgf", kGame)};
  Choose("File/Open...");
  Tap(4, 4);
  ASSERT_EQ(Title(), "game.sgf *");
  dialogs_->shown.clear();

  dialogs_->saveAnswers = {Answer::Cancel};
  OpenOther();
  ASSERT_FALSE(dialogs_->shown.empty());
  EXPECT_EQ(dialogs_->shown.back(), "save changes: game.sgf");
  EXPECT_EQ(Title(), "game.sgf *");
  EXPECT_NE(Sgf().find("B[ee]"), std::string::npos);

  dialogs_->saveAnswers = {Answer::Save};
  OpenOther();
  EXPECT_EQ(Title(), "other.sgf");
  EXPECT_NE(ReadFileBytes(directory_.path() / "game.sgf").find("B[ee]"), std::string::npos);
  EXPECT_EQ(app_->recentFiles().paths().front(), directory_.PathOf("other.sgf"));
}

INSTANTIATE_TEST_SUITE_P(Ways, OpenOnModifiedTest, ::testing::Values("menu", "recent", "drop"));

// An SGF text dropped on the window or pasted with Ctrl+Shift+V is a new,
// unsaved record, once the edits of the current one are dealt with; a text
// that holds no game keeps the record.
class TextRecordTest : public DesktopAppTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void Give(const QString& text) {
    if (GetParam() == "paste") {
      QGuiApplication::clipboard()->setText(text);
      Press(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
      return;
    }
    QMimeData data;
    data.setText(text);
    EXPECT_TRUE(Drop(data));
  }
};

TEST_P(TextRecordTest, AnSgfTextOpensAsANewUnsavedRecordAfterTheSaveQuestion) {
  StartOn("game.sgf", kGame);
  Tap(4, 4);
  ASSERT_EQ(Title(), "game.sgf *");
  const QString text = QStringLiteral("(;GM[1]SZ[13]C[\u9ed2 other];B[dd])");
  dialogs_->saveAnswers = {Answer::Cancel};
  Give(text);
  EXPECT_EQ(dialogs_->shown, std::vector<std::string>{"save changes: game.sgf"});
  EXPECT_EQ(Title(), "game.sgf *");
  dialogs_->saveAnswers = {Answer::Discard};
  Give(text);
  EXPECT_EQ(editor().Comment(), u"\u9ed2 other") << "read as the Unicode it is";
  EXPECT_EQ(editor().width(), 13);
  EXPECT_TRUE(editor().modified());
  EXPECT_TRUE(Title().ends_with(" *")) << Title();
  dialogs_->shown.clear();
  Give(QStringLiteral("no game here"));
  ASSERT_EQ(dialogs_->shown.size(), 1u);
  EXPECT_TRUE(dialogs_->shown[0].starts_with("message: ")) << dialogs_->shown[0];
  EXPECT_EQ(editor().width(), 13) << "the record stays";
}

INSTANTIATE_TEST_SUITE_P(Ways, TextRecordTest, ::testing::Values("drop", "paste"));

TEST_F(DesktopAppTest, NewAndClosingAskBeforeEditsAreLost) {
  StartOn("game.sgf", kGame);
  Tap(4, 4);
  dialogs_->saveAnswers = {Answer::Cancel};
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(dialogs_->shown, std::vector<std::string>{"save changes: game.sgf"});
  EXPECT_EQ(Title(), "game.sgf *");
  dialogs_->saveAnswers = {Answer::Cancel};
  EXPECT_FALSE(app_->frame().close());
  EXPECT_TRUE(app_->frame().isVisible());
  dialogs_->saveAnswers = {Answer::Discard};
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Title(), "Untitled");
  EXPECT_EQ(ReadFileBytes(directory_.path() / "game.sgf"), kGame);
  Tap(4, 4);
  dialogs_->saveAnswers = {Answer::Discard};
  Choose("File/Exit");
  EXPECT_FALSE(app_->frame().isVisible());
}

TEST_F(DesktopAppTest, RecentFilesComeBackAtTheNextStartAndABrokenOneLeaves) {
  const std::string first = directory_.Write("first.sgf", kGame);
  const std::string second = directory_.Write("second.sgf", kOtherGame);
  Start({Arg(first)});
  dialogs_->files = {second};
  Choose("File/Open...");
  ASSERT_TRUE(Exit());
  Start();
  EXPECT_EQ(app_->recentFiles().paths(), (std::vector<std::string>{second, first}));
  std::filesystem::remove(first);
  Choose("File/2 " + first);
  EXPECT_EQ(dialogs_->shown.back(), "message: first.sgf does not exist.");
  EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{second});
  EXPECT_EQ(Title(), "Untitled");
}

// A click that gives the comment pane the keyboard switches between the
// square board and the halves; clicks while the user types place the caret.
TEST_F(DesktopAppTest, Fault4TheCommentPaneSwitchesTheLayoutOnlyWhenItTakesTheKeyboard) {
  Start();
  Choose("View/Game Tree/Show Game Tree");  // the board and the comment pane alone
  app::CMainView& view = app_->frame().mainView();
  view.resize(240, 320);
  ProcessEvents();
  const auto tap = [&] {
    QTest::mouseClick(view.commentPane()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ProcessEvents();
    return view.boardView()->geometry();
  };
  EXPECT_EQ(tap(), QRect(0, 0, 240, 160));
  EXPECT_EQ(tap(), QRect(0, 0, 240, 160));
  Press(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), view.boardView());
  EXPECT_EQ(tap(), QRect(0, 0, 240, 240));
}

}  // namespace
}  // namespace vantaro::test
