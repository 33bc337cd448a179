#include "render/bitmap_resources.h"

#include "render/wood_texture.h"

namespace rutl {

QImage LoadBitmapResource(int resourceId) {
  if (resourceId == kBoardTextureResource) return vantaro::MakeWoodTexture();
  return QImage();
}

}  // namespace rutl
