// The game tree pane's layout on the generated 10 and 100 MB records:
// laying the whole record out (and the memory the layout then takes per
// node, with the index it makes on the first question about a variation), and
// following an edit that adds or deletes one node or one branch, through
// the editor's change notifications as the pane follows them.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <ctime>

#include "bench_data.h"
#include "editor/game_tree_model.h"
#include "editor/go_editor.h"
#include "record/record_format.h"

namespace vantaro::bench {
namespace {

std::unique_ptr<GameTree> Load(int megabytes) {
  const std::string path = GeneratedRecord(megabytes);
  if (path.empty()) return nullptr;
  auto root = std::make_unique<GameTree>();
  ReadContext context{false, 65001};
  if (!LoadRecordFile(*root, path, context).ok) return nullptr;
  return root;
}

void LayoutOfTheWholeRecord(benchmark::State& state) {
  const auto root = Load(static_cast<int>(state.range(0)));
  if (!root) return state.SkipWithError("no generated record");
  const double nodes = static_cast<double>(CountRecord(*root).nodes);
  double bytes = 0;
  double seconds = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    const double start = ThreadCpuSeconds();
    TreeLayout layout;
    layout.Build(root.get());
    benchmark::DoNotOptimize(layout.RowCount());
    seconds += ThreadCpuSeconds() - start;
    // The memory counts the index of the variations, made on the first
    // question about one.
    benchmark::DoNotOptimize(layout.CellOf(*root->ChildAt(1), 0));
    bytes = static_cast<double>(mallinfo2().uordblks - before);
  }
  state.counters["nodes"] = nodes;
  state.counters["cpu_ns_per_node"] =
      seconds * 1e9 / nodes / static_cast<double>(state.iterations());
  state.counters["bytes_per_node"] = bytes / nodes;
}
BENCHMARK(LayoutOfTheWholeRecord)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// One edit, through the editor, at nodes spread over the whole record (see
// EditPlaces). The time is the processor time of the edit with the tree
// model following it, laid out again where it needs.
void EditFollowedInPlace(benchmark::State& state) {
  auto root = Load(static_cast<int>(state.range(0)));
  if (!root) return state.SkipWithError("no generated record");
  Options options;
  options.playSound = false;
  options.mergeIfOnlyOneChild = true;
  GoEditor editor(options);
  editor.InstallRecord(std::move(root), 65001);
  GameTreeModel tree;
  tree.SetEditor(&editor);
  const EditPlaces places(*editor.recordRoot());
  std::vector<double> seconds;
  for (size_t turn = 0; auto _ : state) {
    if (Node* node = places.NodeFor(turn)) editor.GoToNode(node);
    const double start = ThreadCpuSeconds();
    bool edited = false;
    switch (EditPlaces::EditFor(turn++)) {
      case EditPlaces::Edit::Pass:
        edited = editor.Pass();
        break;
      case EditPlaces::Edit::AddBranch:
        edited = editor.AddBranch();
        break;
      case EditPlaces::Edit::Delete:
        edited = editor.Delete();
        break;
    }
    benchmark::DoNotOptimize(tree.CurrentCell());
    const double used = ThreadCpuSeconds() - start;
    if (!edited) return state.SkipWithError("an edit was refused");
    state.SetIterationTime(used);
    seconds.push_back(used);
  }
  ReportSpread(state, seconds);
}
BENCHMARK(EditFollowedInPlace)
    ->Arg(10)
    ->Arg(100)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantaro::bench

BENCHMARK_MAIN();
