#pragma once

namespace vantaro {

// How the stones of one colour are drawn. The numbers are what the settings
// stoneTypeB and stoneTypeW store, so they keep their meaning.
enum class StoneStyle : int {
  Generated = 0,        // shaded stones the program computes
  MonoAntialiased = 1,  // flat black and white discs with smooth edges
  Mono = 2,             // flat black and white ellipses
  Image = 3,            // the stone image itself
  Material = 4,         // generated stones made of the stone image
};

// The style a stored number stands for. A number that names no style draws
// generated stones, the default, rather than nothing.
constexpr StoneStyle StoneStyleFromStored(int stored) {
  return stored >= static_cast<int>(StoneStyle::Generated) &&
                 stored <= static_cast<int>(StoneStyle::Material)
             ? static_cast<StoneStyle>(stored)
             : StoneStyle::Generated;
}
constexpr int StoredStoneStyle(StoneStyle style) {
  return static_cast<int>(style);
}

}  // namespace vantaro
