#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/cli_process.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

TEST_F(CliTest, CheckPrintsNothingForACleanFile) {
  const ProcessResult result = RunCli({"check", Write("clean.sgf", "(;GM[1]FF[4]SZ[19];B[pd])")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST_F(CliTest, CheckListsEveryRepairWithItsByteOffset) {
  const std::string sgf = Write("damaged.sgf", "junk(;B[aa]C;W[a]XY[1])\nmore");
  const std::string gib = Write("damaged.gib", "STO 0 1 1 3\n");
  const ProcessResult result = RunCli({"check", sgf, gib});
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.out,
            sgf + ":0: text before the game tree skipped\n" + sgf +
                ":11: C without a value dropped\n" + sgf +
                ":14: W value \"a\" is not a point: dropped, and the rest of the node starts a "
                "new node\n" +
                sgf + ":17: unknown property XY kept\n" + sgf +
                ":24: text after the game tree ignored\n" + gib +
                ":0: move line with fewer than six numbers skipped\n");
}

TEST_F(CliTest, CheckGoesOnPastAFileItCannotRead) {
  const std::string missing = PathOf("missing.sgf");
  const std::string shortNgf = Write("short.ngf", "one\ntwo\n");
  const std::string damaged = Write("damaged.sgf", "(;B[aa]");
  const ProcessResult result = RunCli({"check", missing, shortNgf, damaged});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "vantaro-cli: " + missing + ": No such file or directory\n" +
                            "vantaro-cli: " + shortNgf +
                            ": not an NGF record: fewer than 12 lines\n");
  EXPECT_EQ(result.out, damaged + ":7: game tree not closed at the end of the input\n");
}

TEST_F(CliTest, CheckNeedsAFile) {
  const ProcessResult result = RunCli({"check"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "vantaro-cli: usage: vantaro-cli check FILE...\n");
}

TEST(CliCheck, EveryCorpusFileIsCheckedWithoutACrash) {
  VANTARO_REQUIRE_SHARED();
  std::vector<std::string> arguments{"check"};
  for (const char* folder : {"sgf", "gib", "ngf", "ugf", "ugi"}) {
    for (const auto& path : CorpusFiles(folder, {".sgf", ".mgt", ".gib", ".ngf", ".ugf", ".ugi"})) {
      arguments.push_back(path.string());
    }
  }
  const ProcessResult result = RunCli(arguments);
  // The corpus holds damaged files, and every file can be read.
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
  std::istringstream lines(result.out);
  const std::regex report(R"(.+:[0-9]+: .+)");
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(std::regex_match(line, report)) << line;
  }
}

}  // namespace
}  // namespace vantaro::test
