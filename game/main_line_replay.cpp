#include "game/main_line_replay.h"

namespace vantaro {
namespace {

bool StopsAfter(const GoBoard& board, LineStop stop) {
  switch (stop.kind) {
    case LineStop::Kind::FirstNode:
      return true;
    case LineStop::Kind::Move:
      return board.moveNumber() >= stop.move;
    case LineStop::Kind::LastMove:
      return false;
  }
  return false;
}

// The last node replayed.
const Node* ReplayUntil(const GameTree& root, LineStop stop, GoBoard& board) {
  const Node* last = nullptr;
  for (const GameTree* tree = &root; tree != nullptr; tree = tree->ChildAt(0)) {
    for (const auto& node : tree->nodes()) {
      for (const Property& property : node->properties()) board.ApplyProperty(property);
      last = node.get();
      if (StopsAfter(board, stop)) return last;
    }
  }
  return last;
}

}  // namespace

void ReplayMainLine(const GameTree& root, LineStop stop, bool whiteFirst, GoBoard& board) {
  board.Attach(&root);
  board.Reset(whiteFirst);
  if (const Node* last = ReplayUntil(root, stop, board)) {
    for (const Property& property : last->properties()) board.ShowMarkup(property);
  }
}

}  // namespace vantaro
