#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>

#include "cli/cli_process.h"
#include "cli/output_checks.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

constexpr const char* kGame = "(;SZ[9];B[cc];W[gg](;B[cg])(;B[gc];W[ee]))";

class RenderCommandTest : public CliTest {
 protected:
  ProcessResult Render(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "render");
    return RunCli(arguments);
  }
  QImage Picture(const std::string& name) {
    return QImage(QString::fromStdString(PathOf(name))).convertToFormat(QImage::Format_RGB32);
  }
  // Draws kGame with the arguments, GAME standing for the record and OUT
  // for the picture of that name (at the end when not given), and gives the picture.
  QImage Drawn(const std::string& name, std::vector<std::string> arguments) {
    Draw(name, std::move(arguments));
    return Picture(name);
  }
  // The same, for a document of any kind.
  void Draw(const std::string& name, std::vector<std::string> arguments) {
    if (std::find(arguments.begin(), arguments.end(), "OUT") == arguments.end()) {
      arguments.insert(arguments.end(), {"-o", "OUT"});
    }
    const std::string game = Write("game.sgf", kGame);
    for (std::string& argument : arguments) {
      if (argument == "GAME") argument = game;
      if (argument == "OUT") argument = PathOf(name);
    }
    const ProcessResult result = Render(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
  }
};

TEST_F(RenderCommandTest, DrawsTheFirstNodeIntoA600By600PictureWithoutADisplay) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string saved = platform != nullptr ? platform : "";
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  const QImage picture = Drawn("board.png", {"GAME"});
  if (platform != nullptr) setenv("QT_QPA_PLATFORM", saved.c_str(), 1);
  EXPECT_EQ(picture.size(), QSize(600, 600));
  EXPECT_EQ(picture, Drawn("start.png", {"GAME", "--path", "/0"}));
}

TEST_F(RenderCommandTest, OptionsMayComeInAnyOrder) {
  const QImage picture = Drawn("a.png", {"GAME", "--size", "320x200", "--move", "2"});
  EXPECT_EQ(picture.size(), QSize(320, 200));
  EXPECT_EQ(picture,
            Drawn("b.png", {"-o", "OUT", "--move", "2", "--size", "320x200", "--", "GAME"}));
}

TEST_F(RenderCommandTest, AMoveNumberAndThePathOfItsNodeDrawTheSame) {
  const QImage move4 = Drawn("move.png", {"GAME", "--move", "4", "--size", "200"});
  EXPECT_EQ(move4.size(), QSize(200, 200));
  EXPECT_EQ(move4, Drawn("path.png", {"GAME", "--path", "1/1", "--size", "200"}));
  EXPECT_NE(move4, Drawn("start.png", {"GAME", "--path", "/0", "--size", "200"}));
  // Move 4 is only in the second variation; move 3 is found on the main line.
  const QImage main = Drawn("main.png", {"GAME", "--path", "0/0", "--size", "200"});
  EXPECT_NE(move4, main);
  EXPECT_EQ(main, Drawn("three.png", {"GAME", "--move", "3", "--size", "200"}));
}

TEST_F(RenderCommandTest, ViewSettingsChangeThePicture) {
  const QImage plain = Drawn("plain.png", {"GAME", "--move", "2"});
  const QImage turned = Drawn(
      "turned.png", {"--set", "rotation=1", "GAME", "--move", "2", "--set", "flipVertical=1"});
  EXPECT_NE(plain, turned);
  // A quarter turn and a vertical flip show the board as three quarter turns
  // and a horizontal flip do.
  EXPECT_EQ(turned, Drawn("again.png", {"GAME", "--move", "2", "--set", "flipHorizontal=1", "--set",
                                        "rotation=3"}));
  const QImage red =
      Drawn("red.png", {"GAME", "--set", "boardColor=0x0000FF", "--set", "boardBitmap=0"});
  EXPECT_EQ(red.pixel(310, 320), qRgb(255, 0, 0));
}

// An SVG has a shape of its own for every stone, and it looks as the
// picture does.
TEST_F(RenderCommandTest, AnSvgHasOneShapePerStoneAndLooksLikeThePicture) {
  for (const char* setting : {"stoneTypeB=0", "stoneTypeB=2"}) {
    SCOPED_TRACE(setting);
    const std::vector<std::string> position = {"GAME", "--path", "1/1",  "--size",
                                               "300",  "--set",  setting};
    const QImage picture = Drawn("board.png", position);
    std::vector<std::string> svg = position;
    svg.insert(svg.end(), {"-o", "OUT"});
    Draw("board.svg", svg);
    const SvgContents contents = ReadSvg(PathOf("board.svg"), 300 / 9 / 3);
    EXPECT_TRUE(contents.parsed);
    EXPECT_EQ(contents.discs, 4);
    // One stone less differs in 1.4 % of the pixels.
    EXPECT_LT(PercentDifferent(Rasterised(PathOf("board.svg"), picture.size()), picture), 1.0);
  }
}

TEST_F(RenderCommandTest, APdfIsOnePageOfThePicturesSizeWithItsTextAsText) {
  Draw("board.pdf", {"GAME", "--size", "300x200", "--set", "showCoord=1", "-o", "OUT"});
  EXPECT_TRUE(ReadFileBytes(PathOf("board.pdf")).starts_with("%PDF-"));
  const std::optional<std::string> info = PdfInfo(PathOf("board.pdf"));
  const std::optional<std::string> text = PdfText(PathOf("board.pdf"));
  if (!info || !text) GTEST_SKIP() << "poppler-utils is not installed";
  EXPECT_NE(info->find("Pages:           1\n"), std::string::npos) << *info;
  EXPECT_NE(info->find("225 x 150 pts"), std::string::npos) << *info;
  for (const char* label : {"A", "J", "1", "9"}) {
    EXPECT_NE(text->find(label), std::string::npos) << label;
  }
}

