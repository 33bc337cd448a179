#include "record/importers.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro {
namespace {

std::unique_ptr<GameTree> ReadGibText(std::string_view text) {
  auto tree = std::make_unique<GameTree>();
  ReadContext context{false, 65001};
  ReadGib(*tree, text, context);
  return tree;
}

std::u16string TextOf(const Node& node, int id) {
  const Property* property = node.Find(id);
  return property ? std::u16string(property->text()) : u"<none>";
}

// The move of node `index` as "B 3,3" or "W pass", so that a wrong colour
// fails the test instead of crashing it.
std::string MoveAt(const GameTree& tree, int index) {
  const Node* node = tree.NodeAt(index);
  if (node == nullptr) return "<no node>";
  const Property* move = node->FindMove();
  if (move == nullptr) return "<no move>";
  const Point point = move->point();
  return std::string(move->id() == kPropB ? "B " : "W ") +
         (point == Point{} ? "pass" : std::to_string(point.x) + "," + std::to_string(point.y));
}

TEST(GibReader, PlayerNamesAndRanks) {
  auto tree = ReadGibText(
      "\\[GAMEBLACKNAME=Lee (9D)\\]\r\n\\[GAMEWHITENAME=Kim\\]\r\n\\[GAMEPLACE=Seoul\\]\r\n");
  const Node& first = *tree->NodeAt(0);
  EXPECT_EQ(first.Find(kPropSZ)->point(), (Point{19, 19}));
  EXPECT_EQ(TextOf(first, kPropPB), u"Lee ");
  EXPECT_EQ(TextOf(first, kPropBR), u"9D");
  EXPECT_EQ(TextOf(first, kPropPW), u"Kim");
  EXPECT_EQ(first.Find(kPropWR), nullptr);
  EXPECT_EQ(TextOf(first, kPropPC), u"Seoul");
}

TEST(GibReader, KomiFromTheGameTag) {
  auto tree = ReadGibText("\\[GAMETAG=S0,R3,D0,G65,W0\\]\n");
  ASSERT_NE(tree->NodeAt(0)->Find(kPropKM), nullptr);
  EXPECT_EQ(tree->NodeAt(0)->Find(kPropKM)->real(), 6.5);
}

TEST(GibReader, HeaderEntriesMayContinueOnTheNextLine) {
  auto tree = ReadGibText("\\[GAMECOMMENT=first\nsecond\\] ignored\nSTO 0 1 1 3 3\n");
  EXPECT_EQ(TextOf(*tree->NodeAt(0), kPropGC), u"first second");
  EXPECT_EQ(tree->NodeCount(), 2);
}

TEST(GibReader, MovesPassesAndOffBoardPoints) {
  auto tree = ReadGibText("STO 0 1 1 3 3\nSTO 0 2 2 19 3\nSKI 0 3\nSTO 0 1\n");
  EXPECT_EQ(tree->NodeCount(), 4);
  EXPECT_EQ(MoveAt(*tree, 1), "B 3,3");
  EXPECT_EQ(MoveAt(*tree, 2), "W pass");
  EXPECT_EQ(MoveAt(*tree, 3), "B pass");  // the pass after white is black's
}

TEST(GibReader, APassAtTheStartIsWhites) {
  auto tree = ReadGibText("SKI 0\n");
  EXPECT_EQ(MoveAt(*tree, 1), "W pass");
}

TEST(GibReader, HandicapStonesInTheGibLayout) {
  auto three = ReadGibText("INI 0 1 3\n");
  std::vector<Point> stones;
  for (const Property& property : three->NodeAt(0)->properties()) {
    if (property.id() == kPropAB) stones.push_back(property.point());
  }
  EXPECT_EQ(stones, (std::vector<Point>{{15, 3}, {3, 15}, {15, 15}}));
  EXPECT_EQ(ReadGibText("INI 0 1 1\n")->NodeAt(0)->properties().size(), 1u);
  EXPECT_EQ(ReadGibText("INI 0 1\n")->NodeAt(0)->properties().size(), 1u);
}

TEST(GibReader, AnythingElseLoadsAsAnEmptyRecord) {
  auto tree = ReadGibText("this is not a GIB file\n(;B[aa])");
  EXPECT_EQ(tree->NodeCount(), 1);
}

}  // namespace
}  // namespace vantaro
