#pragma once

#include <QImage>

namespace vantaro {

// The board texture: a 50 x 50 picture of light wood, made the same way on
// every run, whose opposite edges meet so that it tiles without seams.
QImage MakeWoodTexture();

}  // namespace vantaro
