#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli info FILE [--json]; returns the exit status.
int RunInfoCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
