#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace vantaro::test {

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the command-line tool with the arguments (and optional standard input).
ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "");

// Tests of the tool, with files of their own in a temporary folder.
class CliTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, std::string_view bytes) {
    WriteFileBytes(directory_.path() / name, bytes);
    return PathOf(name);
  }
  std::string PathOf(const std::string& name) const { return (directory_.path() / name).string(); }

  TemporaryDirectory directory_;
};

}  // namespace vantaro::test
