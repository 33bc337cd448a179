#include <gtest/gtest.h>

#include "cli/cli_process.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

class RunScriptTest : public CliTest {
 protected:
  ProcessResult Run(std::string_view record, const std::string& script,
                    std::vector<std::string> settings = {}) {
    std::vector<std::string> arguments = settings;
    arguments.push_back("run");
    arguments.push_back(Write("game.sgf", record));
    return RunCli(arguments, script);
  }
};

TEST_F(RunScriptTest, NavigationAndPrinting) {
  const ProcessResult result =
      Run("(;SZ[5];B[aa];W[bb](;B[cc])(;B[dd]))",
          "# comments and blank lines are skipped\n\nNext\nNext\nprint status\nprint board\n"
          "Next\nprint status\nTo Move Number 1\nprint status\nprint node\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "move=2 toPlay=B modified=0 readOnly=0 tryPlay=0 path=/2 capturesB=0 capturesW=0\n"
            "X....\n.O...\n.....\n.....\n.....\n"
            "move=3 toPlay=W modified=0 readOnly=0 tryPlay=0 path=0/0 capturesB=0 capturesW=0\n"
            "move=1 toPlay=W modified=0 readOnly=0 tryPlay=0 path=/1 capturesB=0 capturesW=0\n"
            ";B[aa]\n");
  // Next follows the main line unless told to prefer the side variation.
  const ProcessResult variantFirst =
      Run("(;SZ[5];B[aa];W[bb](;B[cc])(;B[dd]))", "Next\nNext\nNext\nprint status\n",
          {"--set", "variantBranchFirst=1"});
  EXPECT_EQ(variantFirst.out,
            "move=3 toPlay=W modified=0 readOnly=0 tryPlay=0 path=1/0 capturesB=0 capturesW=0\n");
}

