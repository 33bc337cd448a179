#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_tree.h"
#include "text/code_page_table.h"

// Small pieces shared by the importers of the foreign record formats.
namespace vantaro {

// Splits as strtok does: every byte of delimiters separates, empty pieces vanish.
std::vector<std::string_view> SplitTokens(std::string_view text, std::string_view delimiters);
// A run of delimiters separates two pieces; a leading delimiter gives an empty
// first piece; a trailing run gives no empty last piece.
std::vector<std::string_view> SplitFields(std::string_view text, std::string_view delimiters);
// SplitTokens, then each piece as atoi reads it (a word gives 0 and keeps its place).
std::vector<int> SplitInts(std::string_view text, std::string_view delimiters);

// The bytes of a fixed-size field up to its first 0 byte; empty when the field
// lies beyond the buffer.
std::string_view FixedField(std::string_view buffer, size_t offset, size_t size);

// A 16-bit length, high byte first, then that many bytes. Nullopt (and the
// position unchanged) when the length or the text would pass the end.
std::optional<std::string_view> ReadLengthPrefixed(std::string_view buffer, size_t& position);

// Appends a B or W (isWhite) with the point; (-1, -1) is a pass.
void AddMove(Node& node, bool isWhite, int x, int y);
// Decodes the bytes in codePage and appends a text property of that row.
void AddTextProperty(Node& node, int index, std::string_view bytes, int codePage);
void AddRealProperty(Node& node, int index, double number);

enum class HandicapVariant { Ngf, Gib };
// Appends one AB per handicap stone (star points of a 19 x 19 board) for
// counts 2 to 9; other counts place nothing.
void PlaceHandicap(Node& node, HandicapVariant variant, int count);

// A new node appended to the tree.
Node& AppendNewNode(GameTree& tree);

// The code page an importer decodes its text fields with: context.codePage
// when context.forceCodePage is set, else the one the fields alone look like
// (see DetectCodePage), context.codePage winning a tie. Stored back into
// context.codePage.
int ChooseFieldsCodePage(std::initializer_list<std::string_view> fields, ReadContext& context);

}  // namespace vantaro
