#pragma once

// The records behind TreeLayout, shared by its structure and its placement.
#include <climits>
#include <memory>
#include <vector>

#include "game/tree_layout.h"
#include "memory/small_blocks.h"

namespace vantaro {

// A profile entry where a block takes nothing: so far above every row that
// a row added to it stays above every row too.
inline constexpr int kNoRow = -(1 << 29);

// What a line and the lines branching from it (its block) take.
struct TreeLayout::Block {
  // A large record has a block for every other line: they live in small blocks.
  static void* operator new(std::size_t size) {
    static_assert(alignof(Block) <= kBlockAlignment);
    return AllocateBlock(size);
  }
  static void operator delete(void* pointer, std::size_t size) { ReleaseBlock(pointer, size); }

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

  // For a line with many branches (null for a few): what finds the ones
  // an area shows, and what places few of them again after a change.
  struct ManyBranches;
  std::unique_ptr<ManyBranches> many;
};

struct TreeLayout::Block::ManyBranches {
  // The children by row, with the lowest row any of them up to there takes,
  // and the last child of each run branching from one node (whose stem is
  // the longest of the run).
  std::vector<int> byRow;
  std::vector<int> lowestSoFar;
  std::vector<int> runEnds;
  bool indexStale = false;  // the children changed since it was made

  // The state of the placement before some children (every
  // kCheckpointEvery when the line is placed from its first child), so that
  // a change of one child places again only from the checkpoint before it,
  // and stops at the first checkpoint after it where the state is the old
  // one, or the old one moved down alike.
  struct Checkpoint {
    size_t index;  // the children placed before it
    std::vector<int> own;
    std::vector<int> taken;
    // The columns the children after the checkpoint take or look at, or
    // more: the state outside them matters to nothing placed later.
    int reachFrom = INT_MAX;
    int reachTo = 0;
  };
  std::vector<Checkpoint> checkpoints;
  // What lay outside the block when the checkpoints were taken.
  std::vector<int> checkpointOutside;
  // The first and last of its children to be placed again; none when first > last.
  int firstDirty = INT_MAX;
  int lastDirty = -1;
};

// Lines with this many branches or more keep their children by row and
// keep checkpoints of their placement.
inline constexpr size_t kIndexedBranches = 128;
inline constexpr size_t kCheckpointEvery = 16;

struct TreeLayout::LineData {
  const GameTree* first = nullptr;  // null while the slot is free
  int parent = -1;
  int row = 0;     // relative to the parent's row
  int offset = 0;  // column of the first node relative to the parent's first node
  int length = 0;
  int slot = 0;                  // its place among its parent's children
  bool dirty = true;             // its block must be placed again
  bool relinked = true;          // its own line changed since it was placed
  std::unique_ptr<Block> block;  // null while no line branches from it
};

}  // namespace vantaro
