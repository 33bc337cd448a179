#include "app/pane_layout.h"

namespace vantaro::app {

PaneLayout ComputePaneLayout(const QRect& client, bool split) {
  // Edges as left, top, right, bottom with right and bottom outside the area.
  const int left = client.x();
  const int top = client.y();
  const int right = client.x() + client.width();
  const int bottom = client.y() + client.height();
  int boundary = split ? top + (bottom - top) / 2 : top + (right - left);
  if (!split && bottom - boundary < 30) boundary = bottom - 30;
  return {QRect(left, top, right - left, boundary - top),
          QRect(left, boundary, right - left, bottom - boundary)};
}

}  // namespace vantaro::app
