#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "game/game_tree.h"
#include "record/file_input.h"
#include "record/io_result.h"
#include "record/read_diagnostics.h"
#include "record/sgf_collection.h"
#include "text/code_page_table.h"

namespace vantaro {

enum class RecordFormat { Unknown, Sgf, Bdx, Ngf, Gos, Gib, Ugf, Ugi, Go };

// A file-name extension (lower case, without the dot) and the format it names.
struct FormatExtension {
  std::string_view extension;
  RecordFormat format;
};
// Every extension Open reads by, SGF's first and each format's together.
std::span<const FormatExtension> RecordExtensions();

// The format named by the file's extension (any case); Unknown for anything
// else, which is read as SGF.
RecordFormat DetectFormat(std::string_view path);
std::string_view FormatName(RecordFormat format);

// Which game of a file a reading reads, and what it learns about the others.
struct GameChoice {
  std::size_t index = 0;        // the game to read, from 0
  bool keepCollection = false;  // keep what saving and opening other games need
  std::size_t count = 1;        // on return: the game trees the file holds
  // On return, for SGF when asked: the games around the one read.
  std::unique_ptr<SgfCollection> collection;
};

// Reads a whole record held in memory into tree (a new, empty tree) with the
// reader of the format, then gives every tree at least one node. On input
// context.codePage is the default code page (or, with context.forceCodePage,
// the code page to decode with) and context.dbcsAware the autoDetectBig5
// option; on return context.codePage is the code page the text was decoded
// with. An SGF read always succeeds; its content tells whether anything in
// the buffer read as a node at all. What the reader repaired or skipped
// goes to diagnostics when given (byte offsets in the buffer); the record
// read is the same either way. When the buffer is a file's input, the
// reader gives back the memory of what it has read as it goes. With a
// choice, reads the game it names (the first without) and tells about the
// others; choosing a game that the file does not hold fails.
IoResult ReadRecordBuffer(GameTree& tree, RecordFormat format, std::string_view buffer,
                          ReadContext& context, DiagnosticSink* diagnostics = nullptr,
                          const FileInput* input = nullptr, GameChoice* choice = nullptr);

// Makes the CA of the root's first node name a loaded code page, unless it
// already does: for a record read with a code page that the user chose.
// True when the record changed.
bool LabelRecordCodePage(GameTree& root, int codePage);

// Reads the file whole and hands it to ReadRecordBuffer by its extension.
// Fails when the file was cut short while it was read.
IoResult LoadRecordFile(GameTree& tree, const std::string& path, ReadContext& context,
                        DiagnosticSink* diagnostics = nullptr, GameChoice* choice = nullptr);

}  // namespace vantaro
