#include "app/pane_layout.h"

#include <algorithm>

namespace vantaro::app {

PaneLayout ComputePaneLayout(const PaneBox& client, bool split, bool withTree) {
  // Edges as left, top, right, bottom with right and bottom outside the area.
  const int left = client.left;
  const int top = client.top;
  const int right = client.left + client.width;
  const int bottom = client.top + client.height;
  const int below = withTree ? 30 + kTreeHeight : 30;
  int boundary = split ? top + (bottom - top) / 2 : top + (right - left);
  if (!split && bottom - boundary < below) boundary = bottom - below;
  if (!withTree) {
    return {{left, top, right - left, boundary - top},
            {left, boundary, right - left, bottom - boundary},
            {}};
  }
  const int treeTop = std::min(boundary + (bottom - boundary) / 2, bottom - kTreeHeight);
  return {{left, top, right - left, boundary - top},
          {left, boundary, right - left, treeTop - boundary},
          {left, treeTop, right - left, bottom - treeTop}};
}

}  // namespace vantaro::app
