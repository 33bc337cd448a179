#pragma once

namespace rutl {

// A rectangle whose right and bottom edges lie just outside it.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Grows every side outward by dx and dy (inward when negative).
  Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  bool operator==(const Rect&) const = default;
};

}  // namespace rutl
