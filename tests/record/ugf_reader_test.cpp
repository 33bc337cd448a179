#include <gtest/gtest.h>

#include "record/importers.h"
#include "text/text_conversion.h"

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

// Each text block counted the moves from the start to find its node, and each
// text line copied the whole comment so far: both quadratic in the file.
TEST(UgfReader, ManyTextBlocksAndLongTextsReadInOnePass) {
  constexpr int kMoves = 50000;
  std::string text = "[Data]\n";
  for (int i = 0; i < kMoves; ++i) text += i % 2 == 0 ? "DD,B1,1,0\n" : "EE,W1,1,0\n";
  text += "[Figure]\n";
  for (int i = 1; i <= kMoves; ++i)
    text += ".TEXT," + std::to_string(i) + "\nm" + std::to_string(i) + "\n";
  text += ".TEXT,1\n";
  for (int i = 0; i < 100000; ++i) text += "line\n";
  text += ".ENDTEXT\n.TEXT,2\nafter\n";
  auto tree = ReadUgfText(text);
  ASSERT_EQ(tree->NodeCount(), kMoves + 1);
  EXPECT_EQ(TextOf(*tree->NodeAt(kMoves), kPropC), u"m" + FromUtf8(std::to_string(kMoves)));
  const std::u16string first = TextOf(*tree->NodeAt(1), kPropC);
  EXPECT_EQ(first.size(), 2 + 4 * 100000u);
  EXPECT_TRUE(first.starts_with(u"m1line"));
  EXPECT_EQ(TextOf(*tree->NodeAt(2), kPropC), u"m2after");
}

}  // namespace
}  // namespace vantaro
