#include "render/stone_image.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantaro {
namespace {

// The material is sampled within this part of the picture, so that turning
// and shifting it never reaches the picture's transparent corners.
constexpr double kMaterialScale = 0.82;
constexpr double kMaterialShift = 0.07;
constexpr double kMaterialTurnDegrees = 25;

}  // namespace

bool StoneImage::Load(const std::u16string& path) {
  Clear();
  QImage image(QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size())));
  if (image.isNull()) return false;
  image_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  path_ = path;
  ++generation_;
  return true;
}

void StoneImage::Clear() {
  image_ = QImage();
  path_.clear();
  ++generation_;
}

std::optional<ImageSample> StoneImage::At(double u, double v) const {
  if (image_.isNull() || u < -1 || u > 1 || v < -1 || v > 1) return std::nullopt;
  const int width = image_.width();
  const int height = image_.height();
  // Pixel centres lie half a pixel inside the square's edges.
  const double px = std::clamp((u + 1) / 2 * width - 0.5, 0.0, width - 1.0);
  const double py = std::clamp((v + 1) / 2 * height - 0.5, 0.0, height - 1.0);
  const int x0 = static_cast<int>(px);
  const int y0 = static_cast<int>(py);
  const int x1 = std::min(x0 + 1, width - 1);
  const int y1 = std::min(y0 + 1, height - 1);
  const double fx = px - x0;
  const double fy = py - y0;
  double channels[4] = {0, 0, 0, 0};
  const auto add = [&](int x, int y, double weight) {
    const QRgb pixel = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
    channels[0] += qRed(pixel) * weight;
    channels[1] += qGreen(pixel) * weight;
    channels[2] += qBlue(pixel) * weight;
    channels[3] += qAlpha(pixel) * weight;
  };
  add(x0, y0, (1 - fx) * (1 - fy));
  add(x1, y0, fx * (1 - fy));
  add(x0, y1, (1 - fx) * fy);
  add(x1, y1, fx * fy);
  if (channels[3] <= 0) return std::nullopt;
  return ImageSample{channels[0] / channels[3], channels[1] / channels[3],
                     channels[2] / channels[3], channels[3] / 255};
}

std::optional<ImageSample> StoneImage::AtVariant(double u, double v, int index) const {
  double turn = 0;
  double shiftU = 0;
  double shiftV = 0;
  if (index > 0) {
    // Golden-ratio steps spread the variants evenly over the turns and shifts.
    const double spread = std::fmod(index * std::numbers::phi, 1.0);
    turn = (spread - 0.5) * 2 * kMaterialTurnDegrees * std::numbers::pi / 180;
    shiftU = kMaterialShift * std::cos(index * 2.399963);
    shiftV = kMaterialShift * std::sin(index * 2.399963);
  }
  const double c = std::cos(turn);
  const double s = std::sin(turn);
  return At(kMaterialScale * (c * u - s * v) + shiftU, kMaterialScale * (s * u + c * v) + shiftV);
}

}  // namespace vantaro
