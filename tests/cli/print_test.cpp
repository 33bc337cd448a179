#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cli/cli_process.h"
#include "cli/output_checks.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

// Move 3 takes move 2, move 5 is played where it stood, move 6 is a pass.
constexpr const char* kGame =
    "(;GN[Final]PW[\xe6\x9c\xac\xe5\x9b\xa0\xe5\x9d\x8a]PB[Cho]PC[Seoul]SZ[5]"
    ";B[ba];W[aa];B[ab]C[takes];W[dd];B[aa];W[];B[cc])";
constexpr const char* kFigures =
    "figure 1: moves 1-5\n5 at 2\ncomment 3: takes\n\nfigure 2: moves 6-7\n6 pass\n\n";
// Two games; the second has two variations, the second commented.
constexpr const char* kCollection =
    "(;SZ[9];B[aa])\n(;SZ[9];B[bb];W[cc](;B[dd])(;B[ee]C[second\nline]))";

class PrintCommandTest : public CliTest {
 protected:
  void SetUp() override {
    const char* paper = std::getenv("PAPERSIZE");
    savedPaper_ = paper != nullptr ? std::optional<std::string>(paper) : std::nullopt;
  }
  void TearDown() override {
    if (savedPaper_) {
      setenv("PAPERSIZE", savedPaper_->c_str(), 1);
    } else {
      unsetenv("PAPERSIZE");
    }
  }

  std::optional<std::string> savedPaper_;
};

TEST_F(PrintCommandTest, FiguresListEachFigureWithItsNotesAndComments) {
  const std::string game = Write("game.sgf", kGame);
  const ProcessResult result = RunCli({"figures", "--set", "Print-FixedMoveCount=5", game});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, kFigures);
  EXPECT_EQ(RunCli({"figures", game, "--set", "Print-FixedMoveCount=5"}).out, kFigures);
  EXPECT_EQ(RunCli({"figures", game}).out,
            "figure 1: moves 1-7\n5 at 2\n6 pass\ncomment 3: takes\n\n");
}

TEST_F(PrintCommandTest, TheDesktopProgramsPrintSettingsApplyUnlessSetOtherwise) {
  std::filesystem::create_directories(PathOf("config/Brenmoor"));
  Write("config/Brenmoor/Vantaro4.conf",
        "[Option]\nPrint-FixedMoveCount=5\nPrint-header=\"%PC%, page %PAGE%\"\n");
  const std::string game = Write("game.sgf", kGame);
  EXPECT_EQ(RunCli({"figures", game}).out, kFigures);
  EXPECT_EQ(RunCli({"figures", game, "--set", "Print-FixedMoveCount=20"}).out,
            "figure 1: moves 1-7\n5 at 2\n6 pass\ncomment 3: takes\n\n");
  const std::string pdf = PathOf("game.pdf");
  ASSERT_EQ(RunCli({"print", game, "-o", pdf}).status, 0);
  const std::optional<std::string> text = PdfText(pdf);
  if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  EXPECT_NE(text->find("Seoul, page 1"), std::string::npos) << *text;
}

TEST_F(PrintCommandTest, GameAndPathChooseTheLine) {
  const std::string file = Write("two.sgf", kCollection);
  EXPECT_EQ(RunCli({"figures", file}).out, "figure 1: moves 1-1\n\n");
  EXPECT_EQ(RunCli({"figures", file, "--game", "2"}).out, "figure 1: moves 1-3\n\n");
  EXPECT_EQ(RunCli({"figures", "--game", "2", "--path", "1/0", file}).out,
            "figure 1: moves 1-3\ncomment 3: second\\nline\n\n");

  const ProcessResult noGame = RunCli({"figures", file, "--game", "3"});
  EXPECT_EQ(noGame.status, 1);
  EXPECT_EQ(noGame.err,
            "vantaro-cli: " + file + ": there is no game 3: the file holds 2 games\n");
  const ProcessResult noNode = RunCli({"figures", file, "--path", "1/0"});
  EXPECT_EQ(noNode.status, 1);
  EXPECT_EQ(noNode.err, "vantaro-cli: " + file + ": no node at path 1/0\n");
}

