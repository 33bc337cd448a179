#include "render/go_marker.h"

#include <algorithm>
#include <cmath>

namespace vantaro {

SampleColour ToSample(rutl::COLORREF colour) {
  return {rutl::RedOf(colour) / 255.0, rutl::GreenOf(colour) / 255.0, rutl::BlueOf(colour) / 255.0};
}

void GoMarker::SetForegroundColor(rutl::COLORREF colour) {
  if (colour == foreground_) return;
  foreground_ = colour;
  Invalidate();
}

void GoMarker::SetSize(int spacing) {
  int size = SizeFor(spacing);
  if (size % 2 == 0 && size < spacing) ++size;
  size = std::max(std::min(size, spacing), 1);
  SetPictureSize(size, size);
}

int GoMarker::BandPercent(double distance) {
  return static_cast<int>(distance * 71.42857142857143);
}

void GoMarker::Sample(int, int, std::vector<SampleColour>&, std::vector<std::uint8_t>&) {}

bool GoMarker::Draw(rutl::DC& dc, int x, int y, bool centred) {
  if (dc.IsMemory()) return CMaskedPicture::Draw(dc, x, y, centred);
  if (width() < 1 || height() < 1) return false;
  DrawShape(dc, centred ? x - width() / 2 : x, centred ? y - height() / 2 : y);
  return true;
}

void GoMarker::DrawTriangle(rutl::DC& dc, double centre, double apex, double base,
                            double halfBase) const {
  const rutl::Pen pen = dc.SelectPen({0, 0});
  const rutl::Brush brush = dc.SelectBrush({foregroundColor(), false});
  dc.Polygon({{centre, apex}, {centre + halfBase, base}, {centre - halfBase, base}});
  dc.SelectPen(pen);
  dc.SelectBrush(brush);
}

void GoMarker::DrawDisc(rutl::DC& dc, int left, int top, double diameter, rutl::COLORREF fill,
                        int outline) const {
  const int size = static_cast<int>(std::lround(diameter));
  const int x = left + (width() - size) / 2;
  const int y = top + (height() - size) / 2;
  const rutl::Pen pen = dc.SelectPen({0x000000, outline});
  const rutl::Brush brush = dc.SelectBrush({fill, false});
  dc.Ellipse({x, y, x + size, y + size});
  dc.SelectPen(pen);
  dc.SelectBrush(brush);
}

void GoMarker::Render() {
  const int k = SampleFactor();
  const int w = width();
  const int h = height();
  const int gridWidth = (k - 1) * w + 1;
  const int gridHeight = (k - 1) * h + 1;
  const size_t samples = static_cast<size_t>(gridWidth) * static_cast<size_t>(gridHeight);
  std::vector<SampleColour> colours(samples);
  std::vector<std::uint8_t> transparent(samples, 0);
  Sample(gridWidth, gridHeight, colours, transparent);
  std::vector<std::uint32_t>& out = pixels();
  const double scale = 255.0 / (k * k);
  const auto channel = [scale](double sum) {
    return std::clamp(static_cast<int>(sum * scale), 0, 255);
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      SampleColour sum;
      bool allTransparent = true;
      for (int j = 0; j < k; ++j) {
        const size_t row = static_cast<size_t>(y * (k - 1) + j) * static_cast<size_t>(gridWidth);
        for (int i = 0; i < k; ++i) {
          const size_t at = row + static_cast<size_t>(x * (k - 1) + i);
          allTransparent = allTransparent && transparent[at] != 0;
          sum.red += colours[at].red;
          sum.green += colours[at].green;
          sum.blue += colours[at].blue;
        }
      }
      out[static_cast<size_t>(y * w + x)] =
          allTransparent
              ? kTransparent
              : Opaque(rutl::Rgb(channel(sum.red), channel(sum.green), channel(sum.blue)));
    }
  }
}

std::unique_ptr<GoMarker> MakeGoMarker(int kind) {
  using namespace marker_kind;
  switch (kind) {
    case kCircle:
      return std::make_unique<GoMarkerCR>(kind);
    case kCross:
      return std::make_unique<GoMarkerMA>(kind);
    case kSquare:
      return std::make_unique<GoMarkerSQ>(kind);
    case kTriangle:
      return std::make_unique<GoMarkerTR>(kind);
    case kFocus:
      return std::make_unique<GoMarkerFocusTriangle>(kind);
    case kStarPoint:
      return std::make_unique<GoMarkerStarPoint>(kind);
    case kBlackStone:
    case kWhiteStone:
    case kBlackImageStone:
    case kWhiteImageStone:
    case kBlackMaterialStone:
    case kWhiteMaterialStone:
      return std::make_unique<GoMarkerStone>(kind);
    case kBlackMonoStone:
    case kWhiteMonoStone:
      return std::make_unique<GoMarkerMonoStone>(kind);
    case kBlackMonoAntiaStone:
    case kWhiteMonoAntiaStone:
      return std::make_unique<GoMarkerMonoAntiaStone>(kind);
    default:
      return nullptr;
  }
}

}  // namespace vantaro
