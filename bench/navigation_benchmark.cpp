// The cost of a step of the cursor: replaying the position from the root.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>

#include "bench_data.h"
#include "editor/go_editor.h"
#include "game/record_summary.h"
#include "record/record_format.h"

namespace vantaro::bench {
namespace {

std::unique_ptr<GameTree> Load(const std::string& path) {
  auto root = std::make_unique<GameTree>();
  ReadContext context{false, 65001};
  if (!LoadRecordFile(*root, path, context).ok) return nullptr;
  return root;
}

// The corpus game with the longest main line of at most maxMoves moves.
std::string LongestCorpusGame(size_t maxMoves) {
  const auto folder = std::filesystem::path(VANTARO_SHARED_DIR) / "corpus/sgf";
  if (!std::filesystem::exists(folder)) return {};
  std::string longest;
  size_t moves = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const auto root = Load(entry.path().string());
    if (!root) continue;
    const size_t count = SummarizeRecord(*root).mainLineMoves.size();
    if (count > moves && count <= maxMoves) {
      moves = count;
      longest = entry.path().string();
    }
  }
  return longest;
}

// The nodes from the root to the deepest leaf.
std::vector<Node*> DeepestLine(GameTree& root) {
  std::vector<Node*> best;
  std::vector<Node*> line;
  const auto walk = [&](auto& self, GameTree& tree) -> void {
    const size_t mark = line.size();
    for (const auto& node : tree.nodes()) line.push_back(node.get());
    if (tree.ChildCount() == 0 && line.size() > best.size()) best = line;
    for (const auto& child : tree.children()) self(self, *child);
    line.resize(mark);
  };
  walk(walk, root);
  return best;
}

// Argument: the longest game allowed (0: the longest game of the corpus).
void NextThroughMainLine(benchmark::State& state) {
  const size_t limit = state.range(0) > 0 ? static_cast<size_t>(state.range(0)) : SIZE_MAX;
  const std::string path = LongestCorpusGame(limit);
  if (path.empty()) return state.SkipWithError("no corpus");
  Options options;
  options.playSound = false;
  GoEditor editor(options);
  editor.InstallRecord(Load(path), 65001);
  int steps = 0;
  for (auto _ : state) {
    editor.First();
    steps = 0;
    while (editor.Next(1)) ++steps;
  }
  state.counters["steps"] = steps;
  state.counters["per_step"] = benchmark::Counter(
      steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetLabel(std::filesystem::path(path).filename().string());
}

void StepsAlongDeepestLine(benchmark::State& state) {
  const std::string path = GeneratedRecord(10);
  if (path.empty()) return state.SkipWithError("no generated record");
  Options options;
  options.playSound = false;
  GoEditor editor(options);
  editor.InstallRecord(Load(path), 65001);
  const std::vector<Node*> line = DeepestLine(*editor.recordRoot());
  for (auto _ : state) {
    for (Node* node : line) editor.GoToNode(node);
  }
  state.counters["steps"] = static_cast<double>(line.size());
  state.counters["per_step"] = benchmark::Counter(
      static_cast<double>(line.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(NextThroughMainLine)
    ->Arg(0)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(StepsAlongDeepestLine)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace vantaro::bench

BENCHMARK_MAIN();
