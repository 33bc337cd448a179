#include <gtest/gtest.h>

#include "render/wood_texture.h"
#include "render_fixture.h"

namespace vantaro::test {
namespace {

using rutl::COLORREF;

std::vector<COLORREF> WoodPixels() {
  const QImage wood = MakeWoodTexture();
  std::vector<COLORREF> pixels;
  for (int y = 0; y < wood.height(); ++y) {
    for (int x = 0; x < wood.width(); ++x) pixels.push_back(rutl::FromQRgb(wood.pixel(x, y)));
  }
  return pixels;
}

COLORREF Mean(const std::vector<COLORREF>& pixels) {
  long long r = 0, g = 0, b = 0;
  for (const COLORREF p : pixels) {
    r += rutl::RedOf(p);
    g += rutl::GreenOf(p);
    b += rutl::BlueOf(p);
  }
  const auto n = static_cast<long long>(pixels.size());
  return rutl::Rgb(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

using BoardTextureTest = RenderTest;

TEST_F(BoardTextureTest, TheTextureIsA50By50PictureThatTilesWithoutSeams) {
  const QImage wood = MakeWoodTexture();
  ASSERT_EQ(wood.size(), QSize(50, 50));
  EXPECT_EQ(wood, MakeWoodTexture());
  // Opposite edges differ no more than neighbouring columns inside do.
  int seam = 0;
  int inside = 0;
  for (int y = 0; y < 50; ++y) {
    seam += std::abs(qGreen(wood.pixel(49, y)) - qGreen(wood.pixel(0, y)));
    inside += std::abs(qGreen(wood.pixel(25, y)) - qGreen(wood.pixel(24, y)));
  }
  EXPECT_LT(seam, 2 * inside + 50);
}

// Brightness scales every channel of the picture once, however often the
// settings are applied, and saturates at either end of the channel.
TEST_F(BoardTextureTest, BrightnessScalesEveryChannelOnceAndSaturates) {
  const std::vector<COLORREF> wood = WoodPixels();
  for (const int percent : {100, 50, 300}) {
    std::vector<COLORREF> scaled;
    for (const COLORREF p : wood) {
      const auto scale = [percent](int channel) { return std::min(channel * percent / 100, 255); };
      scaled.push_back(
          rutl::Rgb(scale(rutl::RedOf(p)), scale(rutl::GreenOf(p)), scale(rutl::BlueOf(p))));
    }
    options_.boardBrightness = percent;
    CBoardDrawer drawer(options_);
    ASSERT_TRUE(drawer.textureLoaded());
    drawer.ApplyOptions();
    drawer.ApplyOptions();
    EXPECT_EQ(drawer.texture().ReadPixels(), scaled) << percent << "%";
    EXPECT_EQ(drawer.EffectiveBoardColour(), Mean(scaled)) << percent << "%";
    options_.boardBrightness = 100;
    drawer.ApplyOptions();
    EXPECT_EQ(drawer.texture().ReadPixels(), wood) << "back from " << percent << "%";
  }
  options_.boardBrightness = 2147483647;
  EXPECT_EQ(CBoardDrawer(options_).textureAverageColour(), 0xFFFFFFu);
  options_.boardBrightness = -2147483647 - 1;
  EXPECT_EQ(CBoardDrawer(options_).textureAverageColour(), 0x000000u);
}

}  // namespace
}  // namespace vantaro::test
