#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTest>

#include <QToolBar>
#include <QWheelEvent>
#include <algorithm>
#include <iterator>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/recent_files.h"
#include "desktop_app_fixture.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/vantaro_doc.h"
#include "editor/go_editor.h"

namespace vantaro::test {
namespace {

using Answer = app::Dialogs::SaveAnswer;
using command::kReopenWithEncoding;

constexpr char kGame[] =
    "(;GM[1]FF[4]SZ[9]C[start];B[cc]C[one];W[gg];B[cg](;W[gc]C[main];B[ee])(;W[ge]))";
constexpr char kOtherGame[] = "(;GM[1]SZ[13]C[other];B[dd])";
constexpr char kParseError[] =
    "message: Some error happened while parsing. Game record might be incorrect.";

QString Arg(const std::string& text) {
  return QString::fromStdString(text);
}

// The menu items that are disabled or checked, in ItemStates' form.
std::set<std::string> Marked(const std::set<std::string>& states) {
  std::set<std::string> marked;
  for (const std::string& state : states) {
    if (state.find(" [") != std::string::npos) marked.insert(state);
  }
  return marked;
}

// The settings that every state below shares.
const std::set<std::string> kDefaultChecks = {
    "Options/Auto Branch [checked]",       "Options/Play Sound [checked]",
    "Options/Variant First [checked]",     "View/Bitmap Board [checked]",
    "View/Move Number/Hide All [checked]", "View/Move Number/Reset In Branch [checked]",
    "View/Reset Board [disabled]",         "View/Show Branch Moves [checked]",
};

std::set<std::string> With(std::set<std::string> states) {
  states.insert(kDefaultChecks.begin(), kDefaultChecks.end());
  return states;
}

class DesktopStartTest : public DesktopAppTest {};

TEST_F(DesktopStartTest, TheFileNamedOnTheCommandLineOpensAtStart) {
  const std::string path = Write("ladder-problem.sgf", kGame);
  Start({Arg(path)});
  EXPECT_EQ(Title(), "ladder-pro...");
  EXPECT_EQ(Where(), "/0");
  EXPECT_EQ(editor().width(), 9);
  EXPECT_EQ(app_->frame().mainView().commentPane()->toPlainText(), "start");
  EXPECT_TRUE(app_->frame().isVisible());
  EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{path});
}

TEST_F(DesktopStartTest, WithoutAFileANewRecordStarts) {
  Start();
  EXPECT_EQ(Title(), "Untitled");
  EXPECT_EQ(editor().width(), 19);
  EXPECT_TRUE(dialogs_->shown.empty());
}

TEST_F(DesktopStartTest, AnUnreadableFileLeavesANewRecordAndSaysWhy) {
  Start({Arg((directory_.path() / "missing.sgf").string())});
  EXPECT_EQ(dialogs_->shown, std::vector<std::string>{kParseError});
  EXPECT_EQ(Title(), "Untitled");
  EXPECT_TRUE(app_->frame().isVisible());
  EXPECT_TRUE(app_->recentFiles().paths().empty());
}

TEST_F(DesktopStartTest, JapaneseChineseAndKoreanNamesShowInTheTitle) {
  Start({Arg(Write("本因坊.sgf", "(;GM[1]CA[UTF-8]C[黒番と白番 흑 白棋])"))});
  EXPECT_EQ(Title(), "本因坊");
  EXPECT_EQ(app_->frame().mainView().commentPane()->toPlainText(), "黒番と白番 흑 白棋");
}

TEST_F(DesktopAppTest, TheHardwareAndDesktopKeysStepThroughTheRecord) {
  Start({Arg(Write("game.sgf", kGame))});
  const struct {
    int key;
    const char* where;
  } steps[] = {
      {Qt::Key_Right, "/1"},  {Qt::Key_Right, "/2"},     {Qt::Key_Right, "/3"},
      {Qt::Key_Right, "1/0"}, {Qt::Key_Up, "0/0"},       {Qt::Key_Down, "1/0"},
      {Qt::Key_Enter, "/3"},  {Qt::Key_Left, "/2"},      {Qt::Key_End, "0/1"},
      {Qt::Key_Home, "/0"},   {Qt::Key_PageDown, "1/0"}, {Qt::Key_PageUp, "/0"},
      {Qt::Key_Return, "/0"},  // already at the top: Parent is disabled
  };
  for (const auto& step : steps) {
    Press(step.key);
    EXPECT_EQ(Where(), step.where) << "after key " << QTest::toString(step.key);
  }
  EXPECT_EQ(Title(), "game");
}

TEST_F(DesktopAppTest, KeysTypeIntoTheCommentPaneWhileItHasTheKeyboard) {
  Start({Arg(Write("game.sgf", kGame))});
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

TEST_F(DesktopAppTest, TheWheelStepsOverTheBoard) {
  Start({Arg(Write("game.sgf", kGame))});
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  const auto turn = [&](int delta) {
    QWheelEvent wheel(QPointF(50, 50), board.mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&board, &wheel);
    ProcessEvents();
  };
  turn(-240);
  EXPECT_EQ(Where(), "/2");
  turn(120);
  EXPECT_EQ(Where(), "/1");
  turn(60);  // half a notch waits for the other half
  EXPECT_EQ(Where(), "/1");
  turn(60);
  EXPECT_EQ(Where(), "/0");
}

TEST_F(DesktopAppTest, ATapPlaysAMoveMarksTheTitleAndSounds) {
  Start({Arg(Write("game.sgf", kGame))});
  Press(Qt::Key_End);
  // Sounds keep 200 ms apart: the step to the end made one just now.
  QTest::qWait(250);
  sounds_->played.clear();
  Tap(7, 1);
  EXPECT_NE(editor().Cell(7, 1), 0u);
  EXPECT_EQ(editor().moveNumber(), 6);
  EXPECT_EQ(Title(), "game *");
  EXPECT_EQ(sounds_->played.size(), 1u);
  EXPECT_TRUE(Item("Edit/Undo")->isEnabled());
  EXPECT_TRUE(app_->frame().commandBar().actions().at(1)->isEnabled());
}

TEST_F(DesktopAppTest, ATapOnARotatedBoardReachesTheSamePoint) {
  Start({Arg(Write("empty.sgf", "(;GM[1]SZ[9])"))});
  Choose("View/Rotate Clockwise");
  Choose("View/Flip Horizontal");
  Tap(1, 7);
  EXPECT_EQ(Sgf().find(";B[bh]") != std::string::npos, true) << Sgf();
}

TEST_F(DesktopAppTest, ATapBesideTheGridChangesNothing) {
  Start({Arg(Write("empty.sgf", "(;GM[1]SZ[9])"))});
  // Split, the board area is wider than high, with room beside the grid.
  app_->frame().mainView().ToggleLayout();
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  board.repaint();
  ASSERT_LT(board.drawer().PointFromPixel(1, board.height() / 2).x, 0);
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(1, board.height() / 2));
  ProcessEvents();
  EXPECT_FALSE(editor().modified());
  EXPECT_EQ(Title(), "empty");
}

TEST_F(DesktopAppTest, EveryCommandOfTheDocumentHasOneMenuItem) {
  Start();
  std::multiset<std::string> shown;
  std::multiset<std::string> expected;
  const CommandTable table(app_->document());
  for (const Command& command : table.commands()) {
    // Reopen With Encoding is the submenu of the code pages.
    if (command.id != kReopenWithEncoding) expected.insert(std::string(command.menuText));
  }
  for (const std::string& state : ItemStates()) {
    if (state.rfind("File/Recent File", 0) == 0) continue;
    const QAction* item = Item(state.substr(0, state.find(" [")));
    shown.insert(item->text().toStdString());
  }
  std::vector<std::string> missing, extra;
  std::set_difference(expected.begin(), expected.end(), shown.begin(), shown.end(),
                      std::back_inserter(missing));
  std::set_difference(shown.begin(), shown.end(), expected.begin(), expected.end(),
                      std::back_inserter(extra));
  EXPECT_TRUE(missing.empty()) << "no menu item for " << ::testing::PrintToString(missing);
  EXPECT_TRUE(extra.empty()) << "menu items without a command: " << ::testing::PrintToString(extra);
  QStringList menus;
  for (QAction* menu : app_->frame().menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Move", "&View", "&Options"}));
  EXPECT_EQ(Item("File/Open...")->text(), "&Open...\tCtrl+O");
  EXPECT_EQ(Item("Edit/Undo")->shortcuts(),
            QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
}

TEST_F(DesktopAppTest, ReopenWithEncodingReadsTheFileAgainInTheChosenCodePage) {
  // "Nihon" in Shift-JIS, which the file does not name.
  Start({Arg(Write("sjis.sgf", "(;GM[1]C[\x93\xfa\x96\x7b])"))});
  QMenu* menu = EncodingMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "Reopen With &Encoding");
  EXPECT_TRUE(menu->menuAction()->isEnabled());
  EncodingItem(1252)->trigger();
  ProcessEvents();
  EXPECT_EQ(editor().codePage(), 1252);
  EXPECT_TRUE(EncodingItem(1252)->isChecked());
  EXPECT_EQ(editor().Comment(), u"\u201C\u00FA\u2013{");
  EncodingItem(932)->trigger();
  ProcessEvents();
  EXPECT_EQ(app_->frame().mainView().commentPane()->toPlainText(), "日本");
  EXPECT_TRUE(EncodingItem(932)->isChecked());
  EXPECT_FALSE(EncodingItem(1252)->isChecked());
  // Each reading is one step of the record's history.
  Choose("Edit/Undo");
  EXPECT_EQ(editor().codePage(), 1252);
  dialogs_->saveAnswers = {Answer::Discard};
  Choose("File/New");
  EXPECT_FALSE(EncodingMenu()->menuAction()->isEnabled());
}

TEST_F(DesktopAppTest, MenuStatesFollowTheRecordAtItsStart) {
  Start({Arg(Write("game.sgf", kGame))});
  EXPECT_EQ(Marked(ItemStates()), With({
                                      "Edit/Delete [disabled]",
                                      "Edit/Game Information [disabled]",
                                      "Edit/Move Number/Unset [disabled]",
                                      "Edit/Redo [disabled]",
                                      "Edit/Save Try Play [disabled]",
                                      "Edit/Stones & Markers/Alternate Move [checked]",
                                      "Edit/Undo [disabled]",
                                      "Move/Back [disabled]",
                                      "Move/Branch Start [disabled]",
                                      "Move/Fast Rewind [disabled]",
                                      "Move/First [disabled]",
                                      "Move/Forward [disabled]",
                                      "Move/Next Branch [disabled]",
                                      "Move/Parent [disabled]",
                                      "Move/Prev Branch [disabled]",
                                      "Move/Previous [disabled]",
                                      "Options/9x9 Board [checked]",
                                  }));
}

TEST_F(DesktopAppTest, MenuStatesOfAReadOnlyRecordAndOfTryingMovesOnIt) {
  Start({Arg(Write("game.sgf", kGame))});
  Choose("Edit/Read Only");
  EXPECT_EQ(Title(), "game R");
  EXPECT_EQ(Marked(ItemStates()), With({
                                      "Edit/Add Branch [disabled]",
                                      "Edit/Del After Current [disabled]",
                                      "Edit/Delete [disabled]",
                                      "Edit/Edit Node Name [disabled]",
                                      "Edit/Game Information [disabled]",
                                      "Edit/Move Number/Auto Set [disabled]",
                                      "Edit/Move Number/Set [disabled]",
                                      "Edit/Move Number/Unset All [disabled]",
                                      "Edit/Move Number/Unset [disabled]",
                                      "Edit/Pass [disabled]",
                                      "Edit/Read Only [checked]",
                                      "Edit/Redo [disabled]",
                                      "Edit/Save Try Play [disabled]",
                                      "Edit/Stones & Markers/Add Black [disabled]",
                                      "Edit/Stones & Markers/Add Empty [disabled]",
                                      "Edit/Stones & Markers/Add White [disabled]",
                                      "Edit/Stones & Markers/Alternate Move [disabled] [checked]",
                                      "Edit/Stones & Markers/Circle [disabled]",
                                      "Edit/Stones & Markers/Cross [disabled]",
                                      "Edit/Stones & Markers/Delete Markers [disabled]",
                                      "Edit/Stones & Markers/Label [disabled]",
                                      "Edit/Stones & Markers/Square [disabled]",
                                      "Edit/Stones & Markers/Triangle [disabled]",
                                      "Edit/Undo [disabled]",
                                      "Move/Back [disabled]",
                                      "Move/Branch Start [disabled]",
                                      "Move/Fast Rewind [disabled]",
                                      "Move/First [disabled]",
                                      "Move/Forward [disabled]",
                                      "Move/Next Branch [disabled]",
                                      "Move/Parent [disabled]",
                                      "Move/Prev Branch [disabled]",
                                      "Move/Previous [disabled]",
                                      "Options/9x9 Board [checked]",
                                  }));
  Choose("Edit/Try Play");
  EXPECT_EQ(Marked(ItemStates()), With({
                                      "Edit/Delete [disabled]",
                                      "Edit/Game Information [disabled]",
                                      "Edit/Move Number/Unset [disabled]",
                                      "Edit/Read Only [checked]",
                                      "Edit/Redo [disabled]",
                                      "Edit/Save Try Play [disabled]",
                                      "Edit/Stones & Markers/Alternate Move [checked]",
                                      "Edit/Try Play [checked]",
                                      "Edit/Undo [disabled]",
                                      "Move/Back [disabled]",
                                      "Move/Branch Start [disabled]",
                                      "Move/Fast Rewind [disabled]",
                                      "Move/First [disabled]",
                                      "Move/Forward [disabled]",
                                      "Move/Next Branch [disabled]",
                                      "Move/Parent [disabled]",
                                      "Move/Prev Branch [disabled]",
                                      "Move/Previous [disabled]",
                                      "Options/9x9 Board [checked]",
                                  }));
  // The command bar follows the same rules.
  EXPECT_TRUE(app_->frame().commandBar().actions().at(6)->isChecked());
}

TEST_F(DesktopAppTest, MenuStatesWhileWaitingForAClickedPoint) {
  Start({Arg(Write("game.sgf", kGame))});
  Choose("Move/To Clicked");
  std::set<std::string> enabled;
  for (const std::string& state : ItemStates()) {
    if (state.find("[disabled]") == std::string::npos) enabled.insert(state);
  }
  EXPECT_EQ(enabled, (std::set<std::string>{
                         "Edit/Read Only",
                         "File/1 " + (directory_.path() / "game.sgf").string(),
                         "File/About VantaroCE...",
                         "File/Exit",
                         "File/New",
                         "File/Open...",
                         "File/Save",
                         "File/Save As...",
                         "Options/19x19 Board",
                         "Options/9x9 Board [checked]",
                         "Options/Auto Branch [checked]",
                         "Options/Branch Mode",
                         "Options/Custom Size",
                         "Options/Play Sound [checked]",
                         "Options/Up as Previous",
                         "Options/Variant First [checked]",
                         "Options/White First",
                         "View/Bitmap Board [checked]",
                         "View/Flip Horizontal",
                         "View/Flip Vertical",
                         "View/Hide Markers",
                         "View/Move Number/Hide All [checked]",
                         "View/Move Number/Last 1",
                         "View/Move Number/Last 10",
                         "View/Move Number/Last 2",
                         "View/Move Number/Last 20",
                         "View/Move Number/Last 5",
                         "View/Move Number/Last 50",
                         "View/Move Number/Reset In Branch [checked]",
                         "View/Move Number/Show All",
                         "View/Move Number/Toggle Show/Hide",
                         "View/Rotate Clockwise",
                         "View/Show Branch Moves [checked]",
                         "View/Show Coordinate",
                         "View/Show I",
                         "View/Show Next Move",
                     }));
  Tap(2, 6);  // the stone of move 3
  EXPECT_EQ(Where(), "/3");
}

TEST_F(DesktopAppTest, ReselectingAToolGoesBackToAlternateMove) {
  Start();
  Choose("Edit/Stones & Markers/Circle");
  EXPECT_TRUE(Item("Edit/Stones & Markers/Circle")->isChecked());
  EXPECT_FALSE(Item("Edit/Stones & Markers/Alternate Move")->isChecked());
  Choose("Edit/Stones & Markers/Circle");
  EXPECT_FALSE(Item("Edit/Stones & Markers/Circle")->isChecked());
  EXPECT_TRUE(Item("Edit/Stones & Markers/Alternate Move")->isChecked());
  const bool black = editor().blackToPlay();
  Choose("Edit/Stones & Markers/Alternate Move");
  EXPECT_NE(editor().blackToPlay(), black);
}

TEST_F(DesktopAppTest, TheCommandBarHasItsSevenEntries) {
  Start({Arg(Write("game.sgf", kGame))});
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

TEST_F(DesktopAppTest, ViewCommandsRedrawTheBoardAtOnce) {
  Start({Arg(Write("game.sgf", kGame))});
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  board.repaint();
  const QImage before = board.grab().toImage();
  Choose("View/Show Coordinate");
  EXPECT_TRUE(app_->options().showCoord);
  EXPECT_TRUE(board.drawer().options().showCoord);
  EXPECT_NE(board.grab().toImage(), before);
}

TEST_F(DesktopAppTest, CustomSizeAsksAndStartsANewRecordOfThatSize) {
  Start();
  dialogs_->texts = {u"17*15"};
  Choose("Options/Custom Size");
  EXPECT_EQ(editor().width(), 17);
  EXPECT_EQ(editor().height(), 15);
  EXPECT_TRUE(Item("Options/Custom Size")->isChecked());
  dialogs_->texts = {u"53"};
  Choose("Options/Custom Size");
  EXPECT_EQ(dialogs_->shown.back(), "message: Invalid board size.");
  EXPECT_EQ(editor().width(), 17);
}

TEST_F(DesktopAppTest, ToMoveNumberPromptsWithTheInputDialog) {
  Start({Arg(Write("game.sgf", kGame))});
  dialogs_->texts = {u"3"};
  Choose("Move/To Move Number");
  EXPECT_EQ(dialogs_->shown, std::vector<std::string>{"prompt: Jump to move number [1]"});
  EXPECT_EQ(Where(), "/3");
}

TEST_F(DesktopAppTest, SettingsAreSavedAtExitAndLoadedClampedAtTheNextStart) {
  {
    QSettings stored(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro4");
    stored.setValue("Option/BoardSizeCX", 60);
    stored.setValue("Option/BoardSizeCY", 1);
  }
  Start();
  EXPECT_EQ(editor().width(), 52);
  EXPECT_EQ(editor().height(), 2);
  Choose("View/Show Coordinate");
  Choose("Options/Play Sound");
  Choose("View/Rotate Clockwise");
  ASSERT_TRUE(Exit());
  EXPECT_TRUE(std::filesystem::exists(UserSettings() / "Brenmoor" / "vantaroopt.xml"));
  const QSettings saved(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro4");
  EXPECT_EQ(saved.value("Option/BoardSizeCX").toInt(), 52);
  EXPECT_EQ(saved.value("Option/showCoord").toInt(), 1);
  const QSettings profile(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro");
  EXPECT_TRUE(profile.value("Performance/CBoardDrawer::Draw").isValid());

  Start();
  EXPECT_TRUE(app_->options().showCoord);
  EXPECT_FALSE(app_->options().playSound);
  EXPECT_EQ(app_->options().rotation, 0);
  EXPECT_TRUE(Item("View/Show Coordinate")->isChecked());
  EXPECT_FALSE(Item("View/Rotate Clockwise")->isChecked());
}

TEST_F(DesktopAppTest, AFailedOpenKeepsThePreviousRecordAndShowsTheMessage) {
  const std::string path = Write("game.sgf", kGame);
  Start({Arg(path)});
  Press(Qt::Key_Right);
  for (const std::string& broken :
       {(directory_.path() / "missing.sgf").string(), Write("short.ngf", "not\nngf\n")}) {
    dialogs_->shown.clear();
    dialogs_->files = {broken};
    Choose("File/Open...");
    EXPECT_EQ(dialogs_->shown, (std::vector<std::string>{"open", kParseError}));
    EXPECT_EQ(Title(), "game");
    EXPECT_EQ(Where(), "/1");
    EXPECT_EQ(app_->document().path(), path);
    EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{path});
  }
}

TEST_F(DesktopAppTest, AFailedSaveKeepsTheFileAndTheModifiedFlag) {
  const std::string path = Write("game.sgf", kGame);
  Start({Arg(path)});
  Tap(4, 4);
  std::filesystem::create_directories(directory_.path() / "taken.sgf" / "inside");
  for (const std::string& target : {(directory_.path() / "no" / "such" / "x.sgf").string(),
                                    (directory_.path() / "taken.sgf").string()}) {
    dialogs_->shown.clear();
    dialogs_->files = {target};
    Choose("File/Save As...");
    EXPECT_EQ(dialogs_->shown, (std::vector<std::string>{
                                   "save as: " + path, "message: Failed to save file " + target}));
    EXPECT_EQ(Title(), "game *");
    EXPECT_TRUE(editor().modified());
    EXPECT_EQ(app_->document().path(), path);
    EXPECT_EQ(ReadFileBytes(path), kGame);
  }
}

TEST_F(DesktopAppTest, SaveWritesInPlaceAndClearsTheMark) {
  const std::string path = Write("game.sgf", kGame);
  Start({Arg(path)});
  Tap(4, 4);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(dialogs_->shown.empty());
  EXPECT_EQ(Title(), "game");
  EXPECT_NE(ReadFileBytes(path).find("B[ee]"), std::string::npos);
}

class OpenOnModifiedTest : public DesktopAppTest,
                           public ::testing::WithParamInterface<std::string> {
 protected:
  // Opens the other file the way the parameter names: the Open command, the
  // recent-file list or a drop on the window.
  void OpenOther(const std::string& other) {
    const std::string& way = GetParam();
    if (way == "menu") {
      dialogs_->files = {other};
      Choose("File/Open...");
    } else if (way == "recent") {
      Choose("File/2 " + other);
    } else {
      QMimeData data;
      data.setUrls({QUrl::fromLocalFile(Arg(other))});
      QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&app_->frame(), &enter);
      ASSERT_TRUE(enter.isAccepted());
      QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&app_->frame(), &drop);
      ProcessEvents();
    }
  }
  void StartModified() {
    const std::string other = Write("other.sgf", kOtherGame);
    if (GetParam() == "recent") {
      Start({Arg(other)});
      dialogs_->files = {Write("game.sgf", kGame)};
      Choose("File/Open...");
    } else {
      Start({Arg(Write("game.sgf", kGame))});
    }
    Tap(4, 4);
    ASSERT_EQ(Title(), "game *");
    dialogs_->shown.clear();
  }
};

TEST_P(OpenOnModifiedTest, CancelKeepsTheRecordAndItsEdits) {
  StartModified();
  dialogs_->saveAnswers = {Answer::Cancel};
  OpenOther((directory_.path() / "other.sgf").string());
  ASSERT_FALSE(dialogs_->shown.empty());
  EXPECT_EQ(dialogs_->shown.back(), "save changes: game.sgf");
  EXPECT_EQ(Title(), "game *");
  EXPECT_NE(Sgf().find("B[ee]"), std::string::npos);
}

TEST_P(OpenOnModifiedTest, DiscardOpensTheOtherFile) {
  StartModified();
  dialogs_->saveAnswers = {Answer::Discard};
  OpenOther((directory_.path() / "other.sgf").string());
  EXPECT_EQ(Title(), "other");
  EXPECT_EQ(ReadFileBytes(directory_.path() / "game.sgf"), kGame);
  EXPECT_EQ(app_->recentFiles().paths().front(), (directory_.path() / "other.sgf").string());
}

TEST_P(OpenOnModifiedTest, SaveWritesTheEditsBeforeOpening) {
  StartModified();
  dialogs_->saveAnswers = {Answer::Save};
  OpenOther((directory_.path() / "other.sgf").string());
  EXPECT_EQ(Title(), "other");
  EXPECT_NE(ReadFileBytes(directory_.path() / "game.sgf").find("B[ee]"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Ways, OpenOnModifiedTest, ::testing::Values("menu", "recent", "drop"));

TEST_F(DesktopAppTest, NewOnAModifiedRecordAsksToSave) {
  Start({Arg(Write("game.sgf", kGame))});
  Tap(4, 4);
  dialogs_->saveAnswers = {Answer::Cancel};
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(dialogs_->shown, std::vector<std::string>{"save changes: game.sgf"});
  EXPECT_EQ(Title(), "game *");
  dialogs_->saveAnswers = {Answer::Discard};
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Title(), "Untitled");
}

TEST_F(DesktopAppTest, ClosingTheWindowAsksBeforeEditsAreLost) {
  Start({Arg(Write("game.sgf", kGame))});
  Tap(4, 4);
  dialogs_->saveAnswers = {Answer::Cancel};
  EXPECT_FALSE(app_->frame().close());
  EXPECT_TRUE(app_->frame().isVisible());
  dialogs_->saveAnswers = {Answer::Discard};
  Choose("File/Exit");
  EXPECT_FALSE(app_->frame().isVisible());
}

TEST_F(DesktopAppTest, RecentFilesComeBackAtTheNextStartAndABrokenOneLeaves) {
  const std::string first = Write("first.sgf", kGame);
  const std::string second = Write("second.sgf", kOtherGame);
  Start({Arg(first)});
  dialogs_->files = {second};
  Choose("File/Open...");
  ASSERT_TRUE(Exit());
  Start();
  EXPECT_EQ(app_->recentFiles().paths(), (std::vector<std::string>{second, first}));
  EXPECT_NE(Item("File/2 " + first), nullptr);
  std::filesystem::remove(first);
  Choose("File/2 " + first);
  EXPECT_EQ(dialogs_->shown.back(), kParseError);
  EXPECT_EQ(app_->recentFiles().paths(), std::vector<std::string>{second});
  EXPECT_EQ(Title(), "Untitled");
}

TEST_F(DesktopAppTest, TappingTheCommentPaneSwitchesTheLayout) {
  Start();
  app::CMainView& view = app_->frame().mainView();
  view.resize(240, 320);
  ProcessEvents();
  EXPECT_EQ(view.boardView()->geometry(), QRect(0, 0, 240, 240));
  EXPECT_EQ(view.commentPane()->geometry(), QRect(0, 240, 240, 80));
  QTest::mouseClick(view.commentPane()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(view.boardView()->geometry(), QRect(0, 0, 240, 160));
  EXPECT_EQ(view.commentPane()->geometry(), QRect(0, 160, 240, 160));
  QTest::mouseClick(view.commentPane()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(view.boardView()->geometry(), QRect(0, 0, 240, 240));
}

}  // namespace
}  // namespace vantaro::test
