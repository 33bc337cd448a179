// Reading and writing large records, and the peak memory of describing one.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <memory>

#include "bench_data.h"
#include "record/game_listing.h"
#include "record/sgf_reader.h"
#include "record/sgf_writer.h"
#include "text/text_conversion.h"

extern char** environ;

namespace vantaro::bench {
namespace {

std::string RecordPath(int which) {
  return which == 0 ? LargeCorpusFile("fox-ai-collection-2744.sgf") : GeneratedRecord(which);
}

void ReadSgfBenchmark(benchmark::State& state) {
  const std::string path = RecordPath(static_cast<int>(state.range(0)));
  if (path.empty()) return state.SkipWithError("no input record (shared corpus missing)");
  const std::string bytes = ReadWholeFile(path);
  for (auto _ : state) {
    auto root = std::make_unique<GameTree>();
    ReadContext context{false, 65001};
    ReadSgf(*root, bytes, context);
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// The generated record without its CA and with its text in GB18030: what
// detection has to judge before reading.
std::string WithoutCharsetInGb18030(const std::string& utf8) {
  std::string bytes = WideToBytes(FromUtf8(utf8), 936);
  for (size_t at = bytes.find("CA[UTF-8]"); at != std::string::npos;
       at = bytes.find("CA[UTF-8]", at)) {
    bytes.erase(at, 9);
  }
  return bytes;
}

void ReadCharsetlessGb18030Benchmark(benchmark::State& state) {
  const std::string path = GeneratedRecord(static_cast<int>(state.range(0)));
  if (path.empty()) return state.SkipWithError("no input record (generator missing)");
  const std::string bytes = WithoutCharsetInGb18030(ReadWholeFile(path));
  for (auto _ : state) {
    auto root = std::make_unique<GameTree>();
    ReadContext context{false, 65001};
    ReadSgf(*root, bytes, context);
    if (context.codePage != 936) return state.SkipWithError("not detected as GB18030");
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// Finding the games of the collection, and reading what a list shows of
// each, without building any.
void FindGamesBenchmark(benchmark::State& state) {
  const std::string path = LargeCorpusFile("fox-ai-collection-2744.sgf");
  if (path.empty()) return state.SkipWithError("no input record (shared corpus missing)");
  const std::string bytes = ReadWholeFile(path);
  const ReadContext context{false, 65001};
  for (auto _ : state) {
    if (state.range(0) == 0) {
      benchmark::DoNotOptimize(FindGameTrees(bytes, context).size());
    } else {
      std::vector<GameSummary> games;
      SummarizeRecordBytes(path, bytes, context, games);
      benchmark::DoNotOptimize(games.data());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void WriteSgfBenchmark(benchmark::State& state) {
  const std::string path = RecordPath(static_cast<int>(state.range(0)));
  if (path.empty()) return state.SkipWithError("no input record (shared corpus missing)");
  const std::string bytes = ReadWholeFile(path);
  GameTree root;
  ReadContext context{false, 65001};
  ReadSgf(root, bytes, context);
  std::string out;
  for (auto _ : state) {
    out.clear();
    WriteSgf(root, context.codePage, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
}

// A variation opened per move, 200,000 deep, all closed at the end: reading,
// writing and tearing down must stay linear past the nesting limit.
void HostileNestingBenchmark(benchmark::State& state) {
  std::string hostile = "(;B[aa]";
  for (int i = 0; i < 200000; ++i) hostile += "(;W[bb]";
  hostile.append(200001, ')');
  std::string out;
  for (auto _ : state) {
    auto root = std::make_unique<GameTree>();
    ReadContext context{false, 65001};
    ReadSgf(*root, hostile, context);
    out.clear();
    WriteSgf(*root, context.codePage, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * hostile.size()));
}

// The largest resident size of "vantaro-cli info" on the record, against the file size.
void CliInfoPeakMemoryBenchmark(benchmark::State& state) {
  const std::string path = RecordPath(static_cast<int>(state.range(0)));
  if (path.empty()) return state.SkipWithError("no input record (shared corpus missing)");
  long peakKilobytes = 0;
  for (auto _ : state) {
    std::string cli = VANTARO_CLI;
    std::string command = "info";
    std::string file = path;
    char* argv[] = {cli.data(), command.data(), file.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    if (posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ) != 0) {
      posix_spawn_file_actions_destroy(&actions);
      return state.SkipWithError("cannot start vantaro-cli");
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
  }
  const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
  state.counters["peak_MB"] = static_cast<double>(peakKilobytes) / 1024.0;
  state.counters["peak_per_file_size"] = static_cast<double>(peakKilobytes) * 1024.0 / fileBytes;
}

// 0 is the real collection; other arguments are generated records of that many MB.
// The memory benchmark comes first: a started process reports at least the
// largest size its parent ever had, so the parent must still be small.
BENCHMARK(CliInfoPeakMemoryBenchmark)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSgfBenchmark)->Arg(0)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadCharsetlessGb18030Benchmark)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(FindGamesBenchmark)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteSgfBenchmark)->Arg(0)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(HostileNestingBenchmark)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantaro::bench

BENCHMARK_MAIN();
