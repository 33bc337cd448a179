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
// failure prints "vantaro-cli: PATH: reason" and returns a null root. What
// the reader repaired or skipped goes to diagnostics when given.
LoadedRecord LoadRecordOrReport(const std::string& path, DiagnosticSink* diagnostics = nullptr);

// Keeps the record until the process exits, which gives all its memory back
// at once: tearing a large record down node by node would only delay the
// exit. For the last record a command reads.
void KeepUntilExit(LoadedRecord record);

}  // namespace vantaro::cli
