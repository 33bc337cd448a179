#pragma once

#include <QImage>

namespace rutl {

// The program's own bitmaps, by resource id.
constexpr int kBoardTextureResource = 130;  // 50 x 50 wood

// The bitmap with the id, or a null image when the program has none.
QImage LoadBitmapResource(int resourceId);

}  // namespace rutl
