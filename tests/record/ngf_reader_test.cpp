#include <gtest/gtest.h>

#include "record/importers.h"

namespace vantaro {
namespace {

std::string NgfText(const std::string& size, const std::string& handicap, const std::string& komi,
                    const std::string& moves) {
  return "Game name\n" + size + "\nWhite Player\nBlack Player\nServer\n" + handicap + "\n0\n" +
         komi + "\n20170316 [09:37]\n5\nBlack wins\n333\n" + moves;
}

std::unique_ptr<GameTree> Read(const std::string& text, IoResult* result = nullptr) {
  auto tree = std::make_unique<GameTree>();
  ReadContext context{false, 65001};
  IoResult read = ReadNgf(*tree, text, context);
  if (result) *result = read;
  return tree;
}

std::vector<Point> Stones(const Node& node) {
  std::vector<Point> stones;
  for (const Property& property : node.properties()) {
    if (property.id() == kPropAB) stones.push_back(property.point());
  }
  return stones;
}

TEST(NgfReader, HeaderLinesAndMoves) {
  auto tree = Read(NgfText("19", "0", "6", "PMABBREER\nPMACWEEEE\nPMADXQRRQ\nPMAEWAEEE\nshort\n"));
  const Node& first = *tree->NodeAt(0);
  EXPECT_EQ(first.Find(kPropGN)->text(), u"Game name");
  EXPECT_EQ(first.Find(kPropPW)->text(), u"White Player");
  EXPECT_EQ(first.Find(kPropPB)->text(), u"Black Player");
  EXPECT_EQ(first.Find(kPropKM)->real(), 6.5);
  EXPECT_EQ(first.Find(kPropRE)->text(), u"Black wins");
  ASSERT_EQ(tree->NodeCount(), 4);
  EXPECT_EQ(tree->NodeAt(1)->Find(kPropB)->point(), (Point{16, 3}));
  EXPECT_EQ(tree->NodeAt(2)->Find(kPropW)->point(), (Point{3, 3}));
  EXPECT_EQ(tree->NodeAt(3)->Find(kPropW)->point(), Point{});  // letter A: off the board
}

TEST(NgfReader, SizeIsClampedAndKomiGetsItsHalfPoint) {
  EXPECT_EQ(Read(NgfText("40", "0", "0", ""))->NodeAt(0)->Find(kPropSZ)->point(), (Point{30, 30}));
  EXPECT_EQ(Read(NgfText("1", "0", "0", ""))->NodeAt(0)->Find(kPropSZ)->point(), (Point{2, 2}));
  EXPECT_EQ(Read(NgfText("19", "0", "0", ""))->NodeAt(0)->Find(kPropKM)->real(), 0.5);
}

TEST(NgfReader, HandicapStonesOnlyOnNineteenLines) {
  EXPECT_EQ(Stones(*Read(NgfText("19", "3", "0", ""))->NodeAt(0)),
            (std::vector<Point>{{3, 3}, {15, 3}, {3, 15}}));
  auto small = Read(NgfText("13", "3", "0", ""));
  EXPECT_TRUE(Stones(*small->NodeAt(0)).empty());
  EXPECT_EQ(small->NodeAt(0)->Find(kPropHA)->text(), u"3");
}

TEST(NgfReader, EmptyLinesDoNotCountAndShortFilesFail) {
  auto shifted = Read("Name\n\n19\nWhite\nBlack\nServer\n0\n0\n6\n2017\n5\nResult\n333\n");
  EXPECT_EQ(shifted->NodeAt(0)->Find(kPropPW)->text(), u"White");
  IoResult result;
  Read("one\ntwo\nthree\n", &result);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "not an NGF record: fewer than 12 lines");
}

}  // namespace
}  // namespace vantaro
