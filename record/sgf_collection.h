#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_tree.h"
#include "record/sgf_games.h"
#include "text/code_page_table.h"

namespace vantaro {

// The game trees of an SGF file around the one being edited: what Save needs
// to write every other byte of the file back as it was (the text around and
// between the games, and every game not edited), and what opening another
// game of the file needs to read it. A file of one game keeps only the bytes
// around it, since its own are read once and then saved as the writer
// writes them.
class SgfCollection {
 public:
  // text: the file's text as SgfText gives it; games: FindGameTrees of it.
  SgfCollection(std::string_view text, std::vector<GameSpan> games, bool fromUtf16);

  std::size_t GameCount() const { return games_.size(); }
  // The bytes of the file before and after game index.
  std::string_view Before(std::size_t index) const;
  std::string_view After(std::size_t index) const;
  // The bytes of game index as they are in the file (empty for the game of
  // a file of one).
  std::string_view GameBytes(std::size_t index) const;
  // Reads game index into root, an empty tree, as opening the file reads
  // its first; context as for ReadSgf.
  void ReadGame(std::size_t index, GameTree& root, ReadContext& context) const;
  // After game index was saved as `written`: the file holds it from now on.
  void ReplaceGame(std::size_t index, std::string_view written);

 private:
  std::string text_;
  std::vector<GameSpan> games_;
  bool fromUtf16_;
};

}  // namespace vantaro
