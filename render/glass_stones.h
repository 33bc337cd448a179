#pragma once

#include <QImage>

namespace vantaro {

// The default stone pictures (installed as stones/glass/black.png and
// white.png): a glass stone filling a disc of 0.9 of the picture's half
// size, transparent around it, the same on every run.
QImage MakeGlassStoneImage(bool black, int size);

}  // namespace vantaro
