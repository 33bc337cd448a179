#pragma once

#include <string_view>

#include "game/game_tree.h"

namespace vantaro {

// Removes every property whose identifier is in tagText (upper-cased, split at
// spaces, commas and tabs) from the tree and all trees below it. A node left
// without properties goes; a tree left without nodes gets one empty node.
void FilterTags(GameTree& tree, std::string_view tagText);

}  // namespace vantaro
