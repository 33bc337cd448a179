#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/game_tree.h"

namespace vantaro::cli {

// A node's path as `print status` shows it: the child indices from the root
// joined by '.', a '/', and the node's index in its tree ("0.2/3"; "/0" is
// the first node of the record).
std::string FormatPath(const TreePath& path);
// The path such a text names; nothing when the text is not one.
std::optional<TreePath> ParsePath(std::string_view text);

}  // namespace vantaro::cli
