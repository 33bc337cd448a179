#include <gtest/gtest.h>

#include "cli/cli_process.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

TEST_F(CliTest, InfoDescribesARecord) {
  const std::string file =
      Write("game.sgf", "(;SZ[13]KM[6.5]PB[\xe6\x9d\x8e]PW[Kim];B[dd];W[];B[jj](;W[cc]))");
  const ProcessResult result = RunCli({"info", file});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "format: SGF\nwidth: 13\nheight: 13\ncodePage: 65001\ngames: 1\nnodes: 5\ntrees: 2\n"
            "moves: 4\n"
            "PB: \xe6\x9d\x8e\nPW: Kim\nKM: 6.5\n");
}

TEST_F(CliTest, InfoAsJson) {
  const std::string file = Write("game.sgf", "(;GN[a \"quoted\"\nname];B[pd];W[];B[tt])");
  const ProcessResult result = RunCli({"--set", "defaultCodePage=1252", "info", file, "--json"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "{\"format\":\"SGF\",\"width\":19,\"height\":19,\"codePage\":65001,\"games\":1,"
            "\"nodes\":4,"
            "\"trees\":1,\"moves\":[\"B pd\",\"W\",\"B\"],"
            "\"gameInfo\":{\"GN\":\"a \\\"quoted\\\"\\nname\"}}\n");
}

TEST_F(CliTest, SettingsComeBeforeOrAfterTheCommand) {
  const std::string file = Write("game.sgf", "(;C[\xb0\xa1])");  // EUC-KR bytes, no label
  EXPECT_EQ(RunCli({"info", file, "--set=defaultCodePage=949", "--json"}).status, 0);
  const ProcessResult unknown = RunCli({"info", file, "--set", "noSuchSetting=1"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "vantaro-cli: --set noSuchSetting=1: unknown setting noSuchSetting\n");
  const ProcessResult malformed = RunCli({"--set", "fastTraverseStep=five", "info", file});
  EXPECT_EQ(malformed.status, 2);
  EXPECT_EQ(malformed.err,
            "vantaro-cli: --set fastTraverseStep=five: malformed value for fastTraverseStep\n");
}

TEST_F(CliTest, ConvertWritesSgfAndKeepsGoingAfterAnUnreadableInput) {
  const std::string gib = Write("a.gib", "\\[GAMEBLACKNAME=Lee (9D)\\]\nSTO 0 1 1 3 3\n");
  const std::string sgf = Write("b.sgf", "(;B[aa])");
  const std::string missing = PathOf("missing.sgf");
  const std::string outDir = PathOf("out");
  const ProcessResult result = RunCli({"convert", gib, missing, sgf, "-d", outDir});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "vantaro-cli: " + missing + ": No such file or directory\n");
  EXPECT_EQ(ReadFileBytes(outDir + "/a.sgf"), "(;SZ[19]PB[Lee ]BR[9D]\r\n;B[dd])");
  EXPECT_EQ(ReadFileBytes(outDir + "/b.sgf"), "(;B[aa]\r\n)");
}

TEST_F(CliTest, ImportFailuresNameTheFileAndTheReason) {
  const std::string ngf = Write("short.ngf", "only\nthree\nlines\n");
  const ProcessResult result = RunCli({"convert", ngf, "-o", PathOf("out.sgf")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "vantaro-cli: " + ngf + ": not an NGF record: fewer than 12 lines\n");
  EXPECT_FALSE(std::filesystem::exists(PathOf("out.sgf")));
  EXPECT_EQ(RunCli({"info", Write("tiny.go", "GO")}).status, 1);
}

TEST_F(CliTest, InfoAndConvertAnswerTwoHundredThousandNestedLevels) {
  std::string hostile = "(;B[aa]";
  for (int i = 0; i < 200000; ++i) hostile += "(;W[bb]";
  hostile.append(200001, ')');
  const std::string file = Write("deep.sgf", hostile);
  const ProcessResult info = RunCli({"info", file});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("nodes: 200001\ntrees: 10000\nmoves: 200001\n"), std::string::npos);
  const ProcessResult converted = RunCli({"convert", file, "-o", PathOf("deep-out.sgf")});
  EXPECT_EQ(converted.status, 0) << converted.err;
  const ProcessResult reread = RunCli({"info", PathOf("deep-out.sgf")});
  EXPECT_EQ(reread.out, info.out);
}

TEST_F(CliTest, ConvertWritesAFileOrStandardOutputButNeverItsInput) {
  const std::string sgf = Write("b.sgf", "(;KM[6.5])");
  EXPECT_EQ(RunCli({"convert", sgf, "-o", "-"}).out, "(;KM[6.500000]\r\n)");
  EXPECT_EQ(RunCli({"convert", sgf}).out, "(;KM[6.500000]\r\n)");
  EXPECT_EQ(RunCli({"convert", sgf, "-o", PathOf("c.sgf")}).status, 0);
  EXPECT_EQ(ReadFileBytes(PathOf("c.sgf")), "(;KM[6.500000]\r\n)");
  const ProcessResult result = RunCli({"convert", sgf, "-o", sgf});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "vantaro-cli: " + sgf + ": refusing to overwrite an input file\n");
  EXPECT_EQ(ReadFileBytes(sgf), "(;KM[6.5])");
  EXPECT_EQ(RunCli({"convert", sgf, "-d", directory_.path().string()}).status, 1);
  EXPECT_EQ(ReadFileBytes(sgf), "(;KM[6.5])");
}

TEST_F(CliTest, UsageErrors) {
  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
  EXPECT_EQ(RunCli({"info"}).status, 2);
  EXPECT_EQ(RunCli({"convert", "a", "b", "-o", "c"}).status, 2);
}

TEST_F(CliTest, NumbersIgnoreTheLocale) {
  const std::string sgf = Write("b.sgf", "(;KM[6.5])");
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const ProcessResult result = RunCli({"convert", sgf});
  unsetenv("LC_ALL");
  EXPECT_EQ(result.out, "(;KM[6.500000]\r\n)");
}

}  // namespace
}  // namespace vantaro::test