// A figure numbers its moves on the position before the first of them.
TEST_F(RenderCommandTest, AFigureNumbersItsMovesOnThePositionBeforeThem) {
  Draw("figure.svg",
       {"GAME", "--path", "1/1", "--figure", "3-4", "--set", "Print-ShowCoord=0", "-o", "OUT"});
  const SvgContents figure = ReadSvg(PathOf("figure.svg"), 600 / 9 / 3);
  EXPECT_TRUE(figure.parsed);
  EXPECT_EQ(figure.discs, 4);
  EXPECT_EQ(figure.texts, std::vector<std::string>({"3", "4"}));
  Draw("main.svg", {"GAME", "--figure", "1-9", "--set", "Print-ShowCoord=0", "-o", "OUT"});
  std::vector<std::string> numbers = ReadSvg(PathOf("main.svg"), 600 / 9 / 3).texts;
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers, std::vector<std::string>({"1", "2", "3"}));

  const std::string game = Write("game.sgf", kGame);
  const ProcessResult beyond = Render({game, "--figure", "4-5", "-o", PathOf("none.png")});
  EXPECT_EQ(beyond.status, 1);
  EXPECT_EQ(beyond.err, "vantaro-cli: " + game + ": no move 4\n");
}

struct UsageCase {
  std::vector<std::string> arguments;
  std::string message;
};

class RenderUsageTest : public RenderCommandTest,
                        public ::testing::WithParamInterface<UsageCase> {};

TEST_P(RenderUsageTest, ReportsTheMistakeAndWritesNothing) {
  const std::string game = Write("game.sgf", kGame);
  std::vector<std::string> arguments;
  for (const std::string& argument : GetParam().arguments) {
    arguments.push_back(argument == "GAME"  ? game
                        : argument == "OUT" ? PathOf("out.png")
                                            : argument);
  }
  const ProcessResult result = Render(arguments);
  std::string message = GetParam().message;
  if (const size_t at = message.find("GAME"); at != std::string::npos) message.replace(at, 4, game);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "vantaro-cli: " + message + "\n");
  EXPECT_TRUE(Picture("out.png").isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, RenderUsageTest,
    ::testing::Values(
        UsageCase{{"GAME"},
                  "usage: vantaro-cli render [--set NAME=VALUE]... FILE [--game N] "
                  "[--move N | --path P] [--size W[xH]] [--figure A-B] -o OUT.png|OUT.svg|OUT.pdf"},
        UsageCase{{"GAME", "--game", "0", "-o", "OUT"},
                  "render: --game 0: not a game number (1 is the first game)"},
        UsageCase{{"GAME", "--figure", "3", "-o", "OUT"},
                  "render: --figure needs moves A-B with 1 <= A <= B"},
        UsageCase{{"GAME", "--figure", "4-3", "-o", "OUT"},
                  "render: --figure needs moves A-B with 1 <= A <= B"},
        UsageCase{{"GAME", "--move", "2", "--figure", "1-2", "-o", "OUT"},
                  "render: --move and --figure exclude each other"},
        UsageCase{{"GAME", "-o"}, "render: -o needs a value"},
        UsageCase{{"GAME", "--size", "0x10", "-o", "OUT"},
                  "render: --size needs W or WxH, each from 1 to 8192"},
        UsageCase{{"GAME", "--move", "0", "-o", "OUT"},
                  "render: --move needs a move number of 1 or more"},
        UsageCase{{"GAME", "--path", "1./2", "-o", "OUT"},
                  "render: --path needs a path such as 0.1/3 (as print status shows)"},
        UsageCase{{"GAME", "--move", "1", "--path", "/1", "-o", "OUT"},
                  "render: --move and --path exclude each other"},
        UsageCase{{"GAME", "GAME", "-o", "OUT"}, "render: one record at a time: GAME"},
        UsageCase{{"GAME", "--width", "3", "-o", "OUT"}, "render: unknown option --width"},
        UsageCase{{"--set", "rotate=1", "GAME", "-o", "OUT"},
                  "--set rotate=1: unknown setting rotate"}));

TEST_F(RenderCommandTest, APlaceTheRecordLacksIsAnError) {
  const std::string game = Write("game.sgf", kGame);
  const ProcessResult noMove = Render({game, "--move", "9", "-o", PathOf("out.png")});
  EXPECT_EQ(noMove.status, 1);
  EXPECT_EQ(noMove.err, "vantaro-cli: " + game + ": no move 9\n");
  const ProcessResult noPath = Render({game, "--path", "2/0", "-o", PathOf("out.png")});
  EXPECT_EQ(noPath.status, 1);
  EXPECT_EQ(noPath.err, "vantaro-cli: " + game + ": no node at path 2/0\n");
  EXPECT_TRUE(Picture("out.png").isNull());
}

TEST_F(RenderCommandTest, AFailedRunLeavesAnEarlierPictureInPlace) {
  const std::string missing = PathOf("missing.sgf");
  WriteFileBytes(PathOf("out.png"), "earlier");
  const ProcessResult result = Render({missing, "-o", PathOf("out.png")});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with("vantaro-cli: " + missing + ": ")) << result.err;
  EXPECT_EQ(ReadFileBytes(PathOf("out.png")), "earlier");
  const ProcessResult unwritable =
      Render({Write("game.sgf", kGame), "-o", PathOf("no-such-folder/out.png")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err,
            "vantaro-cli: " + PathOf("no-such-folder/out.png") + ": cannot write the picture\n");
}

}  // namespace
}  // namespace vantaro::test
