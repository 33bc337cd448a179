#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli run FILE [SCRIPT]: opens FILE in a document and runs the
// script's commands on it; returns the exit status.
int RunScriptCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
