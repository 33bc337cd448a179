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

// A marker contrasts with the stone below it and blends into its colour;
// black-and-white stones are pure colours.
TEST_F(DrawablesTest, MarkersContrastWithTheStoneBelowAndBlendIntoIt) {
  const struct {
    bool blackAndWhiteStones;
    int kind;
    ColourContext context;
    COLORREF foreground;
    COLORREF background;
  } cases[] = {
      {false, kCircle, ColourContext::OnBlackStone, 0xFFFFFF, 0x262626},
      {false, kTriangle, ColourContext::OnWhiteStone, 0x000000, 0xDEDEDE},
      {false, kSquare, ColourContext::OnEmptyPoint, 0x000000, kBoard},
      {false, kFocus, ColourContext::OnWhiteStone, 0x1414E6, 0xDEDEDE},
      {true, kTriangle, ColourContext::OnBlackStone, 0xFFFFFF, 0x000000},
      {true, kCircle, ColourContext::OnWhiteStone, 0x000000, 0xFFFFFF},
  };
  for (const auto& c : cases) {
    options_.stoneTypeB =
        c.blackAndWhiteStones ? StoneStyle::MonoAntialiased : StoneStyle::Generated;
    options_.stoneTypeW = c.blackAndWhiteStones ? StoneStyle::Mono : StoneStyle::Generated;
    const GoMarker& marker = Marker(c.kind, 20, c.context);
    EXPECT_EQ(marker.foregroundColor(), c.foreground) << "kind " << c.kind;
    EXPECT_EQ(marker.backgroundColor(), c.background) << "kind " << c.kind;
  }
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
