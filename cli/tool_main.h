#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// Runs "render": argv is the whole command line, arguments those after the
// command. Returns the exit status.
using RenderEntry = int (*)(char** argv, const std::vector<std::string>& arguments);

// The tool's main: parses the command line, applies its settings and runs
// the command. vantaro-cli and vantaro-render differ only in how they draw.
int RunTool(int argc, char** argv, RenderEntry render);

}  // namespace vantaro::cli
