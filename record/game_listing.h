#pragma once

#include <array>
#include <cstddef>
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
// reused from file to file. No games when the file cannot be read.
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

// The game-information columns of a list of games, in the order it shows them.
inline constexpr int kListedInfo[] = {kPropPB, kPropBR, kPropPW, kPropWR, kPropRE,
                                      kPropDT, kPropEV, kPropRO, kPropGN};
inline constexpr std::size_t kListedInfoCount = std::size(kListedInfo);

// One game as a list of games shows it.
struct ListedGame {
  std::size_t game = 0;                            // its number in its file, from 1
  std::array<std::string, kListedInfoCount> info;  // kListedInfo's texts, UTF-8 for display
  std::size_t moves = 0;                           // on the main line
  Point size = kDefaultBoardSize;
};

// The rows of a file's games, numbered from 1 in the order of the file.
std::vector<ListedGame> ListGames(const std::vector<GameSummary>& games);

// Whether the filter keeps a game of the file at path: the words may be in
// its game-information texts and in the path.
bool Keeps(const WordFilter& filter, std::string_view path, const ListedGame& game);

// "19", or "19:13" for a board that is not square.
std::string BoardSizeText(Point size);

}  // namespace vantaro
