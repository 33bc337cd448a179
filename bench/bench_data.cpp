#include "bench_data.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

}  // namespace vantaro::bench
