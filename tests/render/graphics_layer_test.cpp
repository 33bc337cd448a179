#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>

#include "render/bitmap_dc.h"
#include "render/masked_picture.h"

namespace vantaro::test {
namespace {

using rutl::COLORREF;

std::unique_ptr<rutl::BitmapDC> Filled(int width, int height, COLORREF colour) {
  auto bitmap = std::make_unique<rutl::BitmapDC>();
  EXPECT_TRUE(bitmap->Create(rutl::DC(), width, height));
  bitmap->dc()->FillSolidRect({0, 0, width, height}, colour);
  return bitmap;
}

// The board drawing places every line by the convention of the Windows drawing
// calls it follows: a line leaves out its end point. A pixel too many is within
// the golden pictures' tolerance, so only this test sees it.
TEST(DeviceContextTest, LinesLeaveOutTheirLastPoint) {
  const auto bitmap = Filled(6, 6, 0xFFFFFF);
  rutl::DC& dc = *bitmap->dc();
  dc.SelectPen({0x0000FF, 1});
  dc.Line(1, 1, 4, 1);
  dc.Line(5, 4, 5, 1);
  const auto red = [&](int x, int y) { return dc.GetPixel(x, y) == 0x0000FFu; };
  EXPECT_TRUE(red(1, 1) && red(2, 1) && red(3, 1));
  EXPECT_FALSE(red(4, 1));
  EXPECT_TRUE(red(5, 4) && red(5, 3) && red(5, 2));
  EXPECT_FALSE(red(5, 1));
}

struct RasterCase {
  rutl::RasterOp op;
  COLORREF expected;
};

class RasterOpTest : public ::testing::TestWithParam<RasterCase> {};

// Inside the transfer only; onto a memory bitmap and through a window's painter alike.
TEST_P(RasterOpTest, CombineSourceAndTarget) {
  const auto target = Filled(4, 4, 0x0F0F33);
  const auto source = Filled(2, 2, 0x3C3C0F);
  target->dc()->BitBlt(1, 1, 2, 2, *source->dc(), 0, 0, GetParam().op);
  EXPECT_EQ(target->dc()->GetPixel(1, 1), GetParam().expected);
  EXPECT_EQ(target->dc()->GetPixel(2, 2), GetParam().expected);
  EXPECT_EQ(target->dc()->GetPixel(0, 0), 0x0F0F33u);
  EXPECT_EQ(target->dc()->GetPixel(3, 2), 0x0F0F33u);

  QImage window(4, 4, QImage::Format_RGB32);
  window.fill(rutl::ToQRgb(0x0F0F33));
  {
    QPainter painter(&window);
    rutl::DC dc(painter);
    dc.BitBlt(1, 1, 2, 2, *source->dc(), 0, 0, GetParam().op);
  }
  EXPECT_EQ(window, target->ToImage());
}

INSTANTIATE_TEST_SUITE_P(AllOperations, RasterOpTest,
                         ::testing::Values(RasterCase{rutl::RasterOp::SrcCopy, 0x3C3C0F},
                                           RasterCase{rutl::RasterOp::SrcAnd, 0x0C0C03},
                                           RasterCase{rutl::RasterOp::SrcPaint, 0x3F3F3F}));

TEST(BitBltTest, TransfersAreCutToBothBitmaps) {
  const auto target = Filled(3, 3, 0);
  const auto source = Filled(3, 3, 0);
  source->dc()->SetPixel(0, 0, 0x111111);
  source->dc()->SetPixel(2, 2, 0x222222);
  // Hanging over the target's top-left and bottom-right corners.
  target->dc()->BitBlt(-2, -2, 3, 3, *source->dc(), 0, 0, rutl::RasterOp::SrcCopy);
  target->dc()->BitBlt(2, 2, 5, 5, *source->dc(), 0, 0, rutl::RasterOp::SrcCopy);
  EXPECT_EQ(target->dc()->GetPixel(0, 0), 0x222222u);
  EXPECT_EQ(target->dc()->GetPixel(2, 2), 0x111111u);
  EXPECT_EQ(target->dc()->GetPixel(1, 1), 0u);
}

// A picture whose pixels are opaque in a checkerboard.
class Checkerboard : public CMaskedPicture {
 public:
  explicit Checkerboard(int size) { SetPictureSize(size, size); }

 protected:
  void Render() override {
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) {
        pixels()[static_cast<size_t>(y * width() + x)] =
            (x + y) % 2 == 0 ? Opaque(rutl::Rgb(x * 40, y * 40, 200)) : kTransparent;
      }
    }
  }
};

TEST(MaskedPictureTest, TransparentPixelsLeaveTheTargetUnchanged) {
  const auto target = Filled(6, 6, 0);
  for (int i = 0; i < 36; ++i) target->dc()->SetPixel(i % 6, i / 6, 0x010203u * (i + 1));
  const std::vector<COLORREF> before = target->ReadPixels();
  Checkerboard picture(4);
  ASSERT_TRUE(picture.Draw(*target->dc(), 1, 1, false));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 4;
      const bool opaque = inside && (x - 1 + y - 1) % 2 == 0;
      const COLORREF expected =
          opaque ? rutl::Rgb((x - 1) * 40, (y - 1) * 40, 200) : before[size_t(y * 6 + x)];
      EXPECT_EQ(target->dc()->GetPixel(x, y), expected) << x << "," << y;
    }
  }
  // Centred, the middle pixel lies on the point.
  const auto centred = Filled(7, 7, 0);
  Checkerboard(3).Draw(*centred->dc(), 3, 3, true);
  EXPECT_EQ(centred->dc()->GetPixel(3, 3), rutl::Rgb(40, 40, 200));
  EXPECT_EQ(centred->dc()->GetPixel(2, 2), rutl::Rgb(0, 0, 200));
  EXPECT_EQ(centred->dc()->GetPixel(1, 1), 0u);
}

}  // namespace
}  // namespace vantaro::test
