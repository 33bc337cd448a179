#include "cli/tool_main.h"

#include <clocale>
#include <cstdio>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/figures_command.h"
#include "cli/info_command.h"
#include "cli/list_command.h"
#include "cli/run_command.h"
#include "options/options.h"
#include "options/stored_settings.h"

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
    "  render FILE [--game N] [--move N | --path P] [--size W[xH]] [--figure A-B] -o OUT\n"
    "                                       draw a board as a PNG, SVG or PDF picture\n"
    "  print FILE [--game N] [--path P] -o OUT.pdf\n"
    "                                       print a game as figures into a PDF\n"
    "  figures FILE [--game N] [--path P]   list a printout's figures, notes and comments\n";

}  // namespace

namespace vantaro::cli {

int RunTool(int argc, char** argv, DrawingEntry draw) {
  std::setlocale(LC_ALL, "");
  CommandLine commandLine;
  std::string error;
  if (!ParseCommandLine(argc, argv, commandLine, error)) {
    PrintError(error);
    return 2;
  }
  // What prints is what the desktop program would print, unless told otherwise.
  if (commandLine.command == "print" || commandLine.command == "figures" ||
      commandLine.command == "render") {
    LoadStoredSettings(StoredSettingsPath(), OptionGroup::Print, GlobalOptions());
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
  if (commandLine.command == "figures") return RunFiguresCommand(commandLine.arguments);
  if (commandLine.command == "render" || commandLine.command == "print") {
    return draw(argv, commandLine.command, commandLine.arguments);
  }
  if (commandLine.command.empty() || commandLine.command == "help") {
    std::fputs(kUsage, commandLine.command.empty() ? stderr : stdout);
    return commandLine.command.empty() ? 2 : 0;
  }
  PrintError("unknown command " + commandLine.command);
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace vantaro::cli
