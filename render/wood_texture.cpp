#include "render/wood_texture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vantaro {
namespace {

constexpr int kSide = 50;

// Every term repeats after kSide pixels both ways, so the tile has no seams.
double Wave(double cycles, int position, double phase) {
  return std::sin(2 * std::numbers::pi * cycles * position / kSide + phase);
}

// A small fixed speckle per pixel, from an integer hash.
double Speckle(int x, int y) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return static_cast<double>(h % 1000) / 1000.0 - 0.5;
}

}  // namespace

QImage MakeWoodTexture() {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  for (int y = 0; y < kSide; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kSide; ++x) {
      // Grain lines run top to bottom and sway gently from side to side.
      const double sway = 0.45 * Wave(1, y, 0.4) + 0.2 * Wave(2, y, 2.1);
      const double phase = 2 * std::numbers::pi * 3 * x / kSide + sway;
      const double grain = std::pow(0.5 + 0.5 * std::cos(phase), 6);
      const double fine = std::pow(0.5 + 0.5 * Wave(7, x, 0.6 * Wave(1, y, 1.0) + 0.3), 4);
      const double fibre = Wave(17, x, 1.3 * Wave(1, y, 0.0));
      const double shade = 1.0 - 0.08 * grain - 0.04 * fine - 0.02 * fibre + 0.03 * Speckle(x, y);
      const auto channel = [shade](double base) {
        return std::clamp(static_cast<int>(base * shade), 0, 255);
      };
      row[x] = qRgb(channel(226), channel(178), channel(104));
    }
  }
  return image;
}

}  // namespace vantaro
