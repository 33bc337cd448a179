#include "record/sgf_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

std::string RoundTrip(std::string_view sgf, int codePage = 65001) {
  auto record = ReadSgfText(sgf, codePage);
  return test::WriteSgfText(*record.root, record.codePage);
}

TEST(SgfWriter, RootPropertiesInTableOrderWithCharsetFirst) {
  EXPECT_EQ(RoundTrip("(;GM[1]FF[4]SZ[19]CA[UTF-8]PB[x])"),
            "(;CA[UTF-8]FF[4]SZ[19]GM[1]PB[x]\r\n)");
}

TEST(SgfWriter, VariationsStartOnNewLines) {
  EXPECT_EQ(RoundTrip("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd](;W[ee])(;W[ff])))"),
            "(;SZ[9]\r\n;B[aa];W[bb]\r\n(;B[cc])\r\n(;B[dd]\r\n(;W[ee])\r\n(;W[ff])))");
}

TEST(SgfWriter, ListsShareTheirIdentifierAndOtherPropertiesRepeatIt) {
  EXPECT_EQ(RoundTrip("(;SZ[9];AB[aa]C[x]AB[bb][cc]C[y])"), "(;SZ[9]\r\n;AB[aa][bb][cc]C[x]C[y])");
}

TEST(SgfWriter, EmptyNodesSurviveAReload) {
  auto record = ReadSgfText("(;SZ[9];B[aa])");
  record.root->InsertNode(std::make_unique<Node>(), 1);
  const std::string written = test::WriteSgfText(*record.root);
  EXPECT_EQ(written, "(;SZ[9]\r\n;N[];B[aa])");
  auto reread = ReadSgfText(written);
  ASSERT_EQ(reread.root->NodeCount(), 3);
  EXPECT_EQ(reread.root->NodeAt(1)->Find(kPropN)->text(), u"");
}

TEST(SgfWriter, ValuesAreWrittenInTheirOwnFormat) {
  EXPECT_EQ(RoundTrip("(;KM[6.5]HA[2]SZ[17:15]AP[Vantaro:1.0]TE[final]PL[B];B[];W[ZA])"),
            "(;PL[B]TE[final]AP[Vantaro:1.0]SZ[17:15]KM[6.500000]HA[2]\r\n;B[];W[ZA])");
}

TEST(SgfWriter, TextIsEscapedAndKeepsItsLineBreaks) {
  EXPECT_EQ(RoundTrip("(;C[a\\]b:c\\\\d\r\nnext])"), "(;C[a\\]b\\:c\\\\d\r\nnext]\r\n)");
}

TEST(SgfWriter, LongLinesBreakBeforeNodesAtColumn79) {
  std::string sgf = "(;SZ[19]";
  for (int i = 0; i < 60; ++i) sgf += i % 2 ? ";W[pd]" : ";B[dp]";
  sgf += ")";
  const std::string written = RoundTrip(sgf);
  std::istringstream lines(written);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "(;SZ[19]\r");
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    EXPECT_LE(line.size(), 78u + 6u) << line;
    EXPECT_EQ(line.front(), ';') << line;
  }
  EXPECT_EQ(RoundTrip(written), written);
}

TEST(SgfWriter, CollectionTailFollowsTheFirstGame) {
  EXPECT_EQ(RoundTrip("(;B[aa])\n(;W[bb])\n"), "(;B[aa]\r\n)\n(;W[bb])\n");
}

TEST(SgfWriter, NodeAlone) {
  auto record = ReadSgfText("(;B[pd]C[hi]LB[aa:A][bb:B])");
  EXPECT_EQ(WriteSgfNode(*record.root->NodeAt(0), 65001), ";B[pd]LB[aa:A][bb:B]C[hi]");
}

// Sorting a node's properties moved each one past all the greater ones before
// it: quadratic in the size of the node.
TEST(SgfWriter, ANodeOfManyPropertiesOutOfOrderIsSortedStably) {
  std::string sgf = "(;";
  for (int i = 0; i < 100000; ++i)
    sgf += i % 2 == 0 ? "W[aa]" : "C[" + std::to_string(i) + "]B[bb]";
  sgf += ")";
  const std::string written = RoundTrip(sgf);
  const size_t firstW = written.find("W[aa]");
  EXPECT_EQ(written.find("B[bb]", firstW), std::string::npos);  // every B before the first W
  EXPECT_LT(written.find("C[1]"), written.find("C[3]"));        // each kind in its own order
  EXPECT_LT(written.find("C[99997]"), written.find("C[99999]"));
}

}  // namespace
}  // namespace vantaro
