#include "render/masked_picture.h"

namespace vantaro {

CMaskedPicture::~CMaskedPicture() {
  Reset();
}

void CMaskedPicture::Reset() {
  image_.Release();
  mask_.Release();
  pixels_.clear();
  background_ = 0;
  width_ = -1;
  height_ = -1;
  rendered_ = false;
}

void CMaskedPicture::SetBackgroundColor(rutl::COLORREF colour) {
  if (colour == background_) return;
  background_ = colour;
  rendered_ = false;
}

void CMaskedPicture::SetPictureSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  rendered_ = false;
}

bool CMaskedPicture::Build(rutl::DC& dc) {
  image_.Release();
  mask_.Release();
  rendered_ = false;
  if (width_ < 1 || height_ < 1) return false;
  if (!image_.Create(dc, width_, height_) || !mask_.Create(dc, width_, height_)) return false;
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), kTransparent);
  Render();
  std::vector<rutl::COLORREF> colours(pixels_.size());
  std::vector<rutl::COLORREF> mask(pixels_.size());
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const bool opaque = IsOpaque(pixels_[i]);
    colours[i] = opaque ? (pixels_[i] & 0xFFFFFF) : 0;
    mask[i] = opaque ? 0 : 0xFFFFFF;
  }
  if (!image_.WritePixels(colours) || !mask_.WritePixels(mask)) return false;
  rendered_ = true;
  return true;
}

bool CMaskedPicture::Draw(rutl::DC& dc, int x, int y, bool centred) {
  if (width_ < 0 || height_ < 0) return false;
  if (!rendered_ && !Build(dc)) return false;
  if (centred) {
    x -= width_ / 2;
    y -= height_ / 2;
  }
  dc.BitBlt(x, y, width_, height_, *mask_.dc(), 0, 0, rutl::RasterOp::SrcAnd);
  dc.BitBlt(x, y, width_, height_, *image_.dc(), 0, 0, rutl::RasterOp::SrcPaint);
  return true;
}

}  // namespace vantaro
