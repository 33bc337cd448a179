#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantaro::cli {

// Runs a command that draws ("render", "print"): argv is the whole command
// line, arguments those after the command. Returns the exit status.
using DrawingEntry = int (*)(char** argv, std::string_view command,
                             const std::vector<std::string>& arguments);

// The tool's main: parses the command line, applies its settings and runs
// the command. vantaro-cli and vantaro-render differ only in how they draw.
int RunTool(int argc, char** argv, DrawingEntry draw);

}  // namespace vantaro::cli
