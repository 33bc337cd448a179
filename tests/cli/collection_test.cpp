// The games of a collection from the command line: list, and --game for
// info, convert and run.
#include <gtest/gtest.h>

#include "cli/cli_process.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

constexpr std::string_view kGames =
    "; three games\n"
    "(;GM[1]SZ[13]PB[Lee\tSedol]BR[9p]PW[\xc3\x84rger]RE[W+R]DT[2016-03-09];B[aa];W[bb])\n"
    "(;CA[Shift_JIS]PB[\x88\xcd\x8c\xe9]GN[(2)]EV[Cup];B[cc](;W[dd];B[ee])(;W[ff]))\r\n"
    "(;SZ[19:13]PW[Kim]C[a comment];B[])";

constexpr std::string_view kHeader = "file\tgame\tPB\tBR\tPW\tWR\tRE\tDT\tEV\tRO\tGN\tmoves\tSZ\n";

TEST_F(CliTest, ListPrintsOneRowPerGame) {
  const std::string file = Write("games.sgf", kGames);
  const ProcessResult result = RunCli({"list", file});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, std::string(kHeader) + file +
                            "\t1\tLee\\tSedol\t9p\t\xc3\x84rger\t\tW+R\t2016-03-09\t\t\t\t2\t13\n" +
                            file + "\t2\t\xe5\x9b\xb2\xe7\xa2\x81\t\t\t\t\t\tCup\t\t(2)\t3\t19\n" +
                            file + "\t3\t\t\tKim\t\t\t\t\t\t\t1\t19:13\n");
}

TEST_F(CliTest, ListAsJsonAndFilteredByEveryWordInAnyCase) {
  const std::string file = Write("games.sgf", kGames);
  const ProcessResult result = RunCli({"list", "--json", file, "--match", "\xc3\xa4RGER w+r"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "[\n{\"file\":\"" + file +
                            "\",\"game\":1,\"PB\":\"Lee\\tSedol\",\"BR\":\"9p\",\"PW\":"
                            "\"\xc3\x84rger\",\"WR\":\"\",\"RE\":\"W+R\",\"DT\":\"2016-03-09\","
                            "\"EV\":\"\",\"RO\":\"\",\"GN\":\"\",\"moves\":2,\"SZ\":\"13\"}\n]\n");
  EXPECT_EQ(RunCli({"list", file, "--match", "cup kim"}).out, kHeader) << "no game has both";
  EXPECT_EQ(RunCli({"list", "--json", file, "--match", "nowhere"}).out, "[\n]\n");
}

// A folder: its record files in sub-folders too, other files left out, a
// damaged record read as far as it goes and one that cannot be read a row
// with its error that never stops the rest.
TEST_F(CliTest, ListAFolderWithDamagedAndUnreadableFiles) {
  Write("a.sgf", "(;PB[first];B[aa])(;PB[second])");
  std::filesystem::create_directories(PathOf("sub"));
  Write("sub/b.SGF", "(;PB[damaged];B[aa];W[");
  Write("sub/c.ngf", "only\nthree\nlines\n");
  Write("sub/d.gib", "\\[GAMEBLACKNAME=Lee (9D)\\]\nSTO 0 1 1 3 3\n");
  Write("notes.txt", "(;PB[not listed])");
  const std::string folder = directory_.path().string();
  const ProcessResult result = RunCli({"list", folder});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "vantaro-cli: " + PathOf("sub/c.ngf") + ": not an NGF record: fewer than 12 lines\n");
  EXPECT_EQ(result.out, std::string(kHeader) + PathOf("a.sgf") +
                            "\t1\tfirst\t\t\t\t\t\t\t\t\t1\t19\n" + PathOf("a.sgf") +
                            "\t2\tsecond\t\t\t\t\t\t\t\t\t0\t19\n" + PathOf("sub/b.SGF") +
                            "\t1\tdamaged\t\t\t\t\t\t\t\t\t1\t19\n" + PathOf("sub/d.gib") +
                            "\t1\tLee \t9D\t\t\t\t\t\t\t\t1\t19\n");
  const ProcessResult json = RunCli({"list", "--json", PathOf("sub/c.ngf")});
  EXPECT_EQ(json.out, "[\n{\"file\":\"" + PathOf("sub/c.ngf") +
                          "\",\"error\":\"not an NGF record: fewer than 12 lines\"}\n]\n");
}

