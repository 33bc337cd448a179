#include <algorithm>
#include <cmath>
#include <optional>

#include "render/go_marker.h"
#include "render/stone_image.h"

namespace vantaro {
namespace {

using namespace marker_kind;

struct Vector3 {
  double x;
  double y;
  double z;
  double Dot(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }
  Vector3 Normalised() const {
    const double length = std::sqrt(Dot(*this));
    return {x / length, y / length, z / length};
  }
};

// How a generated stone is lit: base colour M, ambient A, diffuse, view and
// specular weights, highlight colour and its sharpness.
struct Shading {
  SampleColour base;
  double ambient;
  double diffuse;
  double view;
  double specular;
  double highlight;  // grey level of the highlight; 0 for none
  double sharpness;
  double dome;  // radius at which the height falls to 0
};

Shading ShadingOf(int kind) {
  switch (kind) {
    case kWhiteStone:
      return {{1.0, 1.0, 1.0}, 0.2, 0.5, 0.4, 0.5, 0.0, 10, 0.9};
    case kBlackMaterialStone:
      return {{}, 0.0, 0.5, 0.4, 0.5, 1.0, 5, 1.0};
    case kWhiteMaterialStone:
      return {{}, 0.2, 0.5, 0.5, 0.5, 0.0, 10, 1.0};
    default:
      return {{0.1, 0.1, 0.1}, 0.0, 0.5, 0.4, 0.5, 1.0, 5, 0.9};
  }
}

SampleColour Lit(const Shading& shading, const SampleColour& base, double u, double v) {
  const double lift = 1 - (u * u + v * v) / (shading.dome * shading.dome);
  // A flattened normal turns the dome into a lens.
  const Vector3 normal = Vector3{0.6 * u, 0.6 * v, lift < 0 ? 0.0 : std::sqrt(lift)}.Normalised();
  static const Vector3 light = Vector3{-1, -1, 1}.Normalised();
  const double toLight = normal.Dot(light);
  const double toViewer = normal.z;
  // The reflection of a ray straight into the screen, (0, 0, -1), about the normal.
  const Vector3 reflected{2 * normal.z * normal.x, 2 * normal.z * normal.y,
                          -1 + 2 * normal.z * normal.z};
  const double shine = reflected.Dot(light);
  double weight = 0;
  if (toLight > 0) weight += shading.diffuse * toLight;
  if (toViewer > 0) weight += shading.view * toViewer;
  const double highlight =
      shine > 0 ? shading.specular * std::pow(shine, shading.sharpness) * shading.highlight : 0;
  const auto channel = [&](double baseChannel) {
    return std::clamp(shading.ambient + weight * baseChannel + highlight, 0.0, 1.0);
  };
  return {channel(base.red), channel(base.green), channel(base.blue)};
}

// Where the stone's shadow falls: a disc toward the lower right.
struct ShadowDisc {
  double offset;
  double radius;
};

ShadowDisc ShadowOf(int kind) {
  if (kind == kBlackImageStone || kind == kWhiteImageStone) return {0.23, 0.75};
  if (kind == kBlackMaterialStone || kind == kWhiteMaterialStone) return {0.18, 0.8};
  return {0.1, 0.9};
}

SampleColour Scaled(const SampleColour& colour, double factor) {
  return {colour.red * factor, colour.green * factor, colour.blue * factor};
}

// Position of a sample across a grid of n samples: -1 at the first, 1 at the last.
double Across(int index, int n) {
  return n == 1 ? 1.0 : 2.0 * index / (n - 1) - 1;
}

// Samples on the middle row and column stay opaque outside a stone: they
// cover the grid line between the stone's edge and the picture's edge.
bool OnMiddleStrip(int index, int n) {
  return std::abs(2 * index - (n - 1)) < 2;
}

}  // namespace

void GoMarkerStone::SetImage(const StoneImage* image) {
  const int generation = image != nullptr ? image->generation() : 0;
  if (image == image_ && generation == imageGeneration_) return;
  image_ = image;
  imageGeneration_ = generation;
  Invalidate();
}

void GoMarkerStone::SetVariant(int count, int index) {
  if (count == variantCount_ && index == variantIndex_) return;
  variantCount_ = count;
  variantIndex_ = index;
  Invalidate();
}

void GoMarkerStone::DrawShape(rutl::DC& dc, int left, int top) {
  // Shading and shadow are the picture's; the shape is the stone's face.
  const bool white = IsWhiteStone(kind());
  DrawDisc(dc, left, top, 0.94 * width(), white ? 0xFFFFFF : 0x000000,
           white ? std::max(width() / 24, 1) : 0);
}

void GoMarkerStone::Sample(int gridWidth, int gridHeight, std::vector<SampleColour>& colours,
                           std::vector<std::uint8_t>& transparent) {
  const int k = kind();
  const bool usesImage = UsesStoneImage(k);
  const bool material = k == kBlackMaterialStone || k == kWhiteMaterialStone;
  const Shading shading = ShadingOf(k);
  const ShadowDisc shadow = ShadowOf(k);
  const SampleColour ground = ToSample(backgroundColor());
  for (int j = 0; j < gridHeight; ++j) {
    const double v = Across(j, gridHeight);
    for (int i = 0; i < gridWidth; ++i) {
      const double u = Across(i, gridWidth);
      const size_t at = static_cast<size_t>(j * gridWidth + i);
      const double du = u - shadow.offset;
      const double dv = v - shadow.offset;
      const bool inShadow = du * du + dv * dv <= shadow.radius * shadow.radius;
      const SampleColour backdrop = inShadow ? Scaled(ground, 0.6) : ground;
      std::optional<ImageSample> picture;
      bool inside = u * u + v * v <= 0.9 * 0.9;
      if (inside && usesImage) {
        if (image_ != nullptr) {
          picture = material ? image_->AtVariant(u, v, variantIndex_) : image_->At(u, v);
        }
        inside = picture.has_value();
      }
      if (!inside) {
        colours[at] = backdrop;
        transparent[at] =
            !(inShadow || OnMiddleStrip(i, gridWidth) || OnMiddleStrip(j, gridHeight));
        continue;
      }
      transparent[at] = 0;
      if (usesImage && !material) {
        const double alpha = picture->alpha;
        colours[at] = {picture->red * alpha + backdrop.red * (1 - alpha),
                       picture->green * alpha + backdrop.green * (1 - alpha),
                       picture->blue * alpha + backdrop.blue * (1 - alpha)};
      } else {
        const SampleColour base =
            material ? SampleColour{picture->red, picture->green, picture->blue} : shading.base;
        colours[at] = Lit(shading, base, u, v);
      }
    }
  }
}

int GoMarkerMonoStone::SizeFor(int spacing) const {
  return static_cast<int>(spacing * 0.92);
}

int GoMarkerMonoStone::penWidth() const {
  return std::max(static_cast<int>(width() * 0.4) / 8, 1);
}

bool GoMarkerMonoStone::Draw(rutl::DC& dc, int x, int y, bool centred) {
  if (width() < 0 || height() < 0) return false;
  DrawShape(dc, centred ? x - width() / 2 : x, centred ? y - height() / 2 : y);
  return true;
}

void GoMarkerMonoStone::DrawShape(rutl::DC& dc, int left, int top) {
  const rutl::Pen pen = dc.SelectPen({0, penWidth()});
  const rutl::Brush brush = dc.SelectBrush(kind() == kWhiteMonoStone ? rutl::Brush::StockWhite()
                                                                     : rutl::Brush::StockBlack());
  dc.Ellipse({left, top, left + width(), top + height()});
  dc.SelectPen(pen);
  dc.SelectBrush(brush);
}

void GoMarkerMonoAntiaStone::DrawShape(rutl::DC& dc, int left, int top) {
  const bool white = kind() == kWhiteMonoAntiaStone;
  DrawDisc(dc, left, top, (white ? 0.95 : 0.9) * width(), foregroundColor(),
           white ? std::max(width() / 16, 1) : 0);
}

void GoMarkerMonoAntiaStone::Sample(int gridWidth, int gridHeight,
                                    std::vector<SampleColour>& colours,
                                    std::vector<std::uint8_t>& transparent) {
  const bool white = kind() == kWhiteMonoAntiaStone;
  const double radius = white ? 0.95 : 0.9;
  const SampleColour ground = ToSample(backgroundColor());
  const SampleColour black{};
  const SampleColour paper{1.0, 1.0, 1.0};
  for (int j = 0; j < gridHeight; ++j) {
    const double v = Across(j, gridHeight) / radius;
    for (int i = 0; i < gridWidth; ++i) {
      const double u = Across(i, gridWidth) / radius;
      const double d = std::sqrt(u * u + v * v);
      const size_t at = static_cast<size_t>(j * gridWidth + i);
      if (d > 1) {
        colours[at] = ground;
        transparent[at] = !(OnMiddleStrip(i, gridWidth) || OnMiddleStrip(j, gridHeight));
      } else {
        colours[at] = white && d <= 0.85 ? paper : black;
        transparent[at] = 0;
      }
    }
  }
}

}  // namespace vantaro
