#pragma once

#include <string_view>

#include "game/game_tree.h"

namespace vantaro {

// Reads a GIB record (a line-based format with a bracketed header) into tree
// as one main line. Never fails: lines it does not understand are skipped.
void ReadGib(GameTree& tree, std::string_view text, int codePage);

}  // namespace vantaro
