#include "render/drawable_cache.h"

#include <algorithm>

#include "options/options.h"
#include "render/stone_image.h"

namespace vantaro {

using namespace marker_kind;

DrawableCache::DrawableCache(const Options& options, const StoneImage& blackImage,
                             const StoneImage& whiteImage)
    : options_(options), blackImage_(blackImage), whiteImage_(whiteImage) {}

rutl::COLORREF DrawableCache::BackgroundFor(ColourContext context,
                                            rutl::COLORREF background) const {
  // A marker on a stone blends into the stone's face: pure black or white
  // for the flat styles, the greys of the shaded stones' faces otherwise.
  const auto flat = [](StoneStyle style) {
    return style == StoneStyle::MonoAntialiased || style == StoneStyle::Mono;
  };
  switch (context) {
    case ColourContext::OnBlackStone:
      return flat(options_.stoneTypeB) ? 0x000000 : 0x262626;
    case ColourContext::OnWhiteStone:
      return flat(options_.stoneTypeW) ? 0xFFFFFF : 0xDEDEDE;
    case ColourContext::OnEmptyPoint:
      break;
  }
  return background;
}

rutl::COLORREF DrawableCache::ForegroundFor(int kind, ColourContext context) const {
  const bool onBlack = context == ColourContext::OnBlackStone;
  if (kind == kFocus) {
    return rutl::ColourOf(onBlack ? options_.focusColor : options_.focusColorW);
  }
  if (kind <= kTriangle || kind == kStarPoint) return onBlack ? 0xFFFFFF : 0x000000;
  return IsWhiteStone(kind) ? 0xFFFFFF : 0x000000;
}

GoMarker* DrawableCache::VariantFor(int kind, unsigned variant) {
  const bool black = kind == kBlackMaterialStone;
  std::vector<std::unique_ptr<GoMarker>>& list = variants_[black ? 0 : 1];
  // More variants than a board has points could never all be seen.
  constexpr int kMostVariants = 52 * 52;
  const int count =
      std::clamp(black ? options_.stoneRandomCountB : options_.stoneRandomCountW, 1, kMostVariants);
  list.resize(static_cast<size_t>(count));
  const int index = static_cast<int>(variant % static_cast<unsigned>(count));
  std::unique_ptr<GoMarker>& entry = list[static_cast<size_t>(index)];
  if (!entry) entry = MakeGoMarker(kind);
  static_cast<GoMarkerStone&>(*entry).SetVariant(count, index);
  return entry.get();
}

GoMarker* DrawableCache::MarkerFor(int kind, ColourContext context, int spacing,
                                   rutl::COLORREF background, unsigned variant) {
  if (kind < 0 || kind >= kSlots) return nullptr;
  GoMarker* marker = nullptr;
  if (kind == kBlackMaterialStone || kind == kWhiteMaterialStone) {
    marker = VariantFor(kind, variant);
  } else {
    const int made = kind == kFocus ? options_.focusShape : kind;
    std::unique_ptr<GoMarker>& slot =
        slots_[static_cast<size_t>(kind)][static_cast<size_t>(context)];
    if (slot && slot->kind() != made) slot.reset();
    if (!slot) slot = MakeGoMarker(made);
    marker = slot.get();
  }
  if (marker == nullptr) return nullptr;
  marker->SetBackgroundColor(BackgroundFor(context, background));
  marker->SetForegroundColor(ForegroundFor(kind, context));
  const int made = marker->kind();
  if (UsesStoneImage(made)) {
    static_cast<GoMarkerStone*>(marker)->SetImage(IsWhiteStone(made) ? &whiteImage_ : &blackImage_);
  }
  marker->SetSize(spacing);
  return marker;
}

}  // namespace vantaro
