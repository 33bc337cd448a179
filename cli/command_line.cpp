#include "cli/command_line.h"

#include <cstdio>

namespace vantaro::cli {

bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!optionsEnded && argument == "--") {
      // The command's own parser sees it too: what follows are names, not options.
      optionsEnded = true;
      commandLine.arguments.emplace_back(argument);
    } else if (!optionsEnded && argument == "--set") {
      if (i + 1 >= argc) {
        error = "--set needs NAME=VALUE";
        return false;
      }
      commandLine.settings.emplace_back(argv[++i]);
    } else if (!optionsEnded && argument.starts_with("--set=")) {
      commandLine.settings.emplace_back(argument.substr(6));
    } else if (commandLine.command.empty() && !argument.starts_with('-')) {
      commandLine.command = argument;
    } else {
      commandLine.arguments.emplace_back(argument);
    }
  }
  return true;
}

bool ApplySettings(const std::vector<std::string>& settings, Options& options, std::string& error) {
  for (const std::string& setting : settings) {
    const size_t equals = setting.find('=');
    if (equals == std::string::npos) {
      error = "--set " + setting + ": expected NAME=VALUE";
      return false;
    }
    const std::string name = setting.substr(0, equals);
    const OptionDescriptor* option = FindOption(name);
    if (option == nullptr) {
      error = "--set " + setting + ": unknown setting " + name;
      return false;
    }
    if (!SetOptionFromText(options, *option, std::string_view(setting).substr(equals + 1))) {
      error = "--set " + setting + ": malformed value for " + name;
      return false;
    }
  }
  ClampOptions(options);
  return true;
}

void PrintError(std::string_view message) {
  std::fprintf(stderr, "vantaro-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

}  // namespace vantaro::cli
