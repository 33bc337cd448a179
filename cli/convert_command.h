#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli convert IN... [-o OUT | -d OUTDIR]; returns the exit status.
int RunConvertCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
