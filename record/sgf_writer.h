#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "game/game_tree.h"

namespace vantaro {

// Writes a record as SGF in the program's fixed layout: CR LF line breaks
// before any node or property that would start at column 79 or later, the
// root node on a line of its own, a node's properties in table order with CA
// first, point lists under one identifier, and "N[]" for a node without
// properties so that it survives a reload. Text is encoded in codePage.
// Writing sorts every node's property list in place (stable, by table row);
// writing the same record twice gives the same bytes.
void WriteSgf(GameTree& root, int codePage, std::string& out);

// The same, straight to a file; false when a write failed.
bool WriteSgf(GameTree& root, int codePage, std::FILE* file);

// How a record is written: the code page of its text; when charset is set,
// the record written is the one whose first node's CA holds that value
// (replacing its CA, or added as Save would add it), while the record itself
// is left as it is; and whether CA changes places with the first property
// of its node. Without that move, reading the output back gives the
// properties in the order they had, so that writing it again gives the
// same bytes.
struct SgfOutput {
  int codePage = 0;
  std::optional<std::u16string> charset;
  bool charsetFirst = true;
};
void WriteSgf(GameTree& root, const SgfOutput& output, std::string& out);
bool WriteSgf(GameTree& root, const SgfOutput& output, std::FILE* file);

// One node as the writer writes it inside a record (";" and its properties).
std::string WriteSgfNode(Node& node, int codePage);

}  // namespace vantaro
