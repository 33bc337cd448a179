#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "record/io_result.h"
#include "record/sgf_parser.h"
#include "text/code_page_table.h"

namespace vantaro {

// The summaries of every game of a record file, read straight from its
// bytes as Open reads it: for SGF no game tree is built, only the text
// game-information of each game's first node is decoded, in the game's own
// code page, and the moves of its main line are counted; the other formats,
// of one game each, are read whole. bytes is scratch memory for the file,
// reused from file to file.
IoResult SummarizeRecordFile(const std::string& path, const ReadContext& context,
                             std::vector<GameSummary>& games, std::string& bytes);

// The same for a file's bytes in memory, read as the format of `path`.
IoResult SummarizeRecordBytes(const std::string& path, std::string_view bytes,
                              const ReadContext& context, std::vector<GameSummary>& games);

// Keeps the games whose fields hold every word of a text, in any case and
// any script (a word may be in one field and the next in another).
class WordFilter {
 public:
  explicit WordFilter(std::string_view text);
  bool empty() const { return words_.empty(); }
  // fields: UTF-8 texts.
  bool Matches(const std::vector<std::string_view>& fields) const;

 private:
  std::vector<std::string> words_;  // case folded
};

}  // namespace vantaro
