#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli figures FILE [--game N] [--path P]: the figures a printout of
// the line would show, as text; returns the exit status.
int RunFiguresCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
