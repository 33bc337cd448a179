#pragma once

#include <QRect>

namespace vantaro::app {

// Where the board view and the comment pane go in the main view's client
// area. Board first (the initial layout): the board area is a square as wide
// as the client, but the comment pane keeps at least 30 pixels. Split: two
// halves, the board above.
struct PaneLayout {
  QRect board;
  QRect comment;
};

PaneLayout ComputePaneLayout(const QRect& client, bool split);

}  // namespace vantaro::app
