#include "document/vantaro_doc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <deque>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/fake_document_ui.h"
#include "test_support.h"
#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

using namespace command;

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() : options_(u"/install"), document_(ui_, options_), table_(document_) {
    options_.defaultCodePage = 65001;
    options_.playSound = false;
  }
  std::string Write(const std::string& name, std::string_view bytes) {
    return directory_.Write(name, bytes);
  }
  bool Enabled(int id) const { return table_.Find(id)->IsEnabled(); }
  bool Checked(int id) const { return table_.Find(id)->IsChecked(); }
  // Through the table, as the shell runs them: a disabled command is refused.
  void Run(int id) { EXPECT_TRUE(table_.Run(id)) << "refused: " << id; }
  std::string Sgf() { return WriteSgfText(*document_.editor()->recordRoot()); }

  TemporaryDirectory directory_;
  FakeUi ui_;
  Options options_;
  CVantaroCEDoc document_;
  CommandTable table_;
};

TEST_F(DocumentTest, EveryCommandHasItsOwnName) {
  std::set<std::string> names;
  for (const Command& command : table_.commands()) {
    EXPECT_TRUE(names.insert(CommandName(command.menuText)).second) << command.menuText;
  }
  EXPECT_EQ(table_.FindByName("Save As")->id, kSaveAs);
}

TEST_F(DocumentTest, SavingANewRecordAsksForANameAndWritesIt) {
  document_.OnNewDocument();
  EXPECT_EQ(document_.Title(), u"Untitled");
  ui_.fileName = (directory_.path() / "game.sgf").string();
  EXPECT_TRUE(document_.Save(false));
  EXPECT_EQ(ui_.prompted, std::vector<std::string>{"Untitled.sgf"});
  EXPECT_EQ(document_.path(), *ui_.fileName);
  EXPECT_EQ(document_.Title(), u"game.sgf");
  EXPECT_EQ(ReadFileBytes(*ui_.fileName), "(;SZ[19]\r\n)");
  // Saved in place from now on.
  document_.editor()->SetComment(u"x");
  EXPECT_TRUE(document_.Save(false));
  EXPECT_EQ(ui_.prompted.size(), 1u);
  EXPECT_FALSE(document_.IsModified());
}

TEST_F(DocumentTest, ARecordFromAnotherFormatIsSavedAsSgf) {
  const std::string gib = Write("game.gib", "STO 0 1 1 3 3\n");
  ASSERT_TRUE(document_.OnOpenDocument(gib).ok);
  ui_.fileName = std::nullopt;  // cancelled: nothing is written
  EXPECT_FALSE(document_.Save(false));
  EXPECT_EQ(ui_.prompted.back(), (directory_.path() / "game.sgf").string());
}

TEST_F(DocumentTest, AFailedSaveSaysSoAndKeepsTheFileAndTheModifiedFlag) {
  const std::string path = Write("game.sgf", "(;B[aa])");
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  document_.editor()->SetComment(u"x");
  std::filesystem::create_directories(directory_.path() / "taken.sgf" / "inside");
  for (const std::string& target :
       {directory_.PathOf("missing/game.sgf"), directory_.PathOf("taken.sgf")}) {
    ui_.fileName = target;
    EXPECT_FALSE(document_.Save(true));
    EXPECT_EQ(ui_.shown.back(), "Failed to save file " + target);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(document_.path(), path);
    EXPECT_EQ(ReadFileBytes(path), "(;B[aa])");
  }
}

