#pragma once

#include <string_view>

#include "game/game_tree.h"
#include "record/io_result.h"
#include "text/code_page_table.h"

// Readers of the foreign record formats. Each builds one main line into an
// empty tree: a first node with the game information (and setup stones),
// then one node per move. Text is decoded with context.codePage when
// context.forceCodePage is set, else with the code page that the bytes of the
// text fields look like (DetectCodePage), context.codePage winning a tie;
// context.codePage receives the one used. The binary readers never read past the
// buffer, whatever counts and lengths the file claims.
namespace vantaro {

// GIB: a line-based format with a bracketed header. Never fails.
void ReadGib(GameTree& tree, std::string_view text, ReadContext& context);

// UGF and UGI: sections of lines; in UGI the rows count from the bottom.
// Never fails: malformed lines are skipped one at a time.
void ReadUgf(GameTree& tree, std::string_view text, bool rowsFromBottom, ReadContext& context);

// NGF: fixed line positions; fails with fewer than 12 lines.
IoResult ReadNgf(GameTree& tree, std::string_view text, ReadContext& context);

// GOS: a 228-byte header and 16-bit moves.
IoResult ReadGos(GameTree& tree, std::string_view bytes, ReadContext& context);

// BDX: length-prefixed strings and 5-byte moves around a fixed trailer.
IoResult ReadBdx(GameTree& tree, std::string_view bytes, ReadContext& context);

// GO: two names at fixed offsets and 3-byte moves.
IoResult ReadGo(GameTree& tree, std::string_view bytes, ReadContext& context);

}  // namespace vantaro
