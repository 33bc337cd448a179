#pragma once

#include <string>
#include <vector>

#include "game/game_tree.h"

namespace vantaro {

// The board size a record asks for through the SZ of its first node: each
// number below 2 becomes 19 and each above 52 becomes 52. Nullopt without SZ.
std::optional<Point> RecordBoardSize(const GameTree& root);
// The same rule for an SZ value.
Point ClampBoardSize(Point size);
constexpr Point kDefaultBoardSize{19, 19};

struct MainLineMove {
  bool white = false;
  Point point;  // (-1, -1) for a pass, including a point off the board
};

struct GameInfoEntry {
  int id = 0;
  std::u16string text;
};

// What a record is, at a glance.
struct RecordSummary {
  Point boardSize = kDefaultBoardSize;
  RecordCounts counts;
  std::vector<MainLineMove> mainLineMoves;  // following child 0 from the root
  std::vector<GameInfoEntry> gameInfo;      // first value of each, in table order
};

RecordSummary SummarizeRecord(const GameTree& root);

// A value as a person reads it: the text, a number, a real in its shortest
// form, or a point in SGF letters.
std::u16string DisplayValue(const Property& property);

}  // namespace vantaro
