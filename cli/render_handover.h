#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantaro::cli {

// The drawing needs Qt, whose libraries take longer to load than a large
// record takes to read and hold more memory than a small one, so vantaro-cli
// leaves them out and runs "render" and "print" as vantaro-render: the same
// tool with the drawing linked in, installed beside it. Replaces the process
// with that program on the same command line; returns (with 1, after saying
// why) only when it cannot be started.
int HandOverToRenderer(char** argv, std::string_view command,
                       const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
