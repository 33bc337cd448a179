#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli list FILE|FOLDER... [--json] [--match TEXT]: one row per game.
int RunListCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
