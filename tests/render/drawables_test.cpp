#include <gtest/gtest.h>

#include "options/options.h"
#include "render/drawable_cache.h"
#include "render/go_marker.h"
#include "render/stone_image.h"
#include "render_fixture.h"

namespace vantaro::test {
namespace {

using namespace marker_kind;
using rutl::COLORREF;

constexpr COLORREF kBoard = 0x4FA9E4;

class DrawablesTest : public ::testing::Test {
 protected:
  DrawablesTest() : options_(u"/nonexistent-install"), cache_(options_, black_, white_) {}

  GoMarker& Marker(int kind, int spacing, ColourContext context = ColourContext::OnEmptyPoint) {
    GoMarker* marker = cache_.MarkerFor(kind, context, spacing, kBoard);
    EXPECT_NE(marker, nullptr) << "kind " << kind;
    return *marker;
  }

  // Draws the drawable centred on a board-coloured square of its size and
  // returns the square; the picture's transparent pixels stay board colour.
  QImage Picture(GoMarker& marker) {
    const int size = std::max(marker.width(), 1);
    rutl::BitmapDC target;
    target.Create(rutl::DC(), size, size);
    target.dc()->FillSolidRect({0, 0, size, size}, kBoard);
    marker.Draw(*target.dc(), size / 2, size / 2, true);
    return target.ToImage();
  }

