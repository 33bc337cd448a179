#include "app/pane_layout.h"

#include <algorithm>

namespace vantaro::app {

PaneLayout ComputePaneLayout(const QRect& client, bool split, bool withTree) {
  // Edges as left, top, right, bottom with right and bottom outside the area.
  const int left = client.x();
  const int top = client.y();
  const int right = client.x() + client.width();
  const int bottom = client.y() + client.height();
  const int below = withTree ? 30 + kTreeHeight : 30;
  int boundary = split ? top + (bottom - top) / 2 : top + (right - left);
  if (!split && bottom - boundary < below) boundary = bottom - below;
  if (!withTree) {
    return {QRect(left, top, right - left, boundary - top),
            QRect(left, boundary, right - left, bottom - boundary), QRect()};
  }
  const int treeTop = std::min(boundary + (bottom - boundary) / 2, bottom - kTreeHeight);
  return {QRect(left, top, right - left, boundary - top),
          QRect(left, boundary, right - left, treeTop - boundary),
          QRect(left, treeTop, right - left, bottom - treeTop)};
}

}  // namespace vantaro::app