TEST_F(RunScriptTest, DisabledCommandsAreRefused) {
  const ProcessResult result =
      Run("(;SZ[5];B[aa])", "Previous\nUndo\nprint state Undo\nprint state Play Sound\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "refused: Previous\nrefused: Undo\ndisabled unchecked\nenabled checked\n");
}

TEST_F(RunScriptTest, EditsUndoAndTheWholeRecord) {
  const ProcessResult result =
      Run("(;SZ[5];B[aa])",
          "Last\nclick 2 2\ncomment two\\nlines\nEdit Node Name key\nprint sgf\nUndo\nUndo\nUndo\n"
          "print status\nRedo\nprint node\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "(;SZ[5]\r\n;B[aa];W[cc]C[two\r\nlines]N[key])\n"
            "move=1 toPlay=W modified=0 readOnly=0 tryPlay=0 path=/1 capturesB=0 capturesW=0\n"
            ";W[cc]\n");
}

TEST_F(RunScriptTest, QuestionsAndMessages) {
  const ProcessResult result =
      Run("(;SZ[5];B[aa])",
          "Custom Size 17*15 no\nprint status\nCustom Size\nCustom Size 17*15\nprint board\n");
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string question =
      "question: If you change board size, all changes will be discarded. Do you really want to "
      "do that?\n";
  EXPECT_EQ(result.out.substr(0, question.size()), question);
  EXPECT_NE(result.out.find("message: Invalid board size.\n"), std::string::npos);
  // After "yes" (the default) a new 17 x 15 record replaces the file's.
  const std::string rows = result.out.substr(result.out.rfind(question) + question.size());
  EXPECT_EQ(rows.size(), 15u * 18u);
  EXPECT_EQ(Run("(;SZ[5])", "About Vantaro\n").out, "message: Vantaro " PROJECT_VERSION "\n");
}

TEST_F(RunScriptTest, SaveAsWritesTheFileAndOpenReadsOne) {
  const std::string other = Write("other.sgf", "(;SZ[9];B[ee])");
  const std::string saved = (directory_.path() / "saved.sgf").string();
  const ProcessResult result =
      Run("(;SZ[5];B[aa])", "Save As " + saved + "\nOpen " + other + "\nLast\nprint node\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(saved), "(;SZ[5]\r\n;B[aa])");
  EXPECT_EQ(result.out, ";B[ee]\n");
}

// Black takes one stone at move 3, White two at move 10.
TEST_F(RunScriptTest, StatusCountsTheStonesEachSideCapturedOnThePath) {
  const ProcessResult result =
      Run("(;SZ[5];B[ab];W[aa];B[ba];W[ac];B[ee];W[bb];B[ed];W[ca];B[dd];W[aa])",
          "To Move Number 3\nprint status\nLast\nprint status\nprint board\nPrevious\n"
          "print status\nclick 2 2\nprint status\nFirst\nprint status\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "move=3 toPlay=W modified=0 readOnly=0 tryPlay=0 path=/3 capturesB=1 capturesW=0\n"
            "move=10 toPlay=B modified=0 readOnly=0 tryPlay=0 path=/10 capturesB=1 capturesW=2\n"
            "O.O..\n.O...\nO....\n...XX\n....X\n"
            "move=9 toPlay=W modified=0 readOnly=0 tryPlay=0 path=/9 capturesB=1 capturesW=0\n"
            // White plays elsewhere instead, in a new variation, and takes nothing.
            "move=10 toPlay=B modified=1 readOnly=0 tryPlay=0 path=1/0 capturesB=1 capturesW=0\n"
            "move=0 toPlay=B modified=1 readOnly=0 tryPlay=0 path=/0 capturesB=0 capturesW=0\n");
}

TEST_F(RunScriptTest, PrintInfoShowsTheGameInformationInTableOrder) {
  const ProcessResult result =
      Run("(;GM[1]RU[Japanese]RE[W+R]PW[Ren]PB[Aoi \\] Sato]KM[6.5]GC[two\r\nlines\nthree]"
          "C[no];B[aa]PB[not the root])",
          "print info\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "GC: two\\nlines\\nthree\nPB: Aoi ] Sato\nPW: Ren\nKM: 6.5\nRE: W+R\n"
            "RU: Japanese\n");
}

// Each value is stored as the dialog's OK stores it: one undo step, an
// empty value removes the property, a warned value is stored after the
// warning and a refused one changes nothing.
TEST_F(RunScriptTest, InfoStoresWarnsAboutOrRefusesEachValue) {
  const ProcessResult result =
      Run("(;PB[Aoi]KM[6.5];B[aa])",
          "info PB=\ninfo KM=7.5\ninfo DT=last spring\ninfo HA=1\ninfo C=comment\n"
          "info GN=Game\\nOne\nprint info\nUndo\nprint info\nRead Only\ninfo PW=Ren\n"
          "print info\ninfo PW\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "warning: Not a date of the form 2024-03-05 (or 2024-03, 2024, or a list such as "
            "2024-03-05,06)\n"
            "refused: Handicap must be 0 or a whole number from 2 up\n"
            "refused: C is not a game information property\n"
            "GN: Game\\nOne\nDT: last spring\nKM: 7.5\n"
            "DT: last spring\nKM: 7.5\n"
            "refused: the record may not be edited\n"
            "DT: last spring\nKM: 7.5\n");
  EXPECT_EQ(result.err, "vantaro-cli: stdin:13: usage: info ID=VALUE\n");
}

TEST_F(RunScriptTest, ErrorsNameTheScriptLine) {
  const std::string script = Write("script.txt", "Next\nJump around\nNext\n");
  const ProcessResult unknown = RunCli({"run", Write("game.sgf", "(;B[aa];W[bb])"), script});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "vantaro-cli: " + script + ":2: unknown command: Jump around\n");
  const ProcessResult badClick = Run("(;B[aa])", "click 1\n");
  EXPECT_EQ(badClick.status, 1);
  EXPECT_EQ(badClick.err, "vantaro-cli: stdin:1: usage: click X Y\n");
  const ProcessResult missing = RunCli({"run", (directory_.path() / "none.sgf").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos);
}

// Trees drawn by hand. Variations of a deeper node come first in record
// order, so they lie higher; a later one goes below everything in its columns.
//
//   row 0:  /0 - /1 - 0/0 - 0.0/0
//   row 1:              `- 0.1/0 - 0.1/1
//   row 2:        `- 1/0
TEST_F(RunScriptTest, PrintTreeGivesEveryCellInRecordOrder) {
  const ProcessResult small =
      Run("(;SZ[9];B[aa](;W[bb](;B[cc])(;B[dd];W[ee]))(;W[ff]))", "print tree\n");
  EXPECT_EQ(small.status, 0) << small.err;
  EXPECT_EQ(small.out,
            "/0 0 0\n/1 0 1\n0/0 0 2\n0.0/0 0 3\n0.1/0 1 3\n0.1/1 1 4\n1/0 2 2\n");

  // Later variations of one node stack downward, each below the lines of
  // the ones before it.
  //   row 0:  /0 - /1 - 0/0 - 0/1
  //   row 1:        `- 1/0
  //   row 2:        `- 2/0 - 2/1 - 2/2 - 2/3
  //   row 3:        `- 3/0
  const ProcessResult stacked = Run(
      "(;SZ[9];B[aa](;W[bb];B[cc])(;W[dd])(;W[ee];B[ff];W[gg];B[hh])(;W[ii]))", "print tree\n");
  EXPECT_EQ(stacked.out,
            "/0 0 0\n/1 0 1\n0/0 0 2\n0/1 0 3\n1/0 1 2\n2/0 2 2\n2/1 2 3\n2/2 2 4\n2/3 2 5\n"
            "3/0 3 2\n");

  // A variation of a deeper node placed first keeps a later, shallower one
  // below it wherever their columns meet.
  //   row 0:  /0 - /1 - 0/0 - 0.0/0 - 0.0/1
  //   row 1:              `- 0.1/0 - 0.1/1 - 0.1/2
  //   row 2:        `- 1/0 - 1/1
  const ProcessResult deeperFirst =
      Run("(;SZ[9];B[aa](;W[bb](;B[cc];W[dd])(;B[ee];W[ff];B[gg]))(;W[hh];B[ii]))", "print tree\n");
  EXPECT_EQ(deeperFirst.out,
            "/0 0 0\n/1 0 1\n0/0 0 2\n0.0/0 0 3\n0.0/1 0 4\n0.1/0 1 3\n0.1/1 1 4\n0.1/2 1 5\n"
            "1/0 2 2\n1/1 2 3\n");
}

TEST_F(RunScriptTest, FoldingShowsASubtreeAsOneCellUntilTheCursorGoesIn) {
  const ProcessResult result =
      Run("(;SZ[9];B[aa](;W[bb](;B[cc])(;B[dd];W[ee]))(;W[ff]))",
          "fold /1\nprint tree\nfold /0\nunfold 0/0\nfold 0/0\nprint tree\nunfold /1\n"
          "print tree\nNext\nNext\nNext\nprint tree\n",
          {"--set", "variantBranchFirst=0"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            // The whole subtree of /1 in its one cell.
            "/0 0 0\n/1 0 1 folded 5\n"
            "refused: fold\n"
            // A fold inside a fold stays when the outer one opens.
            "/0 0 0\n/1 0 1 folded 5\n"
            "/0 0 0\n/1 0 1\n0/0 0 2 folded 3\n1/0 1 2\n"
            // Going to a node a fold hides opens it.
            "/0 0 0\n/1 0 1\n0/0 0 2\n0.0/0 0 3\n0.1/0 1 3\n0.1/1 1 4\n1/0 2 2\n");
  const ProcessResult missing = Run("(;SZ[9];B[aa])", "unfold 3/0\n");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "vantaro-cli: stdin:1: unfold: no node at 3/0\n");
}

// Said once: saved, the record is a UTF-8 one.
TEST_F(RunScriptTest, TextItsCodePageCannotHoldIsSavedInUtf8WithAMessage) {
  const ProcessResult result =
      Run("(;CA[Windows-1252]PB[Jos\xe9])", "comment \xe7\xa2\x81\nSave\nSave\nprint sgf\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "message: game.sgf is now saved in UTF-8 so that all of its text is kept.\n"
            "(;CA[UTF-8]C[\xe7\xa2\x81]PB[Jos\xc3\xa9]\r\n)\n");
}

TEST_F(RunScriptTest, AFileThatHoldsNoRecordIsNotOpened) {
  const ProcessResult result = Run("\x89PNG\r\n\x1a\n", "print status\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "message: game.sgf is not a game record.\n");
  EXPECT_EQ(result.err, "vantaro-cli: " + PathOf("game.sgf") + ": not a game record\n");
}

}  // namespace
}  // namespace vantaro::test
