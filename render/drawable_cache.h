#pragma once

#include <array>
#include <memory>
#include <vector>

#include "render/go_marker.h"

namespace vantaro {

struct Options;
class StoneImage;

// Where a drawable lies, which decides the colour behind it.
enum class ColourContext { OnBlackStone = 0, OnWhiteStone = 1, OnEmptyPoint = 2 };

// The board drawer's drawables, made on first use and kept: one per kind
// and colour context, and for the stones made of material one list of
// variants per colour. The options and the stone images are the drawer's
// and must outlive the cache.
class DrawableCache {
 public:
  DrawableCache(const Options& options, const StoneImage& blackImage, const StoneImage& whiteImage);

  // The drawable of the kind, set up for the context, the grid spacing and
  // the colour behind it on an empty point; null when the kind has none.
  // Kind 6 is made as the kind focusShape names. variant picks among the
  // variants of kinds 10 and 11 (taken modulo their count).
  GoMarker* MarkerFor(int kind, ColourContext context, int spacing, rutl::COLORREF background,
                      unsigned variant = 0);

 private:
  GoMarker* VariantFor(int kind, unsigned variant);
  rutl::COLORREF BackgroundFor(ColourContext context, rutl::COLORREF background) const;
  rutl::COLORREF ForegroundFor(int kind, ColourContext context) const;

  const Options& options_;
  const StoneImage& blackImage_;
  const StoneImage& whiteImage_;
  std::array<std::array<std::unique_ptr<GoMarker>, 3>, marker_kind::kSlots> slots_;
  std::array<std::vector<std::unique_ptr<GoMarker>>, 2> variants_;  // black, white
};

}  // namespace vantaro