// list reads its rows straight from the bytes (the core tests compare them
// with readings of every game); here a few are checked against info --game N.
TEST_F(CliTest, ListRowsAreWhatInfoSaysOfEachGame) {
  VANTARO_REQUIRE_SHARED();
  const auto path = SharedDir() / "corpus/large/fox-ai-collection-2744.sgf";
  const std::string rows = RunCli({"list", path.string()}).out;
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2745);
  for (const size_t game : {1, 1000, 2744}) {
    const std::string info = RunCli({"info", path.string(), "--game", std::to_string(game)}).out;
    const size_t row = rows.find(path.string() + "\t" + std::to_string(game) + "\t");
    ASSERT_NE(row, std::string::npos);
    const std::string line = rows.substr(row, rows.find('\n', row) - row);
    for (const char* field : {"PB: ", "PW: ", "RE: ", "DT: "}) {
      const size_t at = info.find(field);
      ASSERT_NE(at, std::string::npos) << field;
      const std::string value = info.substr(at + 4, info.find('\n', at) - at - 4);
      EXPECT_NE(line.find("\t" + value + "\t"), std::string::npos) << field << value;
    }
    const size_t moves = info.find("moves: ");
    EXPECT_NE(line.find("\t" + info.substr(moves + 7, info.find('\n', moves) - moves - 7) + "\t19"),
              std::string::npos);
  }
}

TEST_F(CliTest, InfoCountsTheGamesAndDescribesTheOneChosen) {
  const std::string file = Write("games.sgf", kGames);
  const ProcessResult second = RunCli({"info", file, "--game", "2"});
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out,
            "format: SGF\nwidth: 19\nheight: 19\ncodePage: 932\ngames: 3\nnodes: 5\ntrees: 3\n"
            "moves: 3\nGN: (2)\nEV: Cup\nPB: \xe5\x9b\xb2\xe7\xa2\x81\n");
  const ProcessResult missing = RunCli({"info", file, "--game", "4"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "vantaro-cli: " + file + ": there is no game 4: the file holds 3 games\n");
  EXPECT_EQ(RunCli({"info", file, "--game", "0"}).status, 2);
}

TEST_F(CliTest, ConvertWritesTheChosenGameAloneOrTheWholeFile) {
  const std::string file = Write("games.sgf", kGames);
  EXPECT_EQ(RunCli({"convert", file, "--game", "3"}).out,
            "(;C[a comment]SZ[19:13]PW[Kim]\r\n;B[])");
  const std::string whole = RunCli({"convert", file}).out;
  const std::string first(
      kGames.substr(kGames.find('('), kGames.find(")\n") + 1 - kGames.find('(')));
  std::string expected(kGames);
  expected.replace(expected.find(first), first.size(),
                   "(;GM[1]SZ[13]DT[2016-03-09]PB[Lee\tSedol]BR[9p]PW[\xc3\x84rger]RE[W+R]\r\n"
                   ";B[aa];W[bb])");
  EXPECT_EQ(whole, expected);
}

TEST_F(CliTest, RunSavesTheWholeCollectionWithTheChosenGameAsEdited) {
  const std::string file = Write("games.sgf", kGames);
  const ProcessResult result = RunCli({"run", file, "--game", "3"}, "comment edited\nSave\n");
  EXPECT_EQ(result.status, 0) << result.err;
  std::string expected(kGames);
  expected.replace(expected.find("(;SZ[19:13]"), std::string::npos,
                   "(;C[edited]SZ[19:13]PW[Kim]\r\n;B[])");
  EXPECT_EQ(ReadFileBytes(file), expected);
}

}  // namespace
}  // namespace vantaro::test
