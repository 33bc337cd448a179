#pragma once

#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

#include "record/read_diagnostics.h"
#include "record/sgf_parser.h"
#include "text/code_page_table.h"

namespace vantaro {

// Where one game tree of SGF text lies, and the code page its text is read in.
struct GameSpan {
  std::size_t begin = 0;  // its '('
  std::size_t end = 0;    // past its ')', or the end of the text when it is not closed
  int codePage = 0;
  bool operator==(const GameSpan&) const = default;
};

// The game trees of SGF text (see SgfText), in order, without building any:
// the first at the first '(' that starts a game tree, or else the first
// '('; each next one at the first '(' after the one before that starts a
// game tree. The bytes around and between them belong to no game. Each game
// walks through the reader's own steps, so that it ends where a reading of
// it ends, and has its own code page, chosen from its own bytes as
// ChooseCodePage says. validUtf8: the whole text is known to be valid UTF-8,
// which spares checking each game. At most `limit` games are found. With
// summaries, each game's summary is added too, read in its code page. With
// `after`, the games after a game that ends there.
std::vector<GameSpan> FindGameTrees(std::string_view text, const ReadContext& context,
                                    bool validUtf8 = false,
                                    std::size_t limit = std::numeric_limits<std::size_t>::max(),
                                    std::vector<GameSummary>* summaries = nullptr,
                                    std::size_t after = 0);

// The code page a game is read in, from the text of the game: the code page
// context forces; else the CA of its root sequence when it names a known
// charset that the bytes agree with; else UTF-8 when the bytes are valid
// UTF-8; else the one the bytes of its values look like (see
// DetectCodePage), context.codePage winning a tie (950 when
// context.dbcsAware).
int ChooseCodePage(std::string_view game, bool validUtf8, const ReadContext& context,
                   const RootFacts& root);

// Reports a CA that is unknown or that the bytes contradict.
void ReportCharset(const RootFacts& root, int codePage, bool fromUtf16, const ReadReport& report);

}  // namespace vantaro
