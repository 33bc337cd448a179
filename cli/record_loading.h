#pragma once

#include <memory>
#include <string>

#include "game/game_tree.h"
#include "record/record_format.h"

namespace vantaro::cli {

struct LoadedRecord {
  std::unique_ptr<GameTree> root;
  int codePage = 0;
  RecordFormat format = RecordFormat::Unknown;
};

// Loads a record file with the reader settings of the global options; on
// failure prints "vantaro-cli: PATH: reason" and returns a null root.
LoadedRecord LoadRecordOrReport(const std::string& path);

}  // namespace vantaro::cli
