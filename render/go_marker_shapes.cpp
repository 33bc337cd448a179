#include <algorithm>
#include <cmath>

#include "render/go_marker.h"

namespace vantaro {
namespace {

constexpr double kBand = 1.4;  // width of the antialiasing band in pixels

// Line thickness of the ring and the cross: a sixth of the picture, at least a pixel.
double StrokeOf(int width) {
  return std::max(width / 6.0, 1.0);
}

}  // namespace

void GoMarkerCR::Render() {
  const int w = width();
  const double centre = w / 2.0;
  const double outer = 0.4 * height();
  const double inner = outer - StrokeOf(w);
  const rutl::COLORREF back = backgroundColor();
  const rutl::COLORREF fore = foregroundColor();
  std::vector<std::uint32_t>& out = pixels();
  for (int y = 0; y < height(); ++y) {
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      std::uint32_t pixel = kTransparent;
      if (d > outer + kBand) {
        pixel = kTransparent;
      } else if (d >= outer) {
        pixel = Opaque(rutl::Blend(back, fore, BandPercent(d - outer)));
      } else if (d >= inner + kBand) {
        pixel = Opaque(fore);
      } else if (d >= inner) {
        pixel = Opaque(rutl::Blend(fore, back, BandPercent(d - inner)));
      }
      out[static_cast<size_t>(y * w + x)] = pixel;
    }
  }
}

void GoMarkerCR::DrawShape(rutl::DC& dc, int left, int top) {
  const int stroke = static_cast<int>(std::lround(StrokeOf(width())));
  const int outer = static_cast<int>(std::lround(0.4 * height()));
  const int cx = left + width() / 2;
  const int cy = top + height() / 2;
  const rutl::Pen pen = dc.SelectPen({foregroundColor(), stroke});
  const rutl::Brush brush = dc.SelectBrush(rutl::Brush::Hollow());
  dc.Ellipse({cx - outer, cy - outer, cx + outer + 1, cy + outer + 1});
  dc.SelectPen(pen);
  dc.SelectBrush(brush);
}

int GoMarkerMA::SizeFor(int spacing) const {
  return static_cast<int>(spacing * 0.3846153846153846);
}

void GoMarkerMA::Render() {
  const int w = width();
  const int h = height();
  const double stroke = StrokeOf(w);
  std::vector<std::uint32_t>& out = pixels();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double d = std::min(std::abs(x - y), std::abs(h - 1 - x - y));
      std::uint32_t pixel = Opaque(foregroundColor());
      if (d > stroke + kBand) {
        pixel = kTransparent;
      } else if (d >= stroke) {
        pixel = Opaque(rutl::Blend(backgroundColor(), foregroundColor(), BandPercent(d - stroke)));
      }
      out[static_cast<size_t>(y * w + x)] = pixel;
    }
  }
}

void GoMarkerMA::DrawShape(rutl::DC& dc, int left, int top) {
  // The picture's bars reach the stroke across and along, so their width is sqrt(2) strokes.
  const int stroke = static_cast<int>(std::lround(std::sqrt(2.0) * StrokeOf(width())));
  const rutl::Pen pen = dc.SelectPen({foregroundColor(), stroke});
  dc.Line(left, top, left + width(), top + height());
  dc.Line(left + width(), top, left, top + height());
  dc.SelectPen(pen);
}

void GoMarkerSQ::Render() {
  const int w = width();
  const int h = height();
  const std::uint32_t edge = Opaque(rutl::Blend(backgroundColor(), foregroundColor(), 6));
  std::vector<std::uint32_t>& out = pixels();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool onEdge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      out[static_cast<size_t>(y * w + x)] = onEdge ? edge : Opaque(foregroundColor());
    }
  }
}

void GoMarkerSQ::DrawShape(rutl::DC& dc, int left, int top) {
  dc.FillSolidRect({left, top, left + width(), top + height()}, foregroundColor());
}

