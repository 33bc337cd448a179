// Whole-record edits on a large record: try-play and move numbering.
#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "editor/go_editor.h"
#include "record/record_format.h"

namespace vantaro::bench {
namespace {

// A fresh editor on the generated 10 MB record, with the cursor deep in it.
std::unique_ptr<GoEditor> OpenLargeRecord(Options& options) {
  const std::string path = GeneratedRecord(10);
  if (path.empty()) return nullptr;
  auto editor = std::make_unique<GoEditor>(options);
  if (!editor->LoadFile(path).ok) return nullptr;
  editor->Last();
  return editor;
}

template <typename Step>
void TimeEdit(benchmark::State& state, Step step) {
  Options options;
  options.playSound = false;
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = OpenLargeRecord(options);
    if (!editor) return state.SkipWithError("no generated record");
    state.ResumeTiming();
    step(*editor, state);
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
}

void StartTryPlay(benchmark::State& state) {
  TimeEdit(state, [](GoEditor& editor, benchmark::State&) { editor.StartTryPlay(); });
}

void StopTryPlay(benchmark::State& state) {
  TimeEdit(state, [](GoEditor& editor, benchmark::State& s) {
    s.PauseTiming();
    editor.StartTryPlay();
    editor.Pass();
    s.ResumeTiming();
    editor.StopTryPlay();
  });
}

void AutoSetMoveNumbers(benchmark::State& state) {
  TimeEdit(state, [](GoEditor& editor, benchmark::State&) { editor.AutoSetMoveNumbers(50); });
}

void UnsetAllMoveNumbers(benchmark::State& state) {
  TimeEdit(state, [](GoEditor& editor, benchmark::State&) { editor.UnsetAllMoveNumbers(); });
}

BENCHMARK(StartTryPlay)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StopTryPlay)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(AutoSetMoveNumbers)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(UnsetAllMoveNumbers)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vantaro::bench

BENCHMARK_MAIN();
