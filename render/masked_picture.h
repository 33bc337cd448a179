#pragma once

#include <cstdint>
#include <vector>

#include "render/bitmap_dc.h"

namespace vantaro {

// A picture computed pixel by pixel by a subclass and drawn with
// transparency: the mask is ANDed into the target and the image ORed over
// it, so transparent pixels leave the target as it was and opaque pixels
// replace it. The picture is built lazily by the first Draw after any change
// of its size or colours.
class CMaskedPicture {
 public:
  CMaskedPicture() = default;
  CMaskedPicture(const CMaskedPicture&) = delete;
  CMaskedPicture& operator=(const CMaskedPicture&) = delete;
  virtual ~CMaskedPicture();

  // Draws with the top-left corner at (x, y), or centred there; builds the
  // picture first when needed. False when nothing could be drawn.
  virtual bool Draw(rutl::DC& dc, int x, int y, bool centred);

  int width() const { return width_; }
  int height() const { return height_; }
  rutl::COLORREF backgroundColor() const { return background_; }
  // The colour subclasses blend their edges into.
  void SetBackgroundColor(rutl::COLORREF colour);
  // Back to the state of a new picture: no bitmaps, no size, not rendered.
  void Reset();

  // A pixel of the array: a 24-bit colour and an opacity byte above it.
  static constexpr std::uint32_t Opaque(rutl::COLORREF colour) {
    return (colour & 0xFFFFFF) | 0xFF000000u;
  }
  static constexpr std::uint32_t kTransparent = 0;
  static constexpr bool IsOpaque(std::uint32_t pixel) { return (pixel >> 24) != 0; }

 protected:
  // Fills pixels() (width x height values, row by row from the top).
  virtual void Render() = 0;

  void SetPictureSize(int width, int height);
  // Forces a rebuild on the next Draw.
  void Invalidate() { rendered_ = false; }
  std::vector<std::uint32_t>& pixels() { return pixels_; }
  // Makes the image and the mask from a fresh Render; false when the size is
  // not set or a bitmap cannot be made.
  bool Build(rutl::DC& dc);

 private:
  rutl::BitmapDC image_;
  rutl::BitmapDC mask_;
  int width_ = -1;
  int height_ = -1;
  rutl::COLORREF background_ = 0;
  bool rendered_ = false;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace vantaro
