#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/record_loading.h"
#include "game/game_tree.h"

namespace vantaro::cli {

// What `print` and `figures` are asked: FILE [--game N] [--path P] [-o OUT].
struct PrintRequest {
  std::string input;
  std::size_t game = 0;  // from 0, in the order of the file's games
  std::string pathText;
  std::optional<TreePath> path;
  std::string output;
};

// Reads the command's arguments; -o is taken, and needed, only with
// output. False after printing what is wrong.
bool ParsePrintRequest(std::string_view command, const std::vector<std::string>& arguments,
                       bool withOutput, PrintRequest& request);

// The game a request names (its root in record) and the line through the
// node of its path, or the main line.
struct PrintedGame {
  LoadedRecord record;
  std::vector<const Node*> line;
};

// Nothing, after printing why, when the file cannot be read or has no such
// game or node.
std::optional<PrintedGame> LoadPrintedGame(const PrintRequest& request);

}  // namespace vantaro::cli
