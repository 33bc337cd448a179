#pragma once

// The records behind TreeLayout, shared by its structure and its placement.
#include <memory>
#include <vector>

#include "game/tree_layout.h"

namespace vantaro {

// A profile entry where a block takes nothing: so far above every row that
// a row added to it stays above every row too.
inline constexpr int kNoRow = -(1 << 29);

// What a line and the lines branching from it (its block) take.
struct TreeLayout::Block {
  std::vector<int> children;  // lines branching from this one, in record order
  // Per column from the line's stem column on: the lowest row the block
  // takes there, relative to the line's row (kNoRow where it takes nothing).
  std::vector<int> profile;
  // Rows of earlier lines outside the block that reach below the line in
  // the columns past its last node, relative to its row, from the column
  // after its last node; empty when none does. The block's inner placement
  // holds only for this context.
  std::vector<int> context;
  int height = 0;  // the lowest relative row the block takes
};

struct TreeLayout::LineData {
  const GameTree* first = nullptr;  // null while the slot is free
  int parent = -1;
  int row = 0;     // relative to the parent's row
  int offset = 0;  // column of the first node relative to the parent's first node
  int length = 0;
  bool dirty = true;             // its block must be placed again
  std::unique_ptr<Block> block;  // null while no line branches from it
};

}  // namespace vantaro
