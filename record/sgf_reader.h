#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "game/game_tree.h"
#include "record/file_input.h"
#include "record/io_result.h"
#include "record/read_diagnostics.h"
#include "record/sgf_games.h"
#include "record/sgf_text.h"
#include "text/code_page_table.h"

namespace vantaro {

// Game trees nested deeper than this are read into the deepest tree's
// sequence, so that no later operation has to follow an absurd nesting.
constexpr int kMaxVariationDepth = 10000;

// Reads the first game tree of an SGF file's bytes into root, an empty tree.
// UTF-16 text is read as the same text in UTF-8, and 0 bytes are skipped.
// Leniently: bytes that fit nowhere are skipped, damaged properties are
// dropped one at a time, and running out of input keeps everything complete
// so far. Text is decoded in the game's code page (see ChooseCodePage); in a
// double-byte code page ']' and '\' after a lead byte are read as trail
// bytes, escaped or not, unless the SGF that follows a value comes next (see
// StructureFollows). On return context.codePage is the code page used.
// When the bytes are a file's input, the memory of what has been read is
// given back as the reader goes.
// What was repaired or skipped goes to diagnostics when given, with byte
// offsets in the bytes. Every game tree below the root has at least one
// node; the root has none when no node was read.
void ReadSgf(GameTree& root, std::string_view bytes, ReadContext& context,
             DiagnosticSink* diagnostics = nullptr, const FileInput* input = nullptr);

// Reads game `index` (from 0) of the text as ReadSgf reads the first, and,
// when games is given, finds every game of the text into it (on a second
// thread while the first game of a large text is read). The text before the
// first game is reported with it, and the text after the last with the last.
// Fails when the text holds no such game (the first always reads).
IoResult ReadSgfGame(GameTree& root, const SgfText& text, std::size_t index, ReadContext& context,
                     const FileInput* input = nullptr, std::vector<GameSpan>* games = nullptr);
// Why game index (from 0) cannot be read from a file of `count` games.
std::string NoSuchGameError(std::size_t index, std::size_t count);

// The same for games already found; returns the offset where the reading of
// the game ended.
std::size_t ReadSgfGameAt(GameTree& root, const SgfText& text, const std::vector<GameSpan>& games,
                          std::size_t index, ReadContext& context,
                          const FileInput* input = nullptr);

}  // namespace vantaro
