#include "cli/figures_command.h"

#include <cstdio>

#include "cli/printed_game.h"
#include "figures/figure_text.h"
#include "figures/figures.h"
#include "game/record_summary.h"
#include "options/options.h"

namespace vantaro::cli {

int RunFiguresCommand(const std::vector<std::string>& arguments) {
  PrintRequest request;
  if (!ParsePrintRequest("figures", arguments, false, request)) return 2;
  std::optional<PrintedGame> game = LoadPrintedGame(request);
  if (!game) return 1;
  const GameTree& root = *game->record.root;
  const Options& options = GlobalOptions();
  const std::vector<Figure> figures = CutFigures(root, game->line, FigureRulesFrom(options));
  const int height = RecordBoardSize(root).value_or(kDefaultBoardSize).y;
  std::fputs(FiguresAsText(figures, height, options.showCoordI).c_str(), stdout);
  KeepUntilExit(std::move(game->record));
  return 0;
}

}  // namespace vantaro::cli
