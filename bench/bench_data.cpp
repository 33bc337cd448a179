#include "bench_data.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/game_tree.h"

namespace vantaro::bench {

std::string GeneratedRecord(int megabytes) {
  namespace fs = std::filesystem;
  const fs::path generator = fs::path(VANTARO_SHARED_DIR) / "corpus/large/gen_big_sgf.py";
  const fs::path path =
      fs::path(VANTARO_BENCH_DATA_DIR) / ("big-" + std::to_string(megabytes) + "mb.sgf");
  if (fs::exists(path)) return path.string();
  if (!fs::exists(generator)) return {};
  fs::create_directories(path.parent_path());
  const std::string command = "python3 '" + generator.string() + "' --target-mb " +
                              std::to_string(megabytes) + " -o '" + path.string() +
                              ".part' 2>/dev/null && mv '" + path.string() + ".part' '" +
                              path.string() + "'";
  if (std::system(command.c_str()) != 0) return {};
  return path.string();
}

std::string LargeCorpusFile(const std::string& name) {
  const auto path = std::filesystem::path(VANTARO_SHARED_DIR) / "corpus/large" / name;
  return std::filesystem::exists(path) ? path.string() : std::string();
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string DataFilePath(const std::string& name) {
  const std::filesystem::path folder(VANTARO_BENCH_DATA_DIR);
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void ReportSpread(benchmark::State& state, std::vector<double>& seconds) {
  if (seconds.empty()) return;
  std::sort(seconds.begin(), seconds.end());
  state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
  state.counters["p99_ms"] = seconds[std::min(seconds.size() - 1, seconds.size() * 99 / 100)] * 1e3;
}

EditPlaces::EditPlaces(GameTree& root) {
  ForEachTree(root, [this](GameTree& tree) {
    if (tree.ChildCount() == 0) lineEnds_.push_back(&tree);
    if (tree.NodeCount() >= 2) sequences_.push_back(&tree);
  });
}

Node* EditPlaces::NodeFor(size_t turn) const {
  const size_t place = turn / 4;
  switch (turn % 4) {
    case 0: {
      GameTree& end = *lineEnds_[(place * 7919) % lineEnds_.size()];
      return end.NodeAt(end.NodeCount() - 1);
    }
    case 2:
      return sequences_[(place * 104729) % sequences_.size()]->NodeAt(0);
    default:
      return nullptr;
  }
}

EditPlaces::Edit EditPlaces::EditFor(size_t turn) {
  return turn % 4 == 0 ? Edit::Pass : turn % 4 == 2 ? Edit::AddBranch : Edit::Delete;
}

}  // namespace vantaro::bench
