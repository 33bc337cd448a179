#include <gtest/gtest.h>

#include "record/importers.h"

namespace vantaro {
namespace {

std::unique_ptr<GameTree> ReadUgfText(std::string_view text, bool rowsFromBottom = false) {
  auto tree = std::make_unique<GameTree>();
  ReadContext context{false, 65001};
  ReadUgf(*tree, text, rowsFromBottom, context);
  return tree;
}

std::u16string TextOf(const Node& node, int id) {
  const Property* property = node.Find(id);
  return property ? std::u16string(property->text()) : u"<none>";
}

TEST(UgfReader, MovesCountRowsFromTheTopOrFromTheBottom) {
  const std::string text = "[Data]\nPD,B1,1,0\n";
  EXPECT_EQ(ReadUgfText(text)->NodeAt(1)->Find(kPropB)->point(), (Point{15, 3}));
  EXPECT_EQ(ReadUgfText(text, true)->NodeAt(1)->Find(kPropB)->point(), (Point{15, 15}));
}

TEST(UgfReader, MoveNumberZeroIsASetupStone) {
  auto tree = ReadUgfText("[Data]\nDD,B1,0,0\nEE,W1,0,0\nZZ,W2,2,0\nshort\n");
  ASSERT_EQ(tree->NodeCount(), 2);
  EXPECT_EQ(tree->NodeAt(0)->Find(kPropAB)->point(), (Point{3, 3}));
  EXPECT_EQ(tree->NodeAt(0)->Find(kPropAW)->point(), (Point{4, 4}));
  EXPECT_EQ(tree->NodeAt(1)->Find(kPropW)->point(), Point{});  // off the board: a pass
}

TEST(UgfReader, HeaderKeysInAnyCase) {
  auto tree = ReadUgfText(
      "[header]\ntitle=abc,def\nHdcp=2,6.5\nPlayerB=Name,0\nplayerw=,5d\nSize=60\nWinner=W\n"
      "Place=Tokyo\nkey=with=equals\n");
  const Node& first = *tree->NodeAt(0);
  EXPECT_EQ(TextOf(first, kPropGN), u"def");
  EXPECT_EQ(TextOf(first, kPropHA), u"2");
  EXPECT_EQ(first.Find(kPropKM)->real(), 6.5);
  EXPECT_EQ(TextOf(first, kPropPB), u"Name");
  EXPECT_EQ(first.Find(kPropBR), nullptr);
  EXPECT_EQ(first.Find(kPropPW), nullptr);
  EXPECT_EQ(TextOf(first, kPropWR), u"5d");
  EXPECT_EQ(first.Find(kPropSZ)->point(), (Point{19, 19}));
  EXPECT_EQ(TextOf(first, kPropRE), u"W");
  EXPECT_EQ(TextOf(first, kPropPC), u"Tokyo");

  auto noKomi = ReadUgfText("[Header]\nTitle=abc\nHdcp=0\n");
  EXPECT_EQ(noKomi->NodeAt(0)->Find(kPropGN), nullptr);
  EXPECT_EQ(noKomi->NodeAt(0)->Find(kPropKM), nullptr);
}

TEST(UgfReader, FigureTextBecomesCommentsAndLabels) {
  auto tree = ReadUgfText(
      "[Data]\nDD,B1,1,0\nPP,W1,2,0\nDP,B1,3,0\n[Figure]\n.Text,3\nfirst\nsecond\n"
      ".#,4,4,A\n.EndText\nignored\n.Text,3\nthird\n.EndText\n.Text,9\nnowhere\n");
  const Node& third = *tree->NodeAt(3);
  EXPECT_EQ(TextOf(third, kPropC), u"firstsecondthird");
  ASSERT_NE(third.Find(kPropLB), nullptr);
  EXPECT_EQ(third.Find(kPropLB)->point(), (Point{3, 3}));
  EXPECT_EQ(third.Find(kPropLB)->text(), u"A");
  EXPECT_EQ(tree->NodeCount(), 4);
}

TEST(UgfReader, UnknownSectionsAreSkipped) {
  auto tree = ReadUgfText("[Header]\nPlace=here\n[ReviewNode]\nPD,B1,1,0\n[Data]\nQQ,B1,1,0\n");
  EXPECT_EQ(tree->NodeCount(), 2);
  EXPECT_EQ(ReadUgfText("nothing useful")->NodeCount(), 1);
}

}  // namespace
}  // namespace vantaro
