#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "options/options.h"

namespace vantaro::cli {

// The command line split into the command, its own arguments and the
// "--set NAME=VALUE" settings, which may stand anywhere.
struct CommandLine {
  std::string command;
  std::vector<std::string> arguments;
  std::vector<std::string> settings;  // NAME=VALUE, in order
};

// False with a message when a --set has no value.
bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error);

// Applies the settings in order; false with a message naming the first
// unknown setting or malformed value.
bool ApplySettings(const std::vector<std::string>& settings, Options& options, std::string& error);

// Prints "vantaro-cli: " and the message on standard error.
void PrintError(std::string_view message);

}  // namespace vantaro::cli
