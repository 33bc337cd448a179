#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>

#include "render/board_geometry.h"

namespace vantaro::test {
namespace {

struct LayoutCase {
  const char* name;
  int width;  // of the client, at the origin
  int height;
  int columns;
  int rows;
  bool showCoord;
  bool showComment;
  // "spacing S origin X,Y board L,T R,B right R gap G font F"
  const char* numbers;
};

std::string Numbers(const BoardLayout& layout) {
  const rutl::Rect& b = layout.board;
  std::ostringstream text;
  text << "spacing " << layout.spacing << " origin " << layout.originX << "," << layout.originY
       << " board " << b.left << "," << b.top << " " << b.right << "," << b.bottom << " right "
       << layout.boardArea.right << " gap " << layout.labelGap << " font "
       << layout.coordinateFontTenths;
  return text.str();
}

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, NumbersForTheClient) {
  const LayoutCase& c = GetParam();
  EXPECT_EQ(Numbers(ComputeLayout({0, 0, c.width, c.height}, c.columns, c.rows, c.showCoord,
                                  c.showComment)),
            c.numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, LayoutTest,
    ::testing::Values(
        LayoutCase{"Square", 600, 600, 19, 19, false, false,
                   "spacing 31 origin 21,21 board 2,2 599,599 right 600 gap 3 font 100"},
        LayoutCase{"Coordinates", 600, 600, 19, 19, true, false,
                   "spacing 28 origin 48,48 board 30,30 570,570 right 600 gap 2 font 100"},
        // Wider than high: the comment area takes what the board leaves, a fifth at most.
        LayoutCase{"CommentBeside", 800, 600, 19, 19, true, true,
                   "spacing 29 origin 59,39 board 41,21 600,580 right 640 gap 2 font 100"},
        LayoutCase{"CommentTakesTheSpareWidth", 700, 600, 19, 19, false, true,
                   "spacing 31 origin 21,21 board 2,2 599,599 right 600 gap 3 font 100"},
        // Less than 100 pixels to spare: a fifth of the width regardless.
        LayoutCase{"CommentTakesAFifth", 560, 500, 19, 19, false, true,
                   "spacing 23 origin 17,43 board 3,29 446,472 right 448 gap 2 font 100"},
        LayoutCase{"CommentOnATallClient", 400, 600, 19, 19, false, true,
                   "spacing 16 origin 16,156 board 6,146 314,454 right 320 gap 1 font 100"},
        LayoutCase{"NonSquareBoard", 400, 300, 13, 9, false, false,
                   "spacing 30 origin 20,30 board 1,11 399,289 right 400 gap 3 font 100"},
        LayoutCase{"SmallFont", 240, 240, 19, 19, false, false,
                   "spacing 12 origin 12,12 board 5,5 235,235 right 240 gap 1 font 84"},
        // Too small for a pixel per line: the spacing stays 1.
        LayoutCase{"Tiny", 10, 10, 19, 19, true, false,
                   "spacing 1 origin -4,-4 board -4,-4 15,15 right 10 gap 0 font 10"}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

struct StarCase {
  int width;
  int height;
  std::set<std::pair<int, int>> points;
};

class StarPointTest : public ::testing::TestWithParam<StarCase> {};

TEST_P(StarPointTest, StarPointsOfTheBoardSize) {
  std::set<std::pair<int, int>> points;
  for (const Point p : StarPoints(GetParam().width, GetParam().height)) points.insert({p.x, p.y});
  EXPECT_EQ(points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, StarPointTest,
    ::testing::Values(
        StarCase{9, 9, {{2, 2}, {2, 6}, {6, 2}, {6, 6}}},
        StarCase{13, 13, {{3, 3}, {3, 9}, {9, 3}, {9, 9}, {6, 6}}},
        StarCase{
            19, 19, {{3, 3}, {3, 15}, {15, 3}, {15, 15}, {9, 3}, {9, 15}, {3, 9}, {15, 9}, {9, 9}}},
        StarCase{15, 10, {{3, 3}, {3, 6}, {11, 3}, {11, 6}, {7, 3}, {7, 6}}},
        StarCase{7, 9, {{2, 2}, {2, 6}, {4, 2}, {4, 6}}},
        StarCase{
            17, 15, {{3, 3}, {3, 11}, {13, 3}, {13, 11}, {8, 3}, {8, 11}, {3, 7}, {13, 7}, {8, 7}}},
        StarCase{52, 52, {{3, 3}, {3, 48}, {48, 3}, {48, 48}}}, StarCase{6, 6, {}},
        StarCase{10, 9, {}}, StarCase{2, 2, {}}));

struct Transform {
  int rotation;
  bool flipHorizontal;
  bool flipVertical;
};

// Quarter turns are clockwise: after one, the left column A lies along the
// top and the bottom row 1 along the left.
TEST(CoordinateLabelTest, TheFirstLabelsNameTheBoardLineShownThere) {
  const struct {
    Transform transform;
    const char16_t* firstColumn;
    const char16_t* firstRow;
  } cases[] = {
      {{0, false, false}, u"A", u"19"}, {{1, false, false}, u"1", u"A"},
      {{2, false, false}, u"T", u"1"},  {{3, false, false}, u"19", u"T"},
      {{0, true, false}, u"T", u"19"},  {{0, false, true}, u"A", u"1"},
  };
  for (const auto& c : cases) {
    const DisplayTransform transform(19, 19, c.transform.rotation, c.transform.flipHorizontal,
                                     c.transform.flipVertical);
    const std::string name = std::to_string(c.transform.rotation) +
                             (c.transform.flipHorizontal ? " flipped across" : "") +
                             (c.transform.flipVertical ? " flipped down" : "");
    EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 0, 19, transform, false), c.firstColumn) << name;
    EXPECT_EQ(CoordinateLabel(LabelAxis::Rows, 0, 19, transform, false), c.firstRow) << name;
  }
  // Turned, a 13 x 9 board shows 9 numbered columns and 13 lettered rows.
  const DisplayTransform turned(13, 9, 1, false, false);
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 8, 9, turned, false), u"9");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Rows, 12, 13, turned, false), u"N");
}

