#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli render FILE [--move N | --path P] [--size W[xH]] -o OUT.png:
// draws the board of a record's position into a PNG picture; returns the
// exit status.
int RunRenderCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
