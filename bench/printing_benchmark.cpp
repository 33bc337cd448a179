// The cost of the printout of a 300-move game with a comment every 15 moves:
// cutting its line into figures with their notes and comments (what
// `vantaro-cli figures` does once the record is read) and painting its pages
// into a PDF (what `vantaro-cli print` adds). The game is also written to
// build/bench/data/game-300.sgf, for timing the whole processes:
//   farm-bench -- build/vantaro-cli print build/bench/data/game-300.sgf -o /tmp/game.pdf
//   farm-bench -- build/vantaro-cli figures build/bench/data/game-300.sgf
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPdfWriter>

#include <fstream>
#include <random>
#include <string>

#include "bench_data.h"
#include "figures/figure_line.h"
#include "figures/figure_text.h"
#include "figures/figures.h"
#include "game/board.h"
#include "record/record_format.h"
#include "render/headless_gui.h"
#include "render/printout.h"

namespace vantaro::bench {
namespace {

constexpr int kMoves = 300;

// Moves on random free points of the position as replayed (captures free
// points again, ko fights and all), a comment every 15 moves.
std::string GameOf300Moves() {
  const std::string sgf = "(;GN[Benchmark]PW[White]PB[Black]SZ[19]";
  std::string game = sgf;
  auto root = std::make_unique<GameTree>();
  GoBoard board;
  board.Attach(root.get());
  board.Reset(false);
  std::mt19937 random(300);
  std::uniform_int_distribution<int> coordinate(0, 18);
  for (int move = 1; move <= kMoves; ++move) {
    Point point;
    do {
      point = {coordinate(random), coordinate(random)};
    } while (board.Cell(point.x, point.y) != 0);
    const int id = move % 2 == 1 ? kPropB : kPropW;
    board.ApplyProperty(Property::WithPoint(id, point));
    game += std::string(move % 2 == 1 ? ";B[" : ";W[") + static_cast<char>('a' + point.x) +
            static_cast<char>('a' + point.y) + "]";
    if (move % 15 == 0) game += "C[A comment on move " + std::to_string(move) + "]";
  }
  return game + ")";
}

struct PrintedGame {
  PrintedGame() {
    const std::string sgf = GameOf300Moves();
    std::ofstream(DataFilePath("game-300.sgf"), std::ios::binary) << sgf;
    ReadContext context{false, 65001};
    ReadRecordBuffer(root, RecordFormat::Sgf, sgf, context);
    line = LineThrough(root);
  }
  GameTree root;
  std::vector<const Node*> line;
};

const PrintedGame& Game() {
  static const PrintedGame game;
  return game;
}

void BM_FiguresOf300Moves(benchmark::State& state) {
  const PrintedGame& game = Game();
  for (auto _ : state) {
    const std::vector<Figure> figures =
        CutFigures(game.root, game.line, FigureRulesFrom(Options()));
    benchmark::DoNotOptimize(FiguresAsText(figures, 19, false));
  }
}
BENCHMARK(BM_FiguresOf300Moves)->Unit(benchmark::kMillisecond);

void BM_PrintoutOf300MovesAsPdf(benchmark::State& state) {
  static const HeadlessGui gui;
  const PrintedGame& game = Game();
  const Options options;
  const std::vector<Figure> figures = CutFigures(game.root, game.line, FigureRulesFrom(options));
  for (auto _ : state) {
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    benchmark::DoNotOptimize(PrintFigures(game.root, figures, options, pdf));
  }
}
BENCHMARK(BM_PrintoutOf300MovesAsPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantaro::bench

BENCHMARK_MAIN();