int GoMarkerTR::SizeFor(int spacing) const {
  return static_cast<int>(spacing * 0.5263157894736842);
}

void GoMarkerTR::Render() {
  const int w = width();
  const int top = static_cast<int>(w / 7.0);
  const int base = static_cast<int>(0.75 * w);
  const double centre = w / 2.0;
  const rutl::COLORREF back = backgroundColor();
  const rutl::COLORREF fore = foregroundColor();
  std::vector<std::uint32_t>& out = pixels();
  std::fill(out.begin(), out.end(), kTransparent);
  for (int y = top; y <= base && y < height(); ++y) {
    const double halfWidth = (y - top) / std::sqrt(3.0);
    for (int x = 0; x < w; ++x) {
      std::uint32_t& pixel = out[static_cast<size_t>(y * w + x)];
      if (y == top && x == static_cast<int>(centre)) {
        pixel = Opaque(rutl::Blend(back, fore, 20));
        continue;
      }
      const double e = std::abs(x + 0.5 - centre) + 0.3;
      if (e > centre || e > halfWidth + kBand) {
        pixel = kTransparent;
      } else if (e >= halfWidth) {
        pixel = Opaque(rutl::Blend(back, fore, BandPercent(e - halfWidth)));
      } else {
        pixel = Opaque(fore);
      }
    }
  }
}

void GoMarkerTR::DrawShape(rutl::DC& dc, int left, int top) {
  const double apex = top + width() / 7.0;
  const double base = top + 0.75 * width();
  DrawTriangle(dc, left + width() / 2.0, apex, base, (base - apex) / std::sqrt(3.0));
}

int GoMarkerFocusTriangle::SizeFor(int spacing) const {
  return static_cast<int>(spacing * 0.9090909090909091);
}

void GoMarkerFocusTriangle::Render() {
  const int w = width();
  const double top = w / 3.0;
  const double base = std::min(w / 3.0 + w / 2.0, std::trunc(0.6 * w));
  const int centre = static_cast<int>(w / 2.0);
  std::vector<std::uint32_t>& out = pixels();
  for (int y = 0; y < height(); ++y) {
    for (int x = 0; x < w; ++x) {
      const bool inside = top <= y && y <= base && std::abs(x - centre) <= y - top;
      out[static_cast<size_t>(y * w + x)] = inside ? Opaque(foregroundColor()) : kTransparent;
    }
  }
}

void GoMarkerFocusTriangle::DrawShape(rutl::DC& dc, int left, int top) {
  const double apex = top + width() / 3.0;
  const double base = top + std::min(width() / 3.0 + width() / 2.0, std::trunc(0.6 * width()));
  DrawTriangle(dc, left + width() / 2.0, apex, base, base - apex);
}

int GoMarkerStarPoint::SizeFor(int spacing) const {
  return std::max(spacing / 5, 2);
}

void GoMarkerStarPoint::DrawShape(rutl::DC& dc, int left, int top) {
  // The dot alone: the board behind it is drawn already.
  DrawDisc(dc, left, top, std::sqrt(0.8) * width(), foregroundColor(), 0);
}

void GoMarkerStarPoint::Sample(int gridWidth, int gridHeight, std::vector<SampleColour>& colours,
                               std::vector<std::uint8_t>& transparent) {
  const SampleColour back = ToSample(backgroundColor());
  for (int row = 0; row < gridHeight; ++row) {
    const double v = ((row + 0.5) - gridHeight / 2.0) * 2 / gridHeight;
    for (int column = 0; column < gridWidth; ++column) {
      const double u = ((column + 0.5) - gridWidth / 2.0) * 2 / gridWidth;
      const size_t at = static_cast<size_t>(row * gridWidth + column);
      colours[at] = u * u + v * v > 0.8 ? back : SampleColour{};
      transparent[at] = 0;
    }
  }
}

}  // namespace vantaro
