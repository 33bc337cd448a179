#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "game/game_tree.h"

// The game information of a record: the properties of its first node that
// say who played, where, when, under which rules and with which result.
namespace vantaro {

// A value typed for a game-information property; empty text removes it.
struct GameInfoEdit {
  std::string_view identifier;  // as GameInfoIdentifiers holds it
  std::u16string text;
};

// Every game-information identifier: the game-information rows of the
// property table in table order, then RU, OT and ON, which the table does
// not hold (they stay unrecognised properties, kept by their identifier).
std::span<const std::string_view> GameInfoIdentifiers();
// What a person calls the property: "Black Player", "Komi", "Rules".
std::string_view GameInfoLabel(std::string_view identifier);
// The identifier as GameInfoIdentifiers holds it; nullopt for any other
// name (the match is exact, as SGF identifiers are).
std::optional<std::string_view> FindGameInfoIdentifier(std::string_view name);

// The value of the first property of the identifier on the node as the user
// reads and types it: its text as held (a real number in its shortest form,
// the first value of an unrecognised property); nullopt when there is none.
std::optional<std::u16string> GameInfoValue(const Node& node, std::string_view identifier);

// Stores text as the value of the identifier's first property on the node
// (appending one when there is none); an empty text removes every property
// of the identifier. KM keeps its number when the text reads as one (spaces
// around it ignored) and is otherwise kept as written, HA is stored without
// the spaces around it, and every other value as given.
void SetGameInfoValue(Node& node, std::string_view identifier, std::u16string_view text);

}  // namespace vantaro
