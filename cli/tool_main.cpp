#include "cli/tool_main.h"

#include <clocale>
#include <cstdio>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/info_command.h"
#include "cli/list_command.h"
#include "cli/run_command.h"
#include "options/options.h"

namespace {

constexpr const char* kUsage =
    "usage: vantaro-cli [--set NAME=VALUE]... COMMAND ...\n"
    "  convert IN... [-o OUT | -d OUTDIR] [--game N] [--encoding N]\n"
    "                                       read records and write them as SGF\n"
    "  info FILE [--game N] [--json] [--encoding N]\n"
    "                                       describe a record\n"
    "  list FILE|FOLDER... [--json] [--match TEXT]\n"
    "                                       list every game of records and folders\n"
    "  check FILE...                        list what reading each record repaired\n"
    "  run FILE [--game N] [SCRIPT]         run editor commands on a record\n"
    "  render FILE [--game N] [--move N | --path P] [--size W[xH]] -o OUT.png\n"
    "                                       draw a position's board as a PNG picture\n";

}  // namespace

namespace vantaro::cli {

int RunTool(int argc, char** argv, RenderEntry render) {
  std::setlocale(LC_ALL, "");
  CommandLine commandLine;
  std::string error;
  if (!ParseCommandLine(argc, argv, commandLine, error)) {
    PrintError(error);
    return 2;
  }
  if (!ApplySettings(commandLine.settings, vantaro::GlobalOptions(), error)) {
    PrintError(error);
    return 2;
  }
  if (commandLine.command == "convert") return RunConvertCommand(commandLine.arguments);
  if (commandLine.command == "info") return RunInfoCommand(commandLine.arguments);
  if (commandLine.command == "check") return RunCheckCommand(commandLine.arguments);
  if (commandLine.command == "list") return RunListCommand(commandLine.arguments);
  if (commandLine.command == "run") return RunScriptCommand(commandLine.arguments);
  if (commandLine.command == "render") return render(argv, commandLine.arguments);
  if (commandLine.command.empty() || commandLine.command == "help") {
    std::fputs(kUsage, commandLine.command.empty() ? stderr : stdout);
    return commandLine.command.empty() ? 2 : 0;
  }
  PrintError("unknown command " + commandLine.command);
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace vantaro::cli
