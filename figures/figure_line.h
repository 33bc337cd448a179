#pragma once

#include <vector>

#include "game/game_tree.h"

namespace vantaro {

// The line a printout follows through a record: its first node, the nodes on
// the way to the given tree, then on down the first variations to the end.
// Every node of the tree is on that line, so the tree alone decides it.
std::vector<const Node*> LineThrough(const GameTree& tree);

}  // namespace vantaro
