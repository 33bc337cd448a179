#pragma once

namespace vantaro::app {

// A pane's place in its window's client area, in pixels: the layouts are
// plain arithmetic on these, and only the view turns them into widget
// geometry.
struct PaneBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PaneBox&) const = default;
};

}  // namespace vantaro::app
