#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli print FILE [--game N] [--path P] -o OUT.pdf: the printout of
// the line as a PDF on the system's paper; returns the exit status.
int RunPrintCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