  Options options_;
  StoneImage black_;
  StoneImage white_;
  DrawableCache cache_;
};

struct SizeCase {
  int kind;
  int spacing;
  int size;
};

class DrawableSizeTest : public DrawablesTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(DrawableSizeTest, PictureSizeFollowsTheSpacing) {
  const GoMarker& marker = Marker(GetParam().kind, GetParam().spacing);
  EXPECT_EQ(marker.width(), GetParam().size);
  EXPECT_EQ(marker.height(), GetParam().size);
}

// Even sizes smaller than the spacing become odd, so that a picture has a
// middle pixel; a stone as wide as the spacing stays even.
INSTANTIATE_TEST_SUITE_P(
    Spacing20, DrawableSizeTest,
    ::testing::Values(SizeCase{kCircle, 20, 11}, SizeCase{kCross, 20, 7}, SizeCase{kSquare, 20, 7},
                      SizeCase{kTriangle, 20, 11}, SizeCase{kBlackStone, 20, 20},
                      SizeCase{kFocus, 20, 19}, SizeCase{kStarPoint, 20, 5},
                      SizeCase{kBlackMonoStone, 20, 19}, SizeCase{kWhiteMonoAntiaStone, 20, 20},
                      SizeCase{kBlackMonoStone, 44, 41}, SizeCase{kStarPoint, 13, 3}));

TEST_F(DrawablesTest, WithSpacingOneEveryPictureIsOnePixel) {
  for (int kind = kCircle; kind <= kWhiteMonoAntiaStone; ++kind) {
    EXPECT_EQ(Marker(kind, 1).width(), 1) << "kind " << kind;
    EXPECT_EQ(Marker(kind, 1).height(), 1) << "kind " << kind;
  }
}

TEST_F(DrawablesTest, KindsAbove15HaveNoDrawable) {
  EXPECT_EQ(cache_.MarkerFor(16, ColourContext::OnEmptyPoint, 20, kBoard), nullptr);
  EXPECT_EQ(cache_.MarkerFor(21, ColourContext::OnBlackStone, 20, kBoard), nullptr);
  EXPECT_EQ(cache_.MarkerFor(22, ColourContext::OnBlackStone, 20, kBoard), nullptr);
}

struct ColourCase {
  int kind;
  ColourContext context;
  COLORREF foreground;
  COLORREF background;
};

class DrawableColourTest : public DrawablesTest,
                           public ::testing::WithParamInterface<ColourCase> {};

TEST_P(DrawableColourTest, ColoursFollowKindAndContext) {
  const GoMarker& marker = Marker(GetParam().kind, 20, GetParam().context);
  EXPECT_EQ(marker.foregroundColor(), GetParam().foreground);
  EXPECT_EQ(marker.backgroundColor(), GetParam().background);
}

// A marker contrasts with the stone below it and blends into its colour.
INSTANTIATE_TEST_SUITE_P(
    Defaults, DrawableColourTest,
    ::testing::Values(ColourCase{kCircle, ColourContext::OnBlackStone, 0xFFFFFF, 0x262626},
                      ColourCase{kTriangle, ColourContext::OnWhiteStone, 0x000000, 0xDEDEDE},
                      ColourCase{kSquare, ColourContext::OnEmptyPoint, 0x000000, kBoard},
                      ColourCase{kFocus, ColourContext::OnWhiteStone, 0x1414E6, 0xDEDEDE}));

TEST_F(DrawablesTest, MarkersOnBlackAndWhiteStonesBlendIntoPureColoursWithBlackAndWhiteStones) {
  options_.stoneTypeB = 1;
  options_.stoneTypeW = 2;
  EXPECT_EQ(Marker(kCross, 20, ColourContext::OnBlackStone).backgroundColor(), 0x000000u);
  EXPECT_EQ(Marker(kCross, 20, ColourContext::OnWhiteStone).backgroundColor(), 0xFFFFFFu);
}

TEST_F(DrawablesTest, ChangingTheFocusShapeMakesTheLastMoveMarkerACircleInTheFocusColour) {
  options_.focusColor = 0x0000FF;
  options_.focusShape = kCircle;
  GoMarker& marker = Marker(kFocus, 30, ColourContext::OnBlackStone);
  EXPECT_NE(dynamic_cast<GoMarkerCR*>(&marker), nullptr);
  const QImage picture = Picture(marker);
  const int red = CountPixels(picture, {0, 0, picture.width(), picture.height()},
                              [](COLORREF c) { return c == 0x0000FFu; });
  EXPECT_GT(red, 10);
}

TEST_F(DrawablesTest, StoneVariantsRepeatAfterTheirCountAndACountBelowOneMakesOne) {
  options_.stoneRandomCountB = 0;
  options_.stoneRandomCountW = 3;
  const auto variant = [this](int kind, unsigned index) {
    return cache_.MarkerFor(kind, ColourContext::OnEmptyPoint, 20, kBoard, index);
  };
  for (unsigned index = 1; index < 10; ++index) {
    EXPECT_EQ(variant(kBlackMaterialStone, index), variant(kBlackMaterialStone, 0));
  }
  EXPECT_EQ(variant(kWhiteMaterialStone, 1), variant(kWhiteMaterialStone, 4));
  EXPECT_NE(variant(kWhiteMaterialStone, 0), variant(kWhiteMaterialStone, 1));
  EXPECT_NE(variant(kWhiteMaterialStone, 1), variant(kWhiteMaterialStone, 2));
}

TEST_F(DrawablesTest, AGeneratedStoneCoversTheGridLineToItsEdgeAndLeavesItsCornersClear) {
  const int s = 40;
  rutl::BitmapDC target;
  target.Create(rutl::DC(), s, s);
  target.dc()->FillSolidRect({0, 0, s, s}, 0x00FF00);  // stands out from every stone colour
  Marker(kBlackStone, s).Draw(*target.dc(), s / 2, s / 2, true);
  const QImage picture = target.ToImage();
  EXPECT_EQ(PixelAt(picture, 0, 0), 0x00FF00u);
  EXPECT_TRUE(Near(PixelAt(picture, s / 2, 0), kBoard, 12));
  EXPECT_TRUE(Near(PixelAt(picture, 0, s / 2), kBoard, 12));
  const COLORREF centre = PixelAt(picture, s / 2, s / 2);
  EXPECT_LT(rutl::RedOf(centre) + rutl::GreenOf(centre) + rutl::BlueOf(centre), 3 * 80);
}

TEST_F(DrawablesTest, ACircleIsARingWithAClearCentre) {
  GoMarker& circle = Marker(kCircle, 40, ColourContext::OnWhiteStone);
  const QImage picture = Picture(circle);
  const int c = circle.width() / 2;
  EXPECT_EQ(PixelAt(picture, c, c), kBoard);
  // 7 pixels above the centre lies between the ring's two antialiased edges.
  EXPECT_EQ(PixelAt(picture, c, c - 7), 0x000000u);
}

TEST_F(DrawablesTest, ABlackAndWhiteStoneIsOutlinedInsideItsWidth) {
  GoMarker& stone = Marker(kWhiteMonoStone, 44);
  ASSERT_EQ(stone.width(), 41);
  const QImage picture = Picture(stone);
  const int middle = 20;
  std::string row;
  for (int x = 0; x < 41; ++x) {
    const COLORREF c = PixelAt(picture, x, middle);
    row += c == 0 ? 'X' : c == 0xFFFFFF ? 'o' : '.';
  }
  EXPECT_EQ(row, "XX" + std::string(37, 'o') + "XX");
}

TEST_F(DrawablesTest, ImageStonesShowThePictureAndDrawOnlyTheirShadowWithoutOne) {
  const int s = 40;
  GoMarker& empty = Marker(kBlackImageStone, s);
  const QImage withoutPicture = Picture(empty);
  EXPECT_TRUE(Near(PixelAt(withoutPicture, s / 2, s / 2), rutl::Blend(kBoard, 0, 60), 4));

  TemporaryDirectory directory;
  QImage red(8, 8, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  const std::string path = (directory.path() / "red.png").string();
  ASSERT_TRUE(red.save(QString::fromStdString(path)));
  ASSERT_TRUE(black_.Load(std::u16string(path.begin(), path.end())));
  GoMarker& stone = Marker(kBlackImageStone, s);
  EXPECT_EQ(PixelAt(Picture(stone), s / 2, s / 2), 0x0000FFu);
}

}  // namespace
}  // namespace vantaro::test
