#pragma once

#include "game/board.h"
#include "game/game_tree.h"

namespace vantaro {

// Where along the main line (child 0 from the root) a position is shown
// without an editor, as a preview of a game does.
struct LineStop {
  enum class Kind { FirstNode, Move, LastMove };
  Kind kind = Kind::LastMove;
  int move = 0;  // for Move
};

// Replays the main line of root into board up to the stop: its first node
// only; the node that plays move `move` (the last node when the line has
// fewer moves); or its last node. The stopping node's markup is shown, but
// no next-move marks, so that a problem's answer stays hidden. root must
// outlive the board's use of it.
void ReplayMainLine(const GameTree& root, LineStop stop, bool whiteFirst, GoBoard& board);

}  // namespace vantaro
