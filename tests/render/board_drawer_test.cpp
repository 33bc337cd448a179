#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "render/glass_stones.h"
#include "render_fixture.h"

namespace vantaro::test {
namespace {

using rutl::COLORREF;

constexpr COLORREF kBoardColour = 0x4FA9E4;

bool IsInk(COLORREF c) {
  return rutl::RedOf(c) < 30 && rutl::GreenOf(c) < 30 && rutl::BlueOf(c) < 30;
}
bool IsWhiteInk(COLORREF c) {
  return rutl::RedOf(c) > 230 && rutl::GreenOf(c) > 230 && rutl::BlueOf(c) > 230;
}
bool IsFocusRed(COLORREF c) {
  return Near(c, 0x1414E6, 50);
}

// A 9 x 9 board in a 300 x 200 client: spacing 22, point (0, 0) at pixel
// (62, 12), the board's wood from x = 48 to 252.
class NineByNineTest : public RenderTest {
 protected:
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 200;
  static int X(int column) { return 62 + 22 * column; }
  static int Y(int row) { return 12 + 22 * row; }
  static rutl::Rect CellOf(int column, int row) {
    return {X(column) - 11, Y(row) - 11, X(column) + 12, Y(row) + 12};
  }
  // The middle of a stone, clear of the grid lines beside it.
  static rutl::Rect StoneMiddle(int column, int row) {
    return {X(column) - 8, Y(row) - 8, X(column) + 9, Y(row) + 9};
  }
  QImage DrawNine() { return Draw(kWidth, kHeight); }
  void GoTo(const TreePath& path) { test::GoTo(*editor_, path); }
};

TEST_F(NineByNineTest, ThePlainBoardLiesOnTheBackgroundOrTheTryPlayBackground) {
  options_.boardBitmap = false;
  options_.backgroundColor = 0x112233;
  Open("(;SZ[9])");
  const QImage picture = DrawNine();
  EXPECT_EQ(PixelAt(picture, 10, 100), 0x112233u);
  EXPECT_EQ(PixelAt(picture, X(0) + 11, Y(0) + 11), kBoardColour);
  EXPECT_EQ(PixelAt(picture, X(8) + 3, Y(4) + 3), kBoardColour);
  EXPECT_EQ(PixelAt(picture, 253, 100), 0x112233u);
  editor_->StartTryPlay();
  EXPECT_EQ(PixelAt(DrawNine(), 10, 100), 0xA0A0A0u);
}

// A marker hides the lines and the star point of its point; territory does not.
TEST_F(NineByNineTest, MarkersHideTheLinesAndStarPointOfTheirPointButTerritoryDoesNot) {
  options_.boardBitmap = false;
  Open("(;SZ[9]CR[ee][gg]TB[dd])");
  const QImage shown = DrawNine();
  EXPECT_EQ(PixelAt(shown, X(4) - 9, Y(4)), kBoardColour);
  EXPECT_EQ(PixelAt(shown, X(4), Y(4) + 9), kBoardColour);
  EXPECT_EQ(PixelAt(shown, X(3) - 9, Y(3)), 0u);
  EXPECT_EQ(PixelAt(shown, X(3) + 2, Y(3) + 2), 0u);            // inside the black territory square
  EXPECT_EQ(PixelAt(shown, X(2) + 1, Y(2) + 1), 0u);            // a star point's dot
  EXPECT_EQ(PixelAt(shown, X(6) + 1, Y(6) + 1), kBoardColour);  // through the circle: no dot

  options_.showMarkers = false;
  const QImage hidden = DrawNine();
  EXPECT_EQ(PixelAt(hidden, X(4) - 9, Y(4)), 0u);
  EXPECT_EQ(PixelAt(hidden, X(3) + 2, Y(3) + 2), kBoardColour);
}

// The only next move is marked only when asked.
TEST_F(NineByNineTest, NextMovesAreLetteredAndHideTheirLines) {
  options_.boardBitmap = false;
  const auto marked = [](COLORREF c) { return Near(c, 0xCC0000, 60); };
  Open("(;SZ[9];B[aa](;W[ee])(;W[gg]))");
  GoTo({{}, 1});
  const QImage shown = DrawNine();
  EXPECT_GT(CountPixels(shown, CellOf(4, 4), marked), 5);
  EXPECT_GT(CountPixels(shown, CellOf(6, 6), marked), 5);
  EXPECT_EQ(PixelAt(shown, X(4) - 9, Y(4)), kBoardColour);

  options_.showNextMoves = false;
  const QImage hidden = DrawNine();
  EXPECT_EQ(CountPixels(hidden, CellOf(4, 4), marked), 0);
  EXPECT_EQ(PixelAt(hidden, X(4) - 9, Y(4)), 0u);

  options_.showNextMoves = true;
  Open("(;SZ[9];B[aa];W[ee])");
  GoTo({{}, 1});
  EXPECT_EQ(CountPixels(DrawNine(), CellOf(4, 4), marked), 0);
  options_.showNextOnlyMove = true;
  EXPECT_GT(CountPixels(DrawNine(), CellOf(4, 4), marked), 5);
}

// The last move is marked unless moves are numbered; a count of one numbers
// only the last move, in the focus colour.
TEST_F(NineByNineTest, TheLastMoveIsMarkedOrNumberedInTheFocusColour) {
  Open("(;SZ[9];B[ee];W[cc];B[gg])");
  GoTo({{}, 3});
  EXPECT_GT(CountPixels(DrawNine(), CellOf(6, 6), IsFocusRed), 3);
  options_.showMoveNumber = true;
  options_.showMoveCount = 0;
  EXPECT_EQ(CountPixels(DrawNine(), {0, 0, kWidth, kHeight}, IsFocusRed), 0);
  options_.showMoveCount = 1;
  const QImage picture = DrawNine();
  EXPECT_EQ(CountPixels(picture, StoneMiddle(4, 4), IsWhiteInk), 0);
  EXPECT_EQ(CountPixels(picture, StoneMiddle(2, 2), IsInk), 0);
  EXPECT_GT(CountPixels(picture, StoneMiddle(6, 6), IsFocusRed), 5);
  EXPECT_EQ(CountPixels(picture, StoneMiddle(6, 6), IsWhiteInk), 0);
}

// A label or a marker on a numbered stone is drawn, and the number is not.
TEST_F(NineByNineTest, Fault7AMarkOnANumberedStoneIsDrawnInsteadOfTheNumber) {
  options_.boardBitmap = false;
  for (const char* mark : {"LB[cc:A]", "CR[cc]", "TR[cc]"}) {
    SCOPED_TRACE(mark);
    Open(std::string("(;SZ[9];B[cc];W[gg]") + mark + ")");
    GoTo({{}, 2});
    options_.showMoveNumber = false;
    const QImage markOnly = DrawNine();
    options_.showMoveNumber = true;
    const QImage numbered = DrawNine();
    EXPECT_EQ(numbered.copy(X(2) - 11, Y(2) - 11, 23, 23),
              markOnly.copy(X(2) - 11, Y(2) - 11, 23, 23));
    options_.showMarkers = false;
    EXPECT_NE(DrawNine().copy(X(2) - 11, Y(2) - 11, 23, 23),
              markOnly.copy(X(2) - 11, Y(2) - 11, 23, 23))
        << "with the markers hidden the number shows";
    options_.showMarkers = true;
  }
}

// Three-digit numbers in the narrow font ran over their stones and into
// each other ("151150152"), and two-digit ones over the edge of small stones.
TEST_F(RenderTest, Fault6AMoveNumberFitsInsideItsStoneAtEverySize) {
  options_.boardBitmap = false;
  options_.showMoveNumber = true;
  // Flat black, so that white ink outside it is the number's.
  options_.stoneTypeB = StoneStyle::Mono;
  for (const char* number : {"8", "88", "151", "1024"}) {
    // Not the last move, whose number takes the focus colour.
    Open(std::string("(;SZ[19];B[jj]MN[") + number + "];W[aa])");
    GoTo(*editor_, {{}, 2});
    for (const int spacing : {14, 23, 37, 64}) {
      SCOPED_TRACE(std::string(number) + " at spacing " + std::to_string(spacing));
      const int side = 19 * spacing;
      const BoardLayout layout = ComputeLayout({0, 0, side, side}, 19, 19, false, false);
      ASSERT_EQ(layout.spacing, spacing);
      const QImage picture = Draw(side, side);
      const int cx = layout.CentreX(9);
      const int cy = layout.CentreY(9);
      const double radius = spacing / 2.0;
      int inside = 0;
      int outside = 0;
      for (int y = cy - spacing; y <= cy + spacing; ++y) {
        for (int x = cx - spacing; x <= cx + spacing; ++x) {
          const COLORREF c = PixelAt(picture, x, y);
          // White ink, or its edge blended with the stone: the wood is not this light.
          if (rutl::RedOf(c) < 160 || rutl::GreenOf(c) < 160 || rutl::BlueOf(c) < 160) continue;
          ++(std::hypot(x - cx, y - cy) < radius ? inside : outside);
        }
      }
      EXPECT_GT(inside, 0) << "the number is drawn";
      EXPECT_EQ(outside, 0) << "and stays on its stone";
    }
  }
}

// With coordinates shown the row of letters below the board was cut off
// where the window is wider than high (J read as I, Q as O): a row of
// labels is drawn whole or not at all.
TEST_F(RenderTest, Fault5ACoordinateRowIsDrawnWholeOrNotAtAll) {
  options_.boardBitmap = false;
  options_.showCoord = true;
  options_.backgroundColor = 0x808080;
  options_.coordColor = 0x0000FF;
  const auto isLabel = [](rutl::COLORREF c) {
    return rutl::RedOf(c) > 150 && rutl::GreenOf(c) < 110 && rutl::BlueOf(c) < 110;
  };
  Open("(;SZ[19])");
  for (const auto& [width, height] : {std::pair{400, 250}, {700, 300}, {1000, 500}, {600, 700}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const QImage picture = Draw(width, height);
    const BoardLayout layout = ComputeLayout({0, 0, width, height}, 19, 19, true, false);
    EXPECT_EQ(CountPixels(picture, {0, 0, width, 1}, isLabel), 0) << "cut at the top";
    EXPECT_EQ(CountPixels(picture, {0, height - 1, width, height}, isLabel), 0)
        << "cut at the bottom";
    EXPECT_EQ(CountPixels(picture, {0, 0, 1, height}, isLabel), 0) << "cut on the left";
    EXPECT_GT(CountPixels(picture, {0, layout.board.bottom, width, height}, isLabel), 20)
        << "the letters below the board are drawn";
  }
}

TEST_F(NineByNineTest, NumbersRestartAtOneInAVariation) {
  options_.showMoveNumber = true;
  Open("(;SZ[9];B[aa];W[bb](;B[cc])(;B[ee];W[ff]))");
  GoTo({{1}, 1});
  const QImage variation = DrawNine();
  EXPECT_EQ(CountPixels(variation, StoneMiddle(0, 0), IsWhiteInk), 0);
  EXPECT_EQ(CountPixels(variation, StoneMiddle(1, 1), IsInk), 0);
  EXPECT_GT(CountPixels(variation, StoneMiddle(4, 4), IsWhiteInk), 5);

  Open("(;SZ[9];B[ee];W[ff])");
  GoTo({{}, 2});
  const QImage fromTheStart = DrawNine();
  const QRect cell(X(4) - 11, Y(4) - 11, 23, 23);
  EXPECT_EQ(variation.copy(cell), fromTheStart.copy(cell));
}

TEST_F(NineByNineTest, JapaneseAndChineseLabelsAreNotBoxes) {
  options_.boardBitmap = false;
  Open("(;SZ[9]LB[cc:囲][ee:碁][gg:바])");
  const QImage picture = DrawNine();
  const QImage first = picture.copy(X(2) - 11, Y(2) - 11, 23, 23);
  const QImage second = picture.copy(X(4) - 11, Y(4) - 11, 23, 23);
  const QImage third = picture.copy(X(6) - 11, Y(6) - 11, 23, 23);
  EXPECT_GT(CountPixels(picture, StoneMiddle(2, 2), IsInk), 10);
  // Missing glyphs would all be drawn as the same empty box.
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
}

TEST_F(NineByNineTest, ATinyOrEmptyClientDrawsWithSpacingOneWithoutACrash) {
  options_.showCoord = true;
  Open("(;SZ[19];B[aa])");
  CBoardDrawer& drawer = Drawer();
  EXPECT_EQ(Draw(drawer, 5, 3).size(), QSize(5, 3));
  Draw(drawer, 0, 0);
  EXPECT_EQ(drawer.layout().spacing, 1);
}

TEST_F(NineByNineTest, ABoardOfAnotherSizeIsLaidOutAgainBeforeDrawing) {
  Open("(;SZ[9])");
  CBoardDrawer& drawer = Drawer();
  drawer.Layout({0, 0, 190, 190});
  GoEditor larger(options_);
  ReadRecord record = ReadSgfText("(;SZ[19:13];B[sm])");
  larger.InstallRecord(std::move(record.root), record.codePage);
  drawer.SetBoard(&larger);
  rutl::BitmapDC target;
  target.Create(rutl::DC(), 190, 190);
  drawer.Draw(*target.dc());
  EXPECT_EQ(drawer.layout().columns, 19);
  EXPECT_EQ(drawer.layout().rows, 13);
  drawer.SetBoard(nullptr);
}

TEST_F(RenderTest, StoneStylesWithoutAPictureFallBackToGeneratedStones) {
  options_.stoneTypeB = StoneStyle::Image;
  options_.stoneTypeW = StoneStyle::Material;
  options_.stoneBitmapB = u"/nonexistent/black.png";
  options_.stoneBitmapW = u"/nonexistent/white.png";
  Open("(;SZ[9]AB[aa]AW[bb])");
  EXPECT_EQ(Drawer().options().stoneTypeB, StoneStyle::Generated);
  EXPECT_EQ(Drawer().options().stoneTypeW, StoneStyle::Generated);

  TemporaryDirectory directory;
  const std::string black = (directory.path() / "black.png").string();
  ASSERT_TRUE(MakeGlassStoneImage(true, 40).save(QString::fromStdString(black)));
  options_.stoneBitmapB = std::u16string(black.begin(), black.end());
  CBoardDrawer& drawer = Drawer();
  EXPECT_EQ(drawer.options().stoneTypeB, StoneStyle::Image);
  EXPECT_EQ(drawer.options().stoneTypeW, StoneStyle::Generated);
  const QImage picture = Draw(drawer, 190, 190);
  const COLORREF centre = PixelAt(picture, drawer.layout().originX, drawer.layout().originY);
  EXPECT_LT(rutl::RedOf(centre) + rutl::GreenOf(centre) + rutl::BlueOf(centre), 3 * 90);
}

TEST_F(RenderTest, StonesMadeOfMaterialDrawInVariants) {
  TemporaryDirectory directory;
  const std::string white = (directory.path() / "white.png").string();
  ASSERT_TRUE(MakeGlassStoneImage(false, 40).save(QString::fromStdString(white)));
  options_.stoneTypeW = StoneStyle::Material;
  options_.stoneBitmapW = std::u16string(white.begin(), white.end());
  options_.stoneRandomCountW = 2147483647;  // no more variants than points are ever made
  Open("(;SZ[5]AW[aa][bb][cc][dd][ee])");
  CBoardDrawer& drawer = Drawer();
  ASSERT_EQ(drawer.options().stoneTypeW, StoneStyle::Material);
  const QImage picture = Draw(drawer, 200, 200);
  const COLORREF centre = PixelAt(picture, drawer.layout().originX, drawer.layout().originY);
  EXPECT_GT(rutl::RedOf(centre), 180);
}

// A step repaints only the points whose picture changed, into what the
// screen holds from before: the result must be the picture a whole paint
// makes, pixel for pixel, whatever is shown.
struct StepCase {
  const char* name;
  void (*configure)(Options&);
};
void PrintTo(const StepCase& step, std::ostream* out) {
  *out << step.name;
}

class PartialRepaintTest : public RenderTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(PartialRepaintTest, RepaintingTheChangedPointsGivesTheWholePicture) {
  GetParam().configure(options_);
  // Captures, markers, labels, several continuations, a comment and a pass.
  Open(
      "(;SZ[9]C[start];B[ba];W[aa];B[ab]CR[cc]LB[dd:x];W[ee]C[a comment]"
      "(;B[ff]TR[ee];W[gg]N[named];B[];W[hh])(;B[fg])(;B[gf]))");
  CBoardDrawer& drawer = Drawer();
  drawer.Layout({0, 0, 300, 260});
  rutl::BitmapDC screen;
  screen.Create(rutl::DC(), 300, 260);
  drawer.Draw(*screen.dc());
  BoardPicture before = drawer.Picture();
  int repainted = 0;
  for (int step = 0; step < 12; ++step) {
    step < 9 ? editor_->Next(1) : editor_->Previous(3);
    BoardPicture after = drawer.Picture();
    const auto areas = drawer.ChangedAreas(before, after);
    ASSERT_TRUE(areas.has_value());
    for (const rutl::Rect& area : *areas) drawer.DrawArea(*screen.dc(), area);
    repainted += static_cast<int>(areas->size());
    before = std::move(after);
    rutl::BitmapDC whole;
    whole.Create(rutl::DC(), 300, 260);
    CBoardDrawer fresh(options_);
    fresh.SetBoard(editor_.get());
    fresh.Layout({0, 0, 300, 260});
    fresh.Draw(*whole.dc());
    ASSERT_EQ(screen.ToImage(), whole.ToImage()) << "after step " << step;
  }
  EXPECT_LT(repainted, 12 * 20) << "a step repaints points, not the board";
}

INSTANTIATE_TEST_SUITE_P(ShownOrNot, PartialRepaintTest,
                         ::testing::Values(StepCase{"Plain",
                                                    [](Options& o) { o.boardBitmap = false; }},
                                           StepCase{"Textured",
                                                    [](Options& o) {
                                                      o.boardBitmap = true;
                                                      o.showCoord = true;
                                                    }},
                                           StepCase{"NumbersRotatedCommentOnBoard",
                                                    [](Options& o) {
                                                      o.showMoveNumber = true;
                                                      o.showMoveCount = 3;
                                                      o.rotation = 1;
                                                      o.flipHorizontal = true;
                                                      o.showCommentOnBoard = true;
                                                    }},
                                           StepCase{"MonochromeStonesNextMove",
                                                    [](Options& o) {
                                                      o.stoneTypeB = StoneStyle::MonoAntialiased;
                                                      o.stoneTypeW = StoneStyle::Mono;
                                                      o.showNextOnlyMove = true;
                                                    }}),
                         [](const auto& info) { return std::string(info.param.name); });

// A lone stone on a 7 x 5 board: wherever the transform draws it, a tap on
// its drawn centre gives back its board point.
struct TransformCase {
  int rotation;
  bool flipHorizontal;
  bool flipVertical;
};

class TapTest : public RenderTest, public ::testing::WithParamInterface<TransformCase> {};

TEST_P(TapTest, TappingADrawnStoneGivesItsBoardPoint) {
  options_.rotation = GetParam().rotation;
  options_.flipHorizontal = GetParam().flipHorizontal;
  options_.flipVertical = GetParam().flipVertical;
  options_.boardBitmap = false;
  options_.backgroundColor = 0x808080;
  for (const Point point : {Point{0, 0}, Point{6, 4}, Point{1, 3}, Point{5, 0}}) {
    const std::string sgf = std::string("(;SZ[7:5]AW[") + static_cast<char>('a' + point.x) +
                            static_cast<char>('a' + point.y) + "])";
    Open(sgf);
    CBoardDrawer& drawer = Drawer();
    const QImage picture = Draw(drawer, 240, 180);
    // The white stone is the only white on the picture: tap its middle.
    long long sumX = 0;
    long long sumY = 0;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (!IsWhiteInk(PixelAt(picture, x, y))) continue;
        sumX += x;
        sumY += y;
        ++count;
      }
    }
    ASSERT_GT(count, 20);
    const Point tapped =
        drawer.PointFromPixel(static_cast<int>(sumX / count), static_cast<int>(sumY / count));
    EXPECT_EQ(tapped, point) << "stone at " << point.x << "," << point.y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllEight, TapTest,
    ::testing::Values(TransformCase{0, false, false}, TransformCase{1, false, false},
                      TransformCase{2, false, false}, TransformCase{3, false, false},
                      TransformCase{0, true, false}, TransformCase{1, true, false},
                      TransformCase{2, false, true}, TransformCase{3, true, true}));

}  // namespace
}  // namespace vantaro::test
