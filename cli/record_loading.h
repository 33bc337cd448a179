#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_tree.h"
#include "record/record_format.h"

namespace vantaro::cli {

struct LoadedRecord {
  std::unique_ptr<GameTree> root;
  int codePage = 0;
  RecordFormat format = RecordFormat::Unknown;
  std::size_t games = 1;                      // the game trees of the file
  std::unique_ptr<SgfCollection> collection;  // when asked, for SGF
};

// Which game a command works on, and how it reads it.
struct LoadRequest {
  std::optional<int> encoding;
  std::size_t game = 0;  // from 0
  bool keepCollection = false;
};

// Loads a game of a record file with the reader settings of the global
// options; on failure prints "vantaro-cli: PATH: reason" and returns a null
// root. With an encoding, every value is decoded with that code page and the
// record's CA names it, as Reopen With Encoding does. What the reader
// repaired or skipped goes to diagnostics when given.
LoadedRecord LoadRecordOrReport(const std::string& path, const LoadRequest& request = {},
                                DiagnosticSink* diagnostics = nullptr);

// Reads the N of "--game N" at arguments[i] (moving i past it) as a game
// index from 0; false after printing why when N is missing or not a number
// of 1 or more.
bool ParseGameOption(std::string_view command, const std::vector<std::string>& arguments, size_t& i,
                     std::size_t& game);

// Reads the N of "--encoding N" at arguments[i] (moving i past it); false
// after printing why when N is missing or not a loaded code page.
bool ParseEncodingOption(std::string_view command, const std::vector<std::string>& arguments,
                         size_t& i, std::optional<int>& encoding);

// Keeps the record until the process exits, which gives all its memory back
// at once: tearing a large record down node by node would only delay the
// exit. For the last record a command reads.
void KeepUntilExit(LoadedRecord record);

}  // namespace vantaro::cli
