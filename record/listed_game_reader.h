#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "game/game_tree.h"
#include "record/io_result.h"
#include "record/sgf_collection.h"
#include "text/code_page_table.h"

namespace vantaro {

// Reads one game after another out of the files of a list of games. The
// games of the last file of several games are kept, so that moving through
// a collection reads only the game asked for, never the file again.
class ListedGameReader {
 public:
  // Reads game `game` (from 0) of the file at path into root, an empty tree,
  // as opening it would. Fails when the file cannot be read or does not hold
  // that game.
  IoResult Read(const std::string& path, std::size_t game, const ReadContext& context,
                GameTree& root);
  // The file on disk may have changed: the next reading reads it afresh.
  void Forget();

 private:
  std::string path_;
  std::unique_ptr<SgfCollection> collection_;  // of path_, when it holds several games
};

}  // namespace vantaro
