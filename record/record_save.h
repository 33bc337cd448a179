#pragma once

#include <string>

#include "game/game_tree.h"
#include "record/record_format.h"
#include "record/sgf_writer.h"

namespace vantaro {

// Writes the record as SGF (as output says) to a temporary file beside path
// and puts it in path's place only once every byte is written and flushed,
// so that a failed save leaves the previous file as it was. A symbolic link
// is followed, and a replaced file keeps its permissions.
IoResult SaveRecordFile(GameTree& root, const SgfOutput& output, const std::string& path);
IoResult SaveRecordFile(GameTree& root, int codePage, const std::string& path);

}  // namespace vantaro
