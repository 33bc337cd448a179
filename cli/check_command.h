#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli check FILE...: reads each record and prints one line
// "PATH:OFFSET: message" for everything its reader repaired or skipped.
// Exit status 0 when nothing was reported, 1 when something was, 2 when a
// file could not be read at all.
int RunCheckCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
