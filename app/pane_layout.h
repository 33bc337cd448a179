#pragma once

#include "app/pane_box.h"

namespace vantaro::app {

// Where the board view and the comment pane go in the main view's client
// area. Board first (the initial layout): the board area is a square as wide
// as the client, but the comment pane keeps at least 30 pixels. Split: two
// halves, the board above. With the game tree, the tree takes the lower half
// of what lies below the board, and at least kTreeHeight pixels of it.
struct PaneLayout {
  PaneBox board;
  PaneBox comment;
  PaneBox tree;  // empty without the game tree
};

// Three rows of the tree's cells and their margins: less shows too little to follow a line.
constexpr int kTreeHeight = 80;

PaneLayout ComputePaneLayout(const PaneBox& client, bool split, bool withTree = false);

}  // namespace vantaro::app
