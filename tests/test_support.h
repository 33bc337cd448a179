#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/go_editor.h"
#include "editor/sound.h"
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
// The record as Save writes it (see PlanSave).
std::string SavedSgfText(GameTree& root, int codePage);

// An editor over a record given as SGF text, installed as a file load
// installs it. options must outlive the editor; sounds may be null.
std::unique_ptr<GoEditor> OpenEditor(std::string_view sgf, Options& options,
                                     MoveSounds* sounds = nullptr);
// A position in the record as "child.child/node", as the tool's print status shows it.
std::string PathText(const TreePath& path);
// Moves the editor's cursor to the node at the path, as navigation does.
void GoTo(GoEditor& editor, const TreePath& path);

class RecordingSoundOutput : public SoundOutput {
 public:
  void PlayFile(const std::u16string& path) override { played.push_back(path); }
  std::vector<std::u16string> played;
};

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
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }
  // Writes a file of these bytes into the directory and gives its path.
  std::string Write(const std::string& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace vantaro::test
