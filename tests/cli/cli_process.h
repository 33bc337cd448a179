#pragma once

#include <string>
#include <vector>

namespace vantaro::test {

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the command-line tool with the arguments (and optional standard input).
ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "");

}  // namespace vantaro::test
