#pragma once

#include <span>
#include <string>
#include <string_view>

#include "game/game_tree.h"
#include "record/file_input.h"
#include "record/io_result.h"
#include "record/read_diagnostics.h"
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

// Reads a whole record held in memory into tree (a new, empty tree) with the
// reader of the format, then gives every tree at least one node. On input
// context.codePage is the default code page (or, with context.forceCodePage,
// the code page to decode with) and context.dbcsAware the autoDetectBig5
// option; on return context.codePage is the code page the text was decoded
// with. An SGF read always succeeds. What the reader repaired or skipped
// goes to diagnostics when given (byte offsets in the buffer); the record
// read is the same either way. When the buffer is a file's input, the
// reader gives back the memory of what it has read as it goes.
IoResult ReadRecordBuffer(GameTree& tree, RecordFormat format, std::string_view buffer,
                          ReadContext& context, DiagnosticSink* diagnostics = nullptr,
                          const FileInput* input = nullptr);

// Makes the CA of the root's first node name a loaded code page, unless it
// already does: for a record read with a code page that the user chose.
// True when the record changed.
bool LabelRecordCodePage(GameTree& root, int codePage);

// Reads the file whole and hands it to ReadRecordBuffer by its extension.
IoResult LoadRecordFile(GameTree& tree, const std::string& path, ReadContext& context,
                        DiagnosticSink* diagnostics = nullptr);

}  // namespace vantaro