TEST_F(PrintCommandTest, MistakesAreReportedWithTheUsage) {
  const std::string game = Write("game.sgf", kGame);
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{"figures"}, "usage: vantaro-cli figures [--set NAME=VALUE]... FILE [--game N] [--path P]"},
      {{"print", game},
       "usage: vantaro-cli print [--set NAME=VALUE]... FILE [--game N] [--path P] -o OUT.pdf"},
      {{"figures", game, "-o", "x.pdf"}, "figures: unknown option -o"},
      {{"print", game, "--game", "0", "-o", "x.pdf"},
       "print: --game 0: not a game number (1 is the first game)"},
      {{"figures", game, "--path", "x"}, "figures: --path needs a path such as 0.1/3"},
  };
  for (const auto& row : cases) {
    const ProcessResult result = RunCli(row.arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "vantaro-cli: " + row.message + "\n");
  }
}

TEST_F(PrintCommandTest, ThePdfHoldsTitleHeaderFooterNotesAndCommentsAsText) {
  const std::string game = Write("game.sgf", kGame);
  const std::string pdf = PathOf("game.pdf");
  const ProcessResult result =
      RunCli({"print", "--set", "Print-FixedMoveCount=5", "--set", "Print-FigurePerPage=1", "--set",
              "Print-footer=%PC% 100%%", game, "-o", pdf});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::optional<std::string> text = PdfText(pdf);
  if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  for (const char* expected :
       {"Final \xe6\x9c\xac\xe5\x9b\xa0\xe5\x9d\x8a (W) vs Cho (B)",
        "Final \xe6\x9c\xac\xe5\x9b\xa0\xe5\x9d\x8a (W) vs Cho (B) Page 1 of 2", "Page 2 of 2",
        "Seoul 100%", "Moves 1-5", "5 at 2", "3: takes", "Moves 6-7", "6 pass"}) {
    EXPECT_NE(text->find(expected), std::string::npos) << expected << " in\n" << *text;
  }
  EXPECT_EQ(text->find("Page 3"), std::string::npos);
}

TEST_F(PrintCommandTest, PagesAreOfTheSystemsPaper) {
  const std::string game = Write("game.sgf", kGame);
  const auto pageSize = [&](const char* paper) {
    setenv("PAPERSIZE", paper, 1);
    const std::string pdf = PathOf(std::string(paper) + ".pdf");
    EXPECT_EQ(RunCli({"print", game, "-o", pdf}).status, 0);
    const std::optional<std::string> info = PdfInfo(pdf);
    const size_t at = info ? info->find("Page size:") : std::string::npos;
    return at == std::string::npos ? std::string() : info->substr(at, info->find('\n', at) - at);
  };
  if (!PdfInfo(Write("probe.pdf", "%PDF-1.4"))) GTEST_SKIP() << "pdfinfo is not installed";
  EXPECT_NE(pageSize("letter").find("612 x 792 pts"), std::string::npos);
  EXPECT_NE(pageSize("A4").find("595 x 842 pts"), std::string::npos);
}

TEST_F(PrintCommandTest, AFailedPrintLeavesAnEarlierFileInPlace) {
  WriteFileBytes(PathOf("out.pdf"), "earlier");
  const ProcessResult missing = RunCli({"print", PathOf("missing.sgf"), "-o", PathOf("out.pdf")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(ReadFileBytes(PathOf("out.pdf")), "earlier");
  const std::string unwritable = PathOf("no-such-folder/out.pdf");
  const ProcessResult result = RunCli({"print", Write("game.sgf", kGame), "-o", unwritable});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "vantaro-cli: " + unwritable + ": cannot write the printout\n");
}

}  // namespace
}  // namespace vantaro::test
