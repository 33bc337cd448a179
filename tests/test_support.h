#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/board.h"
#include "game/game_tree.h"

namespace vantaro::test {

// The shared folder with the corpus; tests that need it skip without it.
std::filesystem::path SharedDir();
#define VANTARO_REQUIRE_SHARED()                                                       \
  do {                                                                                 \
    if (!std::filesystem::is_directory(::vantaro::test::SharedDir() / "corpus"))       \
      GTEST_SKIP() << "no corpus at " << ::vantaro::test::SharedDir() << ": skipping"; \
  } while (0)

// Every file below corpus/<folder> whose extension (lower-cased) is one of extensions.
std::vector<std::filesystem::path> CorpusFiles(std::string_view folder,
                                               std::vector<std::string> extensions);

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

struct ReadRecord {
  std::unique_ptr<GameTree> root;
  int codePage = 0;
};
// Reads SGF text the way a file load does (default code page 65001 unless given).
ReadRecord ReadSgfText(std::string_view sgf, int defaultCodePage = 65001, bool dbcsAware = false);
std::string WriteSgfText(GameTree& root, int codePage = 65001);

// The board as rows of '.', 'X' (black) and 'O' (white), top row first, each
// ending in a newline.
std::string BoardRows(const GoBoard& board);

// Same shape, and in each node the same properties in any order. A node
// without properties matches one holding only an empty N, which is how the
// writer saves it.
::testing::AssertionResult SameTree(const GameTree& expected, const GameTree& actual);

// A fresh directory under the system's temporary folder, removed with the object.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vantaro::test
