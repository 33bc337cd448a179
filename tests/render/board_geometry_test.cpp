#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "render/board_geometry.h"

namespace vantaro::test {
namespace {

struct LayoutCase {
  const char* name;
  rutl::Rect client;
  int columns;
  int rows;
  bool showCoord;
  bool showComment;
  int spacing;
  int originX;
  int originY;
  rutl::Rect board;
  int boardAreaRight;
  int labelGap;
  int fontTenths;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, NumbersForTheClient) {
  const LayoutCase& c = GetParam();
  const BoardLayout layout = ComputeLayout(c.client, c.columns, c.rows, c.showCoord, c.showComment);
  EXPECT_EQ(layout.spacing, c.spacing);
  EXPECT_EQ(layout.originX, c.originX);
  EXPECT_EQ(layout.originY, c.originY);
  EXPECT_EQ(layout.board, c.board);
  EXPECT_EQ(layout.boardArea.right, c.boardAreaRight);
  EXPECT_EQ(layout.labelGap, c.labelGap);
  EXPECT_EQ(layout.coordinateFontTenths, c.fontTenths);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, LayoutTest,
    ::testing::Values(
        LayoutCase{"Square",
                   {0, 0, 600, 600},
                   19,
                   19,
                   false,
                   false,
                   31,
                   21,
                   21,
                   {2, 2, 599, 599},
                   600,
                   3,
                   100},
        LayoutCase{"Coordinates",
                   {0, 0, 600, 600},
                   19,
                   19,
                   true,
                   false,
                   28,
                   48,
                   48,
                   {30, 30, 570, 570},
                   600,
                   2,
                   100},
        // Wider than high: the comment area takes what the board leaves, a fifth at most.
        LayoutCase{"CommentBeside",
                   {0, 0, 800, 600},
                   19,
                   19,
                   true,
                   true,
                   29,
                   59,
                   39,
                   {41, 21, 600, 580},
                   640,
                   2,
                   100},
        LayoutCase{"CommentTakesTheSpareWidth",
                   {0, 0, 700, 600},
                   19,
                   19,
                   false,
                   true,
                   31,
                   21,
                   21,
                   {2, 2, 599, 599},
                   600,
                   3,
                   100},
        // Less than 100 pixels to spare: a fifth of the width regardless.
        LayoutCase{"CommentTakesAFifth",
                   {0, 0, 560, 500},
                   19,
                   19,
                   false,
                   true,
                   23,
                   17,
                   43,
                   {3, 29, 446, 472},
                   448,
                   2,
                   100},
        LayoutCase{"CommentOnATallClient",
                   {0, 0, 400, 600},
                   19,
                   19,
                   false,
                   true,
                   16,
                   16,
                   156,
                   {6, 146, 314, 454},
                   320,
                   1,
                   100},
        LayoutCase{"NonSquareBoard",
                   {0, 0, 400, 300},
                   13,
                   9,
                   false,
                   false,
                   30,
                   20,
                   30,
                   {1, 11, 399, 289},
                   400,
                   3,
                   100},
        LayoutCase{"OffsetClient",
                   {100, 50, 500, 450},
                   19,
                   19,
                   false,
                   false,
                   21,
                   111,
                   61,
                   {98, 48, 503, 453},
                   500,
                   2,
                   100},
        LayoutCase{"SmallFont",
                   {0, 0, 240, 240},
                   19,
                   19,
                   false,
                   false,
                   12,
                   12,
                   12,
                   {5, 5, 235, 235},
                   240,
                   1,
                   84},
        // Too small for a pixel per line: the spacing stays 1.
        LayoutCase{
            "Tiny", {0, 0, 10, 10}, 19, 19, true, false, 1, -4, -4, {-4, -4, 15, 15}, 10, 0, 10}),
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

// The labels the board should carry, worked out from where the transform
// puts each board point: columns lettered and rows numbered from the bottom
// as on the unturned board.
std::u16string LetterOf(int k, bool withI) {
  const std::u16string alphabet =
      withI ? u"ABCDEFGHIJKLMNOPQRSTUVWXYZ" : u"ABCDEFGHJKLMNOPQRSTUVWXYZ";
  const int size = static_cast<int>(alphabet.size());
  if (k < size) return alphabet.substr(static_cast<size_t>(k), 1);
  return {static_cast<char16_t>(u'A' + k / size - 1), alphabet[static_cast<size_t>(k % size)]};
}

std::u16string NumberOf(int n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

struct Transform {
  int rotation;
  bool flipHorizontal;
  bool flipVertical;
};

class TransformTest : public ::testing::TestWithParam<Transform> {
 protected:
  DisplayTransform Make(int width, int height) const {
    return DisplayTransform(width, height, GetParam().rotation, GetParam().flipHorizontal,
                            GetParam().flipVertical);
  }
};

TEST_P(TransformTest, FromDisplayUndoesToDisplay) {
  const DisplayTransform transform = Make(7, 4);
  std::set<std::pair<int, int>> seen;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 7; ++x) {
      const Point display = transform.ToDisplay({x, y});
      EXPECT_GE(display.x, 0);
      EXPECT_LT(display.x, transform.displayedWidth());
      EXPECT_GE(display.y, 0);
      EXPECT_LT(display.y, transform.displayedHeight());
      EXPECT_EQ(transform.FromDisplay(display), (Point{x, y}));
      seen.insert({display.x, display.y});
    }
  }
  EXPECT_EQ(seen.size(), 28u);
}

TEST_P(TransformTest, LabelsNameTheBoardPointsShownBesideThem) {
  for (const bool withI : {false, true}) {
    const DisplayTransform transform = Make(30, 7);
    const int columns = transform.displayedWidth();
    const int rows = transform.displayedHeight();
    const bool turned = transform.rotation % 2 == 1;
    for (int dy = 0; dy < rows; ++dy) {
      for (int dx = 0; dx < columns; ++dx) {
        const Point p = transform.FromDisplay({dx, dy});
        const std::u16string letter = LetterOf(p.x, withI);
        const std::u16string number = NumberOf(7 - p.y);
        EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, dx, columns, transform, withI),
                  turned ? number : letter);
        EXPECT_EQ(CoordinateLabel(LabelAxis::Rows, dy, rows, transform, withI),
                  turned ? letter : number);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllEight, TransformTest,
                         ::testing::Values(Transform{0, false, false}, Transform{1, false, false},
                                           Transform{2, false, false}, Transform{3, false, false},
                                           Transform{0, true, false}, Transform{1, false, true},
                                           Transform{2, true, true}, Transform{3, true, false}));

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

TEST(CoordinateLabelTest, AQuarterTurnNumbersTheColumnsAndLettersTheRows) {
  const DisplayTransform turned(19, 19, 1, false, false);
  EXPECT_EQ(CoordinateLabel(LabelAxis::Columns, 0, 19, turned, false), u"1");
  EXPECT_EQ(CoordinateLabel(LabelAxis::Rows, 0, 19, turned, false), u"A");
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
