#pragma once

#include <QImage>

#include <memory>
#include <vector>

#include "render/device_context.h"

namespace rutl {

// A bitmap selected into its own memory device context: the back buffer of
// the board and the board texture. Empty (width and height -1) until created
// or loaded, and again once released.
class BitmapDC {
 public:
  BitmapDC() = default;
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  virtual ~BitmapDC();

  // Frees the context and the bitmap.
  virtual void Release();

  // A bitmap of the size (below 1 becomes 1) compatible with the context,
  // and a memory context drawing into it. False, and released, when either
  // cannot be made.
  bool Create(const DC& compatible, int width, int height);
  // The program's bitmap resource with the id (the board texture is
  // kBoardTextureResource); false, and released, when there is none.
  bool LoadResource(const DC& compatible, int resourceId);

  // Null while released.
  DC* dc() { return dc_.get(); }
  const DC* dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // Every pixel, row by row from the top; empty while released.
  std::vector<COLORREF> ReadPixels() const;
  // Writes every pixel back, row by row; false (nothing written) when the
  // array holds fewer than width x height values.
  bool WritePixels(const std::vector<COLORREF>& pixels);
  // A copy of the bitmap, for saving it; null while released.
  QImage ToImage() const;

 private:
  bool Adopt(QImage image, const DC& compatible);

  // The context draws into the image: it goes first.
  std::unique_ptr<QImage> image_;
  std::unique_ptr<DC> dc_;
  int width_ = -1;
  int height_ = -1;
};

}  // namespace rutl
