// The cost of painting the board: a 19 x 19 position with 250 stones, move
// numbers, markers and next-move marks in an 800 x 800 client, once the
// drawables are cached and on the first draw after a size change (the
// drawables rendered anew). Run with --benchmark_repetitions=10 for medians.
#include <benchmark/benchmark.h>

#include <QByteArray>

#include <algorithm>
#include <random>
#include <string>

#include "editor/go_editor.h"
#include "record/record_format.h"
#include "render/bitmap_dc.h"
#include "render/board_drawer.h"
#include "render/headless_gui.h"

namespace vantaro::bench {
namespace {

std::string SgfPoint(Point p) {
  return {static_cast<char>('a' + p.x), static_cast<char>('a' + p.y)};
}

int StonesOn(const GoBoard& board) {
  int stones = 0;
  for (int y = 0; y < board.height(); ++y) {
    for (int x = 0; x < board.width(); ++x) stones += board.Cell(x, y) != 0;
  }
  return stones;
}

// A game of random legal moves played until 250 stones stand on the board,
// with markup on its last node and three variations after it.
std::string BusyPosition(Options& options) {
  GoEditor editor(options);
  editor.NewGame();
  std::vector<Point> points;
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 19; ++x) points.push_back({x, y});
  }
  std::mt19937 random(20261206);
  std::string sgf = "(;SZ[19]";
  bool white = false;
  while (StonesOn(editor) < 250) {
    std::shuffle(points.begin(), points.end(), random);
    for (const Point p : points) {
      if (editor.Cell(p.x, p.y) != 0 || !editor.PlayMove(p, white)) continue;
      sgf += std::string(white ? ";W[" : ";B[") + SgfPoint(p) + "]";
      white = !white;
      break;
    }
  }
  std::vector<Point> stones;
  std::vector<Point> empty;
  for (const Point p : points) (editor.Cell(p.x, p.y) != 0 ? stones : empty).push_back(p);
  const char* markers[] = {"CR", "TR", "SQ", "MA"};
  for (int i = 0; i < 12; ++i)
    sgf += std::string(markers[i % 4]) + "[" + SgfPoint(stones[size_t(i)]) + "]";
  for (int i = 0; i < 4; ++i) {
    sgf +=
        "LB[" + SgfPoint(empty[size_t(i)]) + ":" + std::string(1, static_cast<char>('a' + i)) + "]";
  }
  for (int i = 4; i < 7; ++i)
    sgf += std::string("(;") + (white ? "W[" : "B[") + SgfPoint(empty[size_t(i)]) + "])";
  return sgf + ")";
}

// The busy position at its last main-line node, drawn with move numbers on.
class Scene {
 public:
  Scene() : options_(u"/nonexistent-install") {
    options_.showMoveNumber = true;
    const std::string sgf = BusyPosition(options_);
    auto root = std::make_unique<GameTree>();
    ReadContext context{false, 65001};
    ReadRecordBuffer(*root, RecordFormat::Sgf, sgf, context);
    editor_ = std::make_unique<GoEditor>(options_);
    editor_->InstallRecord(std::move(root), 65001);
    GameTree& record = *editor_->recordRoot();
    editor_->GoToNode(record.NodeAt(record.NodeCount() - 1));
    drawer_ = std::make_unique<CBoardDrawer>(options_);
    drawer_->SetBoard(editor_.get());
    target_.Create(rutl::DC(), 800, 800);
  }

  void Draw(int size) {
    drawer_->Layout({0, 0, size, size});
    drawer_->Draw(*target_.dc());
  }

 private:
  Options options_;
  std::unique_ptr<GoEditor> editor_;
  std::unique_ptr<CBoardDrawer> drawer_;
  rutl::BitmapDC target_;
};

void DrawCached(benchmark::State& state) {
  Scene scene;
  scene.Draw(800);
  for (auto _ : state) scene.Draw(800);
}
BENCHMARK(DrawCached)->Unit(benchmark::kMillisecond);

// Every draw follows a change of size that changes the spacing (42 and 40
// pixels), so that the back buffer and every drawable are made anew.
void DrawAfterSizeChange(benchmark::State& state) {
  Scene scene;
  scene.Draw(760);
  bool large = true;
  for (auto _ : state) {
    scene.Draw(large ? 800 : 760);
    large = !large;
  }
}
BENCHMARK(DrawAfterSizeChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantaro::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  const vantaro::HeadlessGui gui;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