TEST(CoordinateLabelTest, LettersSkipIUnlessAskedAndGoOnWithTwoLetters) {
  const DisplayTransform plain(52, 19, 0, false, false);
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 8, 52, plain, false), u"J");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 8, 52, plain, true), u"I");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 25, 52, plain, false), u"AA");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 25, 52, plain, true), u"Z");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 51, 52, plain, false), u"BB");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Rows, 0, 19, plain, false), u"19");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Rows, 18, 19, plain, false), u"1");
}

// A node with many variations: the marks run from the starting letter to Z,
// go on with a to z, and past z the point is marked without a letter.
TEST(NextMoveMarkTest, Fault8MarksOfNextMovesPastZAreLettersOnly) {
  const struct {
    int start;
    int index;
    bool only;
    const char16_t* mark;
  } cases[] = {
      {'A', 0, false, u"A"},  {'A', 25, false, u"Z"},  {'A', 26, false, u"a"},
      {'A', 51, false, u"z"}, {'A', 52, false, u""},   {'A', 90, false, u""},
      {'X', 3, false, u"a"},  {'a', 25, false, u"z"},  {'a', 26, false, u""},
      {'1', 0, false, u"1"},  {'1', 11, false, u"12"}, {'A', 40, true, u"A"},
      {'!', 1, false, u"B"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextMoveMark(c.start, c.index, c.only), c.mark)
        << static_cast<char>(c.start) << " + " << c.index;
  }
}

TEST(DisplayPointTest, PixelsRoundToTheNearestLine) {
  BoardLayout layout;
  layout.originX = 100;
  layout.originY = 50;
  layout.spacing = 20;
  EXPECT_EQ(layout.DisplayPointAt(100, 50), (Point{0, 0}));
  EXPECT_EQ(layout.DisplayPointAt(109, 69), (Point{0, 1}));
  // Exactly half-way goes to the higher index.
  EXPECT_EQ(layout.DisplayPointAt(110, 60), (Point{1, 1}));
  EXPECT_EQ(layout.DisplayPointAt(89, 39), (Point{-1, -1}));
  EXPECT_EQ(layout.DisplayPointAt(90, 40), (Point{0, 0}));
}

}  // namespace
}  // namespace vantaro::test
