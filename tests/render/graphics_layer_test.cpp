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

TEST(ColourTest, ColoursKeepRedInTheLowByte) {
  const auto bitmap = Filled(2, 1, 0);
  bitmap->dc()->SetPixel(1, 0, rutl::Rgb(10, 20, 30));
  EXPECT_EQ(rutl::Rgb(10, 20, 30), 0x1E140Au);
  EXPECT_EQ(bitmap->ToImage().pixel(1, 0), qRgb(10, 20, 30));
  EXPECT_EQ(bitmap->dc()->GetPixel(1, 0), 0x1E140Au);
  EXPECT_EQ(bitmap->dc()->GetPixel(2, 0), rutl::kInvalidColour);
}

TEST(ColourTest, BlendMixesByPercentageAndTruncates) {
  EXPECT_EQ(rutl::Blend(0x000000, 0xFFFFFF, 0), 0xFFFFFFu);
  EXPECT_EQ(rutl::Blend(0xFFFFFF, 0x000000, 100), 0xFFFFFFu);
  EXPECT_EQ(rutl::Blend(rutl::Rgb(201, 3, 100), 0, 50), rutl::Rgb(100, 1, 50));
  EXPECT_EQ(rutl::Blend(rutl::Rgb(200, 100, 0), 0, 150), rutl::Rgb(255, 150, 0));
}

TEST(BitmapDCTest, SizesBelowOneBecomeOne) {
  rutl::BitmapDC bitmap;
  ASSERT_TRUE(bitmap.Create(rutl::DC(), 0, 7));
  EXPECT_EQ(bitmap.width(), 1);
  EXPECT_EQ(bitmap.height(), 7);
  EXPECT_EQ(bitmap.ReadPixels().size(), 7u);
}

TEST(BitmapDCTest, WritePixelsRefusesAShortArrayAndKeepsTheBitmap) {
  const auto bitmap = Filled(2, 2, 0x123456);
  EXPECT_FALSE(bitmap->WritePixels({1, 2, 3}));
  EXPECT_EQ(bitmap->ReadPixels(), (std::vector<COLORREF>(4, 0x123456)));
  EXPECT_TRUE(bitmap->WritePixels({1, 2, 3, 4}));
  EXPECT_EQ(bitmap->ReadPixels(), (std::vector<COLORREF>{1, 2, 3, 4}));
}

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

// A picture whose pixels are opaque in a checkerboard; counts its renderings.
class Checkerboard : public CMaskedPicture {
 public:
  explicit Checkerboard(int size, bool anyOpaque = true) : anyOpaque_(anyOpaque) {
    SetPictureSize(size, size);
  }
  int renders = 0;

 protected:
  void Render() override {
    ++renders;
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) {
        const bool opaque = anyOpaque_ && (x + y) % 2 == 0;
        pixels()[static_cast<size_t>(y * width() + x)] =
            opaque ? Opaque(rutl::Rgb(x * 40, y * 40, 200)) : kTransparent;
      }
    }
  }

 private:
  bool anyOpaque_;
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
}

TEST(MaskedPictureTest, AnAllTransparentOrResetPictureDrawsNothing) {
  const auto target = Filled(5, 5, 0x445566);
  Checkerboard transparent(3, false);
  EXPECT_TRUE(transparent.Draw(*target->dc(), 2, 2, true));
  Checkerboard reset(3);
  reset.Reset();
  EXPECT_FALSE(reset.Draw(*target->dc(), 1, 1, false));
  EXPECT_EQ(target->ReadPixels(), std::vector<COLORREF>(25, 0x445566));
}

TEST(MaskedPictureTest, CentredDrawingPutsTheMiddlePixelOnThePoint) {
  const auto target = Filled(7, 7, 0);
  Checkerboard picture(3);
  picture.Draw(*target->dc(), 3, 3, true);
  EXPECT_EQ(target->dc()->GetPixel(3, 3), rutl::Rgb(40, 40, 200));
  EXPECT_EQ(target->dc()->GetPixel(2, 2), rutl::Rgb(0, 0, 200));
  EXPECT_EQ(target->dc()->GetPixel(1, 1), 0u);
}

TEST(MaskedPictureTest, RendersOnceUntilItsColoursChange) {
  const auto target = Filled(5, 5, 0);
  Checkerboard picture(3);
  picture.Draw(*target->dc(), 0, 0, false);
  picture.Draw(*target->dc(), 1, 1, false);
  picture.SetBackgroundColor(0);
  picture.Draw(*target->dc(), 1, 1, false);
  EXPECT_EQ(picture.renders, 1);
  picture.SetBackgroundColor(0x00FF00);
  picture.Draw(*target->dc(), 1, 1, false);
  EXPECT_EQ(picture.renders, 2);
}

}  // namespace
}  // namespace vantaro::test
