#pragma once

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
};

// Loads a record file with the reader settings of the global options; on
// failure prints "vantaro-cli: PATH: reason" and returns a null root. With an
// encoding, every value is decoded with that code page and the record's CA
// names it, as Reopen With Encoding does.
LoadedRecord LoadRecordOrReport(const std::string& path, std::optional<int> encoding = {});

// Reads the N of "--encoding N" at arguments[i] (moving i past it); false
// after printing why when N is missing or not a loaded code page.
bool ParseEncodingOption(std::string_view command, const std::vector<std::string>& arguments,
                         size_t& i, std::optional<int>& encoding);

}  // namespace vantaro::cli
