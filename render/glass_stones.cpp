#include "render/glass_stones.h"

#include <algorithm>
#include <cmath>

namespace vantaro {
namespace {

// The part of the picture a stone drawn from it shows (GoMarkerStone samples
// the picture inside this radius): the glass fills exactly that disc.
constexpr double kDisc = 0.9;

struct Rgbf {
  double red;
  double green;
  double blue;
};

// The colour of the glass at (u, v), both -1..1 within the stone's disc.
Rgbf GlassAt(bool black, double u, double v) {
  const double z = std::sqrt(std::max(0.0, 1 - u * u - v * v));
  const double lx = -0.55;
  const double ly = -0.55;
  const double lz = 0.63;
  const double toLight = std::max(0.0, u * lx + v * ly + z * lz);
  // Reflection of the view ray (0, 0, -1) about the normal, toward the light.
  const double shine = std::max(0.0, 2 * z * (u * lx + v * ly + z * lz) - lz);
  const double edge = 1 - z;
  if (black) {
    const double glow = 0.10 * edge * edge * std::max(0.0, u + v);  // light passing through
    const double mottle = 0.008 * std::sin(23 * u + 17 * v);
    const double highlight = 0.85 * std::pow(shine, 30);
    const double body = 0.07 + 0.10 * toLight + mottle;
    return {body + glow * 0.6 + highlight, body + glow * 0.7 + highlight,
            body + 0.02 + glow + highlight};
  }
  const double stripes = 0.018 * std::sin(38 * v + 3 * u * u);  // a faint grain in the glass
  const double shade = 0.78 + 0.2 * toLight - 0.22 * std::pow(edge, 3) + stripes;
  const double highlight = 0.3 * std::pow(shine, 20);
  return {shade + highlight, shade + highlight, shade * 0.97 + highlight};
}

int Channel(double value) {
  return std::clamp(static_cast<int>(std::lround(value * 255)), 0, 255);
}

}  // namespace

QImage MakeGlassStoneImage(bool black, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size; ++x) {
      const double u = (x + 0.5) / size * 2 - 1;
      const double v = (y + 0.5) / size * 2 - 1;
      const double r = std::hypot(u, v);
      // One pixel of soft edge around the disc.
      const double coverage = std::clamp((kDisc - r) * size / 2 + 0.5, 0.0, 1.0);
      if (coverage <= 0) {
        row[x] = qRgba(0, 0, 0, 0);
        continue;
      }
      const double inside = std::min(r / kDisc, 1.0);
      const double scale = r > 0 ? inside / r : 0;
      const Rgbf colour = GlassAt(black, u * scale, v * scale);
      row[x] = qRgba(Channel(colour.red), Channel(colour.green), Channel(colour.blue),
                     Channel(coverage));
    }
  }
  return image;
}

}  // namespace vantaro
