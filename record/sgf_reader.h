#pragma once

#include <string_view>

#include "game/game_tree.h"
#include "record/file_input.h"
#include "record/read_diagnostics.h"
#include "text/code_page_table.h"

namespace vantaro {

// Game trees nested deeper than this are read into the deepest tree's
// sequence, so that no later operation has to follow an absurd nesting.
constexpr int kMaxVariationDepth = 10000;

// Reads the first game tree of SGF text into root, an empty tree. 0 bytes in the
// input are skipped. Leniently: bytes that fit nowhere
// are skipped, damaged properties are dropped one at a time, and running out
// of input keeps everything complete so far. Text is decoded with one code
// page for the whole record: context.codePage when context.forceCodePage is
// set; else the CA of the root node when it names a known charset that the
// bytes agree with; else the one the bytes of its values look like (see
// DetectCodePage), context.codePage winning a tie (950 when
// context.dbcsAware). In a double-byte code page ']' and '\' after a lead
// byte are read as trail bytes, escaped or not, unless the SGF that follows a
// value comes next (see StructureFollows). On return context.codePage is the
// code page used. Other game trees of a collection are kept as the root's
// collection tail. When the text is a file's input, the memory of what has
// been read is given back as the reader goes.
// What was repaired or skipped goes to diagnostics when given, with byte
// offsets in text (in the file, for UTF-16 text). Every game tree below the
// root has at least one node; the root has none when no node was read.
void ReadSgf(GameTree& root, std::string_view text, ReadContext& context,
             DiagnosticSink* diagnostics = nullptr, const FileInput* input = nullptr);

}  // namespace vantaro