// Bytes in which nothing reads as a node: a fixed run of a random generator.
std::string BinaryBytes() {
  std::mt19937 random(15);
  std::string bytes(4096, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// The record that was open stays, so that Save never writes over a file that
// is not a record, and the message says what the file is.
TEST_F(DocumentTest, AFileThatGivesNoRecordKeepsThePreviousRecordAndSaysWhy) {
  const std::string good = Write("good.sgf", "(;B[aa])");
  ASSERT_TRUE(document_.OnOpenDocument(good).ok);
  GoEditor* before = document_.editor();
  std::filesystem::create_directory(directory_.path() / "games.sgf");
  const struct {
    std::string name, bytes, message;
  } files[] = {
      {"bad.ngf", "short\n", "Some error happened while parsing. Game record might be incorrect."},
      {"binary.sgf", BinaryBytes(), "binary.sgf is not a game record."},
      {"picture.sgf", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20),
       "picture.sgf is not a game record."},
      {"notes.sgf", "Buy (; rice, milk)\n", "notes.sgf is not a game record."},
      {"nothing.ugf", "nothing useful", "nothing.ugf is not a game record."},
      {"missing.sgf", "", "missing.sgf does not exist."},
      {"games.sgf", "", "games.sgf is a folder, not a file."},
  };
  for (const auto& file : files) {
    const std::string path = directory_.PathOf(file.name);
    if (!file.bytes.empty()) WriteFileBytes(path, file.bytes);
    ui_.shown.clear();
    EXPECT_FALSE(document_.OnOpenDocument(path).ok) << file.name;
    EXPECT_EQ(ui_.shown, std::vector<std::string>{file.message});
    EXPECT_EQ(document_.editor(), before);
    EXPECT_EQ(document_.path(), good);
  }
  EXPECT_EQ(ReadFileBytes(directory_.PathOf("binary.sgf")), BinaryBytes());
}

TEST_F(DocumentTest, AFileTheUserMayNotReadSaysSo) {
  const std::string path = Write("private.sgf", "(;B[aa])");
  chmod(path.c_str(), 0);
  const auto message = [&] {
    document_.OnOpenDocument(path);
    return ui_.shown.empty() ? std::string() : ui_.shown.back();
  };
  const std::string expected = "You may not read private.sgf.";
  if (geteuid() != 0) {
    EXPECT_EQ(message(), expected);
    return;
  }
  // Root reads everything: the file is opened by somebody else.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
    _exit(dropped && message() == expected ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A crash can leave a record followed by the 0 bytes of space its file had
// been given: that is a damaged record, not a binary file.
TEST_F(DocumentTest, DamagedRecordsThatStillHoldAGameOpen) {
  for (const std::string& bytes :
       {std::string("(;SZ[9];B[aa]C[cut off"), std::string("prose first (;SZ[9];B[aa])"),
        std::string("(;B[aa])) trailing"), std::string("(;SZ[9];B[aa];W["),
        std::string("((;B[aa]))"), std::string("(;SZ[9];B[aa])") + std::string(8192, '\0')}) {
    ui_.shown.clear();
    EXPECT_TRUE(document_.OnOpenDocument(Write("damaged.sgf", bytes)).ok) << bytes;
    EXPECT_TRUE(ui_.shown.empty()) << bytes;
    EXPECT_EQ(document_.path(), directory_.PathOf("damaged.sgf"));
  }
}

// People make an empty file to start a record in.
TEST_F(DocumentTest, AnEmptyFileOpensAsANewRecordUnderItsName) {
  for (const char* bytes : {"", " \r\n"}) {
    const std::string path = Write("new.sgf", bytes);
    ASSERT_TRUE(document_.OnOpenDocument(path).ok);
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_EQ(document_.Title(), u"new.sgf");
    EXPECT_EQ(Sgf(), "(;SZ[19]\r\n)");
    document_.editor()->SetComment(u"first");
    ASSERT_TRUE(document_.Save(false));
    EXPECT_TRUE(ui_.prompted.empty());
    EXPECT_EQ(ReadFileBytes(path), "(;C[first]SZ[19]\r\n)");
  }
}

// Another program wrote the file: an unmodified record is offered for
// reloading, once for each new version; the answer No keeps the record.
TEST_F(DocumentTest, AFileChangedOnDiskIsOfferedForReloading) {
  const std::string path = Write("game.sgf", "(;B[aa])");
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  document_.CheckFileOnDisk();
  EXPECT_TRUE(ui_.shown.empty());
  const std::string question = "? game.sgf has changed on disk. Reload it?";
  WriteFileBytes(path, "(;B[bb]C[theirs])");
  ui_.yes = false;
  document_.CheckFileOnDisk();
  document_.CheckFileOnDisk();
  EXPECT_EQ(ui_.shown, std::vector<std::string>{question});
  EXPECT_EQ(Sgf(), "(;B[aa]\r\n)");
  WriteFileBytes(path, "(;B[cc]C[theirs again])");
  ui_.yes = true;
  document_.CheckFileOnDisk();
  EXPECT_EQ(ui_.shown, (std::vector<std::string>{question, question}));
  EXPECT_EQ(Sgf(), "(;B[cc]C[theirs again]\r\n)");
  EXPECT_FALSE(document_.IsModified());
}

// Edits stand against the changed file: Save asks before it overwrites, and
// Save As stays possible.
TEST_F(DocumentTest, SaveAsksBeforeOverwritingAFileChangedSinceItWasOpened) {
  const std::string path = Write("game.sgf", "(;B[aa])");
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  document_.editor()->SetComment(u"mine");
  WriteFileBytes(path, "(;B[bb]C[theirs])");
  document_.CheckFileOnDisk();
  EXPECT_TRUE(ui_.shown.empty());
  ui_.yes = false;
  EXPECT_FALSE(document_.Save(false));
  EXPECT_EQ(ui_.shown, std::vector<std::string>{
                           "? game.sgf has changed on disk since it was opened. Overwrite it?"});
  EXPECT_EQ(ReadFileBytes(path), "(;B[bb]C[theirs])");
  EXPECT_TRUE(document_.IsModified());
  ui_.yes = true;
  ASSERT_TRUE(document_.Save(false));
  EXPECT_EQ(ReadFileBytes(path), "(;B[aa]C[mine]\r\n)");
  WriteFileBytes(path, "(;B[bb]C[theirs])");
  ui_.shown.clear();
  ui_.fileName = directory_.PathOf("copy.sgf");
  ASSERT_TRUE(document_.Save(true));
  EXPECT_TRUE(ui_.shown.empty());
}

// What the window shows is then the only copy: closing asks to save it.
TEST_F(DocumentTest, ARemovedFileLeavesTheRecordModified) {
  const std::string path = Write("game.sgf", "(;B[aa])");
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  std::filesystem::remove(path);
  document_.CheckFileOnDisk();
  EXPECT_TRUE(document_.IsModified());
  EXPECT_TRUE(ui_.shown.empty());
  ASSERT_TRUE(document_.Save(false));
  EXPECT_EQ(ReadFileBytes(path), "(;B[aa]\r\n)");
}

TEST_F(DocumentTest, WriteProtectedFilesOpenReadOnly) {
  const std::string path = Write("locked.sgf", "(;B[aa])");
  chmod(path.c_str(), 0444);
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  EXPECT_TRUE(document_.editor()->readOnly());
  EXPECT_TRUE(Checked(kReadOnly));
  const std::string writable = Write("free.sgf", "(;B[aa])");
  options_.openReadOnly = true;
  ASSERT_TRUE(document_.OnOpenDocument(writable).ok);
  EXPECT_TRUE(document_.editor()->readOnly());
}

// Reload takes the file's new content and code page, keeps the cursor, and
// undo gives back the edited record in its old code page.
TEST_F(DocumentTest, ReloadReadsTheFileAgainAsOneUndoableStep) {
  EXPECT_FALSE(document_.CanReload());
  document_.OnNewDocument();
  EXPECT_FALSE(Enabled(kReload));
  EXPECT_FALSE(Enabled(kReopenWithEncoding));
  // U+56F2 in Shift_JIS, labelled; then the file is saved again as UTF-8.
  const std::string path = Write("game.sgf", "(;CA[Shift_JIS]SZ[9];B[aa];W[bb]C[\x88\xcd])");
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  EXPECT_EQ(document_.editor()->codePage(), 932);
  Run(kNext);
  document_.editor()->SetComment(u"mine");
  WriteFileBytes(path, "(;CA[UTF-8]SZ[9];B[cc];W[dd]C[\xe5\x9b\xb2])");
  Run(kReload);
  EXPECT_EQ(Sgf(), "(;CA[UTF-8]SZ[9]\r\n;B[cc];W[dd]C[\xe5\x9b\xb2])");
  EXPECT_EQ(document_.editor()->codePage(), 65001);
  EXPECT_EQ(document_.editor()->cursorIndex(), 1);
  EXPECT_FALSE(document_.IsModified());
  ASSERT_TRUE(document_.Save(false));
  EXPECT_EQ(ReadFileBytes(path), "(;CA[UTF-8]SZ[9]\r\n;B[cc];W[dd]C[\xe5\x9b\xb2])");
  Run(kUndo);
  EXPECT_EQ(document_.editor()->codePage(), 932);
  EXPECT_EQ(Sgf(), "(;CA[Shift_JIS]SZ[9]\r\n;B[aa]C[mine];W[bb]C[\xe5\x9b\xb2])");
}

TEST_F(DocumentTest, CustomSizesAreParsedAndChecked) {
  for (const char16_t* typed : {u"17*15", u"17 x 15", u"17X15", u"17,15"}) {
    options_.BoardSizeCX = options_.BoardSizeCY = 19;
    document_.OnNewDocument();
    ui_.answers = {typed};
    Run(kCustomSize);
    EXPECT_EQ(document_.editor()->width(), 17);
    EXPECT_EQ(document_.editor()->height(), 15);
    EXPECT_EQ(options_.BoardSizeCX, 17);
    EXPECT_EQ(options_.BoardSizeCY, 15);
  }
  ui_.answers = {u"13"};
  Run(kCustomSize);
  EXPECT_EQ(options_.BoardSizeCY, 13);
  EXPECT_EQ(ui_.prompted.back(), "17 * 15");
  for (const char16_t* typed : {u"1", u"53", u""}) {
    ui_.shown.clear();
    ui_.answers = {typed};
    Run(kCustomSize);
    EXPECT_EQ(ui_.shown, std::vector<std::string>{"Invalid board size."});
  }
  ui_.shown.clear();
  ui_.answers = {u"13"};  // the size the options already have: nothing
  Run(kCustomSize);
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(DocumentTest, BoardSizeChangesAskFirst) {
  document_.OnNewDocument();
  EXPECT_TRUE(Checked(kBoard19));
  Run(kBoard19);
  EXPECT_TRUE(ui_.shown.empty());
  ui_.yes = false;
  Run(kBoard9);
  EXPECT_TRUE(Checked(kBoard19));
  EXPECT_EQ(options_.BoardSizeCX, 19);
  ui_.yes = true;
  Run(kBoard9);
  EXPECT_TRUE(Checked(kBoard9));
  EXPECT_FALSE(Checked(kCustomSize));
}

TEST_F(DocumentTest, ToolsAreCheckedAndReselectionGoesBackToMoves) {
  document_.OnNewDocument();
  EXPECT_TRUE(Checked(kAlternateMove));
  Run(kCircle);
  EXPECT_TRUE(Checked(kCircle));
  Run(kCircle);
  EXPECT_TRUE(Checked(kAlternateMove));
  const bool black = document_.editor()->blackToPlay();
  Run(kAlternateMove);
  EXPECT_NE(document_.editor()->blackToPlay(), black);
}

TEST_F(DocumentTest, MoveNumberDisplayCommands) {
  options_.showMoveNumber = false;
  options_.showMoveCount = 0;
  Run(kToggleMoveNumbers);
  EXPECT_EQ(options_.showMoveCount, 10000);
  EXPECT_TRUE(Checked(kShowAllMoveNumbers));
  Run(kLast5);
  EXPECT_TRUE(Checked(kLast5));
  EXPECT_FALSE(Checked(kShowAllMoveNumbers));
  Run(kHideAllMoveNumbers);
  EXPECT_TRUE(Checked(kHideAllMoveNumbers));
}

TEST_F(DocumentTest, RotationAndFlipsReturnToTheStart) {
  EXPECT_FALSE(Enabled(kResetBoard));
  for (int i = 0; i < 4; ++i) Run(kRotateClockwise);
  EXPECT_EQ(options_.rotation, 0);
  EXPECT_FALSE(Checked(kRotateClockwise));
  Run(kFlipVertical);
  EXPECT_TRUE(Enabled(kResetBoard));
  Run(kResetBoard);
  EXPECT_FALSE(options_.flipVertical);
  EXPECT_FALSE(Enabled(kResetBoard));
}

// Show Next Move only refines Show Branch Moves.
TEST_F(DocumentTest, ShowNextMoveIsEnabledOnlyWhileBranchMovesAreShown) {
  options_.showNextMoves = true;
  EXPECT_TRUE(Enabled(kShowNextMove));
  Run(kShowNextMove);
  EXPECT_TRUE(Checked(kShowNextMove));
  Run(kShowBranchMoves);
  EXPECT_FALSE(options_.showNextMoves);
  EXPECT_FALSE(Enabled(kShowNextMove));
  EXPECT_FALSE(Checked(kShowNextMove));
  EXPECT_FALSE(table_.Run(kShowNextMove));
  EXPECT_TRUE(options_.showNextOnlyMove);
}

TEST_F(DocumentTest, PromptsForNamesAndMoveNumbers) {
  ASSERT_TRUE(document_.OnOpenDocument(Write("g.sgf", "(;SZ[9];B[aa]N[old];W[bb];B[cc])")).ok);
  Run(kNext);
  const auto answer = [this](int id, std::u16string typed) {
    ui_.answers = {std::move(typed)};
    Run(id);
    return ui_.prompt + " [" + ui_.prompted.back() + "]";
  };
  EXPECT_EQ(answer(kEditNodeName, u""), "Please enter new node name: [old]");
  EXPECT_EQ(document_.editor()->NodeName(), u"");
  EXPECT_EQ(answer(kSetMoveNumber, u"42nd"),
            "Please enter the move number of the current node: [1]");
  EXPECT_EQ(document_.editor()->CurrentNode()->Find(kPropMN)->number(), 42);
  EXPECT_EQ(answer(kAutoSetMoveNumbers, u"7"),
            "Please input by how many moves you are going to separate the game: [50]");
  EXPECT_EQ(options_.autosetMNMoves, 7);
}

// To Move Number offers the current move and says which numbers the record has.
TEST_F(DocumentTest, Fault13ToMoveNumberStartsAtTheCurrentMoveAndSaysTheRange) {
  ASSERT_TRUE(
      document_.OnOpenDocument(Write("g.sgf", "(;SZ[9];B[aa];W[bb](;B[cc];W[dd])(;B[ee]))")).ok);
  Run(kNext);
  Run(kNext);
  const auto answer = [this](std::u16string typed) {
    ui_.answers = {std::move(typed)};
    Run(kToMoveNumber);
    return ui_.prompt + " [" + ui_.prompted.back() + "] -> " +
           std::to_string(document_.editor()->moveNumber());
  };
  EXPECT_EQ(answer(u"4"), "Move number (0-4): [2] -> 4");
  EXPECT_EQ(answer(u"0"), "Move number (0-4): [4] -> 0");
  EXPECT_EQ(answer(u"3"), "Move number (0-4): [0] -> 3");
  EXPECT_EQ(answer(u""), "Move number (0-4): [3] -> 3");
  EXPECT_EQ(answer(u"9"), "Move number (0-4): [3] -> 3");
}

TEST_F(DocumentTest, OptionsCommands) {
  document_.OnNewDocument();
  options_.playSound = true;
  Run(kPlaySound);
  EXPECT_FALSE(options_.playSound);
  EXPECT_FALSE(document_.editor()->soundOn());
  Run(kWhiteFirst);
  EXPECT_FALSE(document_.editor()->blackToPlay());
  Run(kBranchMode);
  EXPECT_TRUE(Checked(kBranchMode));
  EXPECT_FALSE(document_.editor()->IsBranchMode());  // the open record keeps its mode
}

TEST_F(DocumentTest, GameInformationStoresTheDialogsValuesAsOneStepUnlessReadOnly) {
  ASSERT_TRUE(document_.OnOpenDocument(Write("g.sgf", "(;PB[Shusaku]KM[6.5]XX[kept];B[aa])")).ok);
  ui_.gameInfoEdits = std::vector<GameInfoEdit>{{"PB", u"Honinbo Shusaku"}, {"KM", u""}};
  Run(kGameInformation);
  EXPECT_EQ(ui_.shownPlayer, u"Shusaku");
  EXPECT_EQ(Sgf(), "(;XX[kept]PB[Honinbo Shusaku]\r\n;B[aa])");
  EXPECT_EQ(document_.editor()->undoCount(), 1);
  Run(kUndo);
  EXPECT_EQ(Sgf(), "(;XX[kept]PB[Shusaku]KM[6.500000]\r\n;B[aa])");

  Run(kReadOnly);
  EXPECT_TRUE(Enabled(kGameInformation));
  Run(kGameInformation);
  EXPECT_EQ(ui_.shown.back(), "game information read-only");
  EXPECT_EQ(ui_.shownPlayer, u"Shusaku");
  EXPECT_EQ(document_.editor()->undoIndex(), -1);
}

TEST_F(DocumentTest, FastForwardAndFastRewindTakeTheirStepFromTheOptions) {
  ASSERT_TRUE(
      document_.OnOpenDocument(Write("g.sgf", "(;SZ[9];B[aa];W[bb];B[cc];W[dd];B[ee];W[ff])")).ok);
  options_.fastTraverseStep = 3;
  Run(kFastForward);
  EXPECT_EQ(document_.editor()->cursorIndex(), 3);
  Run(kFastForward);  // fewer than three nodes left: the last one
  EXPECT_EQ(document_.editor()->cursorIndex(), 6);
  Run(kFastRewind);
  EXPECT_EQ(document_.editor()->cursorIndex(), 3);
  options_.fastTraverseStep = 2;
  Run(kFastRewind);
  EXPECT_EQ(document_.editor()->cursorIndex(), 1);
  Run(kFastRewind);
  EXPECT_EQ(document_.editor()->cursorIndex(), 0);
  EXPECT_FALSE(Enabled(kFastRewind));
}

// What the menu shows for the commands of a row: "e" enabled or "-"
// disabled, then "c" when checked.
struct RuleRow {
  std::string_view noEditor, editing, readOnly, tryingReadOnly, awaitingClick;
  std::vector<int> ids;
};

// The record is "(;SZ[9];B[aa]MN[3];W[bb](;B[cc])(;B[dd];W[ee]))" with a
// comment added and the cursor moved on to B[aa]; the settings are the
// defaults (sound off). A command without a row is enabled and unchecked
// in every state.
const RuleRow kRules[] = {
    {"-",
     "e",
     "e",
     "e",
     "-",
     {kReload, kReopenWithEncoding, kBack, kFirst, kLast, kChild, kBranchStart, kBranchEnd,
      kPrevComment, kNextComment, kFastRewind, kPrevious, kNext, kFastForward, kToMoveNumber,
      kToClicked}},
    {"-",
     "e",
     "-",
     "e",
     "-",
     {kUndo, kAddBlack, kAddWhite, kAddEmpty, kCircle, kTriangle, kSquare, kCross, kLabel,
      kDeleteMarkers, kPass, kAddBranch, kDelete, kDeleteAfterCurrent, kEditNodeName,
      kSetMoveNumber, kUnsetMoveNumber, kAutoSetMoveNumbers, kUnsetAllMoveNumbers}},
    // The folds need a tree pane, the games a game list, and moving the
    // keyboard other panes, which this document has not.
    {"-",
     "-",
     "-",
     "-",
     "-",
     {kRedo, kSaveTryPlay, kForward, kParent, kPrevBranch, kNextBranch, kResetBoard, kFoldHere,
      kUnfoldHere, kUnfoldAll, kGameList, kOpenFolder, kNextGame, kPreviousGame, kNextPane,
      kPreviousPane}},
    {"ec",
     "ec",
     "ec",
     "ec",
     "ec",
     {kBitmapBoard, kHideAllMoveNumbers, kResetInBranch, kShowBranchMoves, kAutoBranch,
      kLayoutAutomatic, kShowGameTree}},
    {"-", "e", "e", "e", "e", {kGameInformation}},
    {"-", "e", "e", "ec", "-", {kTryPlay}},
    {"-",
     "e",
     "e",
     "e",
     "e",
     {kPrintPreview, kPrint, kExportPdf, kExportBoardPng, kExportBoardSvg}},
    {"-", "e", "ec", "ec", "e", {kReadOnly}},
    {"-", "ec", "-c", "ec", "-c", {kAlternateMove}},
    {"e", "ec", "ec", "ec", "ec", {kBoard9}},
};

TEST_F(DocumentTest, EveryCommandIsEnabledAndCheckedByItsRuleWithAndWithoutAnEditor) {
  const auto shown = [this] {
    std::map<int, std::string> codes;
    for (const Command& command : table_.commands()) {
      codes[command.id] =
          std::string(command.IsEnabled() ? "e" : "-") + (command.IsChecked() ? "c" : "");
    }
    return codes;
  };
  const auto noEditor = shown();
  ASSERT_TRUE(
      document_.OnOpenDocument(Write("g.sgf", "(;SZ[9];B[aa]MN[3];W[bb](;B[cc])(;B[dd];W[ee]))"))
          .ok);
  document_.editor()->SetComment(u"edited");
  Run(kNext);
  const auto editing = shown();
  Run(kReadOnly);
  const auto readOnly = shown();
  Run(kTryPlay);
  const auto trying = shown();
  Run(kTryPlay);
  Run(kReadOnly);
  Run(kToClicked);
  const auto awaiting = shown();

  for (const Command& command : table_.commands()) {
    const auto found = std::find_if(std::begin(kRules), std::end(kRules), [&](const RuleRow& row) {
      return std::find(row.ids.begin(), row.ids.end(), command.id) != row.ids.end();
    });
    const RuleRow row = found != std::end(kRules) ? *found : RuleRow{"e", "e", "e", "e", "e", {}};
    const std::string name = CommandName(command.menuText);
    EXPECT_EQ(noEditor.at(command.id), row.noEditor) << name << " without an editor";
    EXPECT_EQ(editing.at(command.id), row.editing) << name << " while editing";
    EXPECT_EQ(readOnly.at(command.id), row.readOnly) << name << " read-only";
    EXPECT_EQ(trying.at(command.id), row.tryingReadOnly) << name << " trying moves read-only";
    EXPECT_EQ(awaiting.at(command.id), row.awaitingClick) << name << " awaiting a click";
  }
}

// The shell prints and writes the pictures; Page Setup needs no record.
TEST_F(DocumentTest, PrintoutAndPictureCommandsAskTheShell) {
  Run(kPageSetup);
  ASSERT_TRUE(document_.OnOpenDocument(Write("g.sgf", "(;SZ[9];B[aa])")).ok);
  Run(kPrint);
  Run(kExportBoardSvg);
  using Output = DocumentUi::Output;
  EXPECT_EQ(ui_.produced, (std::vector{Output::PageSetup, Output::Print, Output::BoardSvg}));
}

TEST_F(DocumentTest, ReopenWithEncodingDecodesWithTheChosenCodePageAndNamesIt) {
  // Shift_JIS bytes under a wrong label; the value ends in a 0x5C trail byte.
  const std::string bytes = "(;CA[UTF-8]PB[\x90\x5c\xe1\xc1\x83\x5c]BR[9d])";
  const std::string path = Write("wrong.sgf", bytes);
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  EXPECT_TRUE(Enabled(kReopenWithEncoding));
  ui_.answers.push_back(u"932");
  Run(kReopenWithEncoding);
  EXPECT_EQ(document_.editor()->codePage(), 932);
  const Node& root = *document_.editor()->recordRoot()->NodeAt(0);
  EXPECT_EQ(root.Find(kPropPB)->text(), u"\u7533\u771e\u30bd");
  EXPECT_EQ(root.Find(kPropBR)->text(), u"9d");
  EXPECT_TRUE(document_.IsModified());
  ASSERT_TRUE(document_.Save(false));
  // The writer escapes the trail bytes, which reads back the same.
  EXPECT_EQ(ReadFileBytes(path), "(;CA[shift_jis]PB[\x90\x5c\\\xe1\xc1\x83\x5c\\]BR[9d]\r\n)");
  Run(kUndo);
  EXPECT_EQ(document_.editor()->recordRoot()->NodeAt(0)->Find(kPropCA)->text(), u"UTF-8");
}

TEST_F(DocumentTest, ReopenWithACodePageThatIsNotLoadedIsRefused) {
  const std::string path = Write("game.sgf", "(;C[x])");
  ASSERT_TRUE(document_.OnOpenDocument(path).ok);
  EXPECT_FALSE(document_.ReopenWithEncoding(10000));
  EXPECT_EQ(ui_.shown,
            std::vector<std::string>{"Code page 10000 is not one of the loaded code pages."});
  EXPECT_FALSE(document_.editor()->CanUndo());
}

// The edits, the undo history and the save question belong to the game open.
TEST_F(DocumentTest, SwitchingGamesWithUnsavedEditsAsksFirstAsOpenDoes) {
  const std::string games = "(;PB[one];B[aa])\n(;PB[two];B[bb])\n(;PB[three];B[cc])\n";
  const std::string path = Write("games.sgf", games);
  ASSERT_TRUE(document_.OnOpenDocument(path, 1).ok);
  EXPECT_EQ(document_.GameCount(), 3u);
  EXPECT_EQ(Sgf(), "(;PB[two]\r\n;B[bb])");
  document_.editor()->SetComment(u"mine");

  ui_.shown.clear();
  ui_.saveAnswer = DocumentUi::SaveAnswer::Cancel;
  EXPECT_FALSE(document_.SwitchToGame(2));
  EXPECT_EQ(ui_.shown, std::vector<std::string>{"save changes: games.sgf"});
  EXPECT_EQ(document_.gameIndex(), 1u);
  EXPECT_TRUE(document_.IsModified());

  ui_.saveAnswer = DocumentUi::SaveAnswer::Save;
  ASSERT_TRUE(document_.SwitchToGame(2));
  EXPECT_EQ(document_.gameIndex(), 2u);
  EXPECT_FALSE(document_.IsModified());
  EXPECT_FALSE(Enabled(kUndo)) << "the undo history is the new game's";
  EXPECT_EQ(Sgf(), "(;PB[three]\r\n;B[cc])");
  const std::string saved = "(;PB[one];B[aa])\n(;C[mine]PB[two]\r\n;B[bb])\n(;PB[three];B[cc])\n";
  EXPECT_EQ(ReadFileBytes(path), saved);

  document_.editor()->SetComment(u"dropped");
  ui_.saveAnswer = DocumentUi::SaveAnswer::Discard;
  ASSERT_TRUE(document_.SwitchToGame(0));
  EXPECT_EQ(Sgf(), "(;PB[one]\r\n;B[aa])");
  ASSERT_TRUE(document_.SwitchToGame(1));
  EXPECT_EQ(Sgf(), "(;C[mine]PB[two]\r\n;B[bb])") << "the saved game reads as saved";
  EXPECT_EQ(ReadFileBytes(path), saved);
  EXPECT_FALSE(document_.SwitchToGame(1));
  EXPECT_FALSE(document_.SwitchToGame(3));
}

// Opening a file hands it to the list, which shows itself for several games;
// a game opened from the list leaves the list as it is, and a game of
// another file is opened as Open opens it, once the shell allows.
TEST_F(DocumentTest, TheListOpensGamesOfTheFileOpenAndOfOtherFilesAskingFirst) {
  const std::string games = Write("games.sgf", "(;PB[one])(;PB[two])");
  const std::string other = Write("other.sgf", "(;PB[other])");
  ASSERT_TRUE(document_.OnOpenDocument(other).ok);
  ASSERT_TRUE(document_.OnOpenDocument(games).ok);
  EXPECT_EQ(ui_.listed, (std::vector<std::string>{other, games + " shown"}));

  ui_.saveAnswer = DocumentUi::SaveAnswer::Cancel;
  EXPECT_TRUE(document_.OpenListedGame({games, 0})) << "already open";
  EXPECT_TRUE(document_.OpenListedGame({games, 1}));
  document_.editor()->SetComment(u"mine");
  EXPECT_FALSE(document_.OpenListedGame({other, 0}));
  EXPECT_FALSE(document_.OpenListedGame({games, 0}));
  EXPECT_EQ(
      std::count_if(ui_.shown.begin(), ui_.shown.end(),
                    [](const std::string& line) { return line.starts_with("save changes:"); }),
      2);
  EXPECT_EQ(document_.path(), games);
  EXPECT_EQ(document_.gameIndex(), 1u);

  ui_.saveAnswer = DocumentUi::SaveAnswer::Discard;
  ASSERT_TRUE(document_.OpenListedGame({other, 0}));
  EXPECT_EQ(Sgf(), "(;PB[other]\r\n)");
  EXPECT_EQ(ui_.listed.size(), 2u) << "the list keeps what it holds";
  EXPECT_FALSE(document_.OpenListedGame({games, 5}));
  EXPECT_EQ(document_.path(), other);
}

// Next Game and Previous Game follow the shell's list as it is shown;
// without one, the order of the file.
TEST_F(DocumentTest, NextAndPreviousGameFollowTheListElseTheFile) {
  const std::string games = Write("games.sgf", "(;PB[one])(;PB[two])(;PB[three])");
  const std::string other = Write("other.sgf", "(;PB[other])");
  ASSERT_TRUE(document_.OnOpenDocument(games).ok);
  ui_.openGame = [this] { return GamePlace{document_.path(), document_.gameIndex()}; };
  EXPECT_FALSE(Enabled(kPreviousGame));
  Run(kNextGame);
  Run(kNextGame);
  EXPECT_EQ(document_.gameIndex(), 2u);
  EXPECT_FALSE(Enabled(kNextGame));

  ui_.listOrder = {{games, 2}, {other, 0}, {games, 0}};
  Run(kNextGame);
  EXPECT_EQ(document_.path(), other);
  Run(kNextGame);
  EXPECT_EQ(document_.path(), games);
  EXPECT_EQ(document_.gameIndex(), 0u);
  EXPECT_FALSE(Enabled(kNextGame)) << "the end of the list";
  EXPECT_EQ(document_.NeighbourGame(-2), (GamePlace{games, 2}));

  ui_.listOrder = {{games, 2}, {games, 0}};
  ASSERT_TRUE(document_.SwitchToGame(1));
  EXPECT_EQ(document_.NeighbourGame(1), (GamePlace{games, 2})) << "from outside the list";
  ui_.listOrder = {{games, 1}};
  EXPECT_FALSE(Enabled(kNextGame)) << "the only game listed is the one open";
}

}  // namespace
}  // namespace vantaro::test
