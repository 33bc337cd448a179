#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/game_tree.h"
#include "options/options.h"

namespace vantaro {

// How a line is cut into figures.
struct FigureRules {
  int movesPerFigure = 20;             // the most moves a figure holds (at least 1)
  bool newFigureAfterComment = false;  // a commented move ends its figure
};

// Print-FixedMoveCount (below 1 counts as 1) and Print-PageType (1 ends a
// figure at every commented move; every other value prints as 0).
FigureRules FigureRulesFrom(const Options& options);

// A move a figure cannot draw, because its point already shows a stone or it
// is a pass: "25 at 19" (a numbered stone of the figure), "25 at Q16" (a
// stone from before the figure) or "33 pass".
struct FigureNote {
  enum class Kind { AtNumberedStone, AtEarlierStone, Pass };
  int move = 0;
  Kind kind = Kind::Pass;
  int stone = 0;  // AtNumberedStone: the number on that stone
  Point point;    // AtEarlierStone: where
};

struct FigureComment {
  int move = 0;  // the node's move, or the last move before it (0 before the first)
  std::u16string text;
};

struct FigureStone {
  Point point;
  bool black = true;
  int move = 0;  // 0 for a stone from before the figure
};

// One diagram of a printout: the position before its first move, its moves
// as numbered stones where their points are free, notes for the others, the
// markup of its nodes and their comments.
struct Figure {
  int firstMove = 0;  // both 0 for a figure without moves (a line without any)
  int lastMove = 0;
  std::vector<FigureStone> earlierStones;
  std::vector<FigureStone> numberedStones;  // in move order
  std::vector<Property> markup;             // in node order; a later mark at a point wins
  std::vector<FigureNote> notes;            // in move order
  std::vector<FigureComment> comments;      // in node order

  bool HasMoves() const { return firstMove > 0; }
};

// Cuts the line (LineThrough) of the record into figures, moves numbered
// from 1 along it, passes included. A figure ends before a move once it
// holds movesPerFigure moves, or (newFigureAfterComment) after a move whose
// node has a comment; a node that places or erases stones (AB, AW, AE)
// after a figure's first move starts a new figure, so that every figure
// shows the position its moves were played on. Nodes without moves stay in
// the figure of the move before them. A line without moves gives one figure
// of its final position.
std::vector<Figure> CutFigures(const GameTree& root, const std::vector<const Node*>& line,
                               const FigureRules& rules);

// Moves first to last of the line as one figure, on the position before
// first; nothing when the line has no move first (or last < first).
std::optional<Figure> FigureOfMoves(const GameTree& root, const std::vector<const Node*>& line,
                                    int first, int last);

}  // namespace vantaro
