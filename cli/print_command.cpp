#include "cli/print_command.h"

#include "cli/command_line.h"
#include "cli/printed_game.h"
#include "cli/qt_messages.h"
#include "figures/figures.h"
#include "options/options.h"
#include "render/headless_gui.h"
#include "render/printout.h"

namespace vantaro::cli {

int RunPrintCommand(const std::vector<std::string>& arguments) {
  PrintRequest request;
  if (!ParsePrintRequest("print", arguments, true, request)) return 2;
  ShowQtErrorsOnly();
  const HeadlessGui gui;
  std::optional<PrintedGame> game = LoadPrintedGame(request);
  if (!game) return 1;
  const GameTree& root = *game->record.root;
  const Options& options = GlobalOptions();
  if (!SavePrintout(root, CutFigures(root, game->line, FigureRulesFrom(options)), options,
                    request.output)) {
    PrintError(request.output + ": cannot write the printout");
    return 1;
  }
  KeepUntilExit(std::move(game->record));
  return 0;
}

}  // namespace vantaro::cli
