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

// Runs a program, found along PATH unless the name has a slash, with the
// arguments (and optional standard input); status 127 when it did not start.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = "");
// Runs the command-line tool with the arguments (and optional standard input).
ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "");

// Tests of the tool, with files of their own in a temporary folder, which
// also holds the settings the tool reads (none unless a test writes them).
class CliTest : public ::testing::Test {
 protected:
  CliTest() { setenv("XDG_CONFIG_HOME", PathOf("config").c_str(), 1); }

  std::string Write(const std::string& name, std::string_view bytes) {
    return directory_.Write(name, bytes);
  }
  std::string PathOf(const std::string& name) const { return directory_.PathOf(name); }

  TemporaryDirectory directory_;
};

}  // namespace vantaro::test
