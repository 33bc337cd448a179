#include "render/bitmap_dc.h"

#include <algorithm>

#include "render/bitmap_resources.h"

namespace rutl {

BitmapDC::~BitmapDC() {
  BitmapDC::Release();
}

void BitmapDC::Release() {
  dc_.reset();
  image_.reset();
  width_ = -1;
  height_ = -1;
}

bool BitmapDC::Adopt(QImage image, const DC& compatible) {
  if (image.isNull()) return false;
  image_ = std::make_unique<QImage>(std::move(image));
  dc_ = std::make_unique<DC>(*image_, compatible.PixelsPerInchY());
  width_ = image_->width();
  height_ = image_->height();
  return true;
}

bool BitmapDC::Create(const DC& compatible, int width, int height) {
  Release();
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  if (image.isNull()) return false;
  image.fill(0xFF000000u);
  return Adopt(std::move(image), compatible);
}

bool BitmapDC::LoadResource(const DC& compatible, int resourceId) {
  Release();
  QImage image = LoadBitmapResource(resourceId);
  if (image.isNull()) return false;
  return Adopt(image.convertToFormat(QImage::Format_RGB32), compatible);
}

std::vector<COLORREF> BitmapDC::ReadPixels() const {
  std::vector<COLORREF> pixels;
  if (!image_) return pixels;
  pixels.reserve(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image_->constScanLine(y));
    for (int x = 0; x < width_; ++x) pixels.push_back(FromQRgb(row[x]));
  }
  return pixels;
}

bool BitmapDC::WritePixels(const std::vector<COLORREF>& pixels) {
  if (!dc_ || pixels.size() < static_cast<size_t>(width_) * static_cast<size_t>(height_)) {
    return false;
  }
  size_t next = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) dc_->SetPixel(x, y, pixels[next++]);
  }
  return true;
}

QImage BitmapDC::ToImage() const {
  return image_ ? image_->copy() : QImage();
}

}  // namespace rutl
