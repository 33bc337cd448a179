#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "game/game_tree.h"
#include "record/record_format.h"
#include "record/sgf_collection.h"

namespace vantaro {

// Writes the record as SGF (text in codePage) to a temporary file beside path
// and puts it in path's place only once every byte is written and flushed,
// so that a failed save leaves the previous file as it was. A symbolic link
// is followed, and a replaced file keeps its permissions.
// A game of a collection is written between the bytes that come before and
// after it in the file; with `written`, the game's own bytes are also kept
// there.
IoResult SaveRecordFile(GameTree& root, int codePage, const std::string& path,
                        std::string_view before = {}, std::string_view after = {},
                        std::string* written = nullptr);

// Writes the game of a collection in its place and keeps it there once saved.
IoResult SaveCollectionGame(GameTree& root, int codePage, const std::string& path,
                            SgfCollection& collection, std::size_t index);

}  // namespace vantaro
