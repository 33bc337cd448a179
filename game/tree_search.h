#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "game/game_tree.h"

// The searches that navigation and the board use to find nodes in a record.
namespace vantaro {

using NodePredicate = std::function<bool(const Node&)>;

struct SearchFlags {
  bool variantFirst = false;  // try child 1 first and child 0 last
  bool branchMode = false;
  bool siblings = false;  // forward: search every child and climb into siblings
  // The predicate's answer depends on the node alone, so a subtree that one
  // search has already gone through in vain is not gone through again
  // (climbing out of a last child otherwise searches it once per level).
  // Leave it off for predicates that count the nodes they are shown.
  bool stateless = false;
};

// Nodes from (tree, k) to the end, then the children from their node 0 in the
// order (i + v) mod n (v = 1 under variant-first; without siblings only the
// first of that order), then, with siblings, climbing: the later siblings of
// each tree left as whole subtrees, up to the root. Null when nothing matches.
Node* SearchForward(GameTree& tree, int k, SearchFlags flags, const NodePredicate& matches);

// Backward from (tree, k). Without climbing: nodes k down to 0, then each
// parent's nodes from the last, up to the root. With climbing it visits the
// reverse of the forward order, entering earlier siblings as whole subtrees.
Node* SearchBackward(GameTree& tree, int k, SearchFlags flags, bool climbing,
                     const NodePredicate& matches);

// A predicate that matches the node `steps` nodes away; when the search runs
// out first, the last node it was shown is the answer (see StepResult).
class StepCounter {
 public:
  explicit StepCounter(int steps) : remaining_(steps) {}
  NodePredicate Predicate();
  // The matched node, or the last node shown when the search ran out.
  Node* Result(Node* matched) const { return matched != nullptr ? matched : last_; }

 private:
  int remaining_;
  Node* last_ = nullptr;
};

// The number of B and W properties of a node: what a replay counts as moves.
int MovesIn(const Node& node);
// The move number a node is shown with in the game tree: the moves from the
// root up to it, counted anew from a node's MN (which numbers that node).
int MoveNumberOf(const GameTree& tree, int index);
// The same for a node, given the number of the node before it.
int MoveNumberAfter(const Node& node, int before);

// The first node at or after k with a move; when the sequence has none, the
// same in each child from its node 0, in child order.
Node* NextMoveNode(const GameTree& tree, int k);
// The same, but a move elsewhere ends the search in its line: the node whose
// move is at the point, if it is the first move of a continuation.
Node* NextMoveAtPoint(const GameTree& tree, int k, Point point);
// The next move node when it lies in the sequence; otherwise one entry per
// child (possibly null), in child order.
std::vector<Node*> CollectNextMoves(const GameTree& tree, int k);
// Depth first from (tree, k), child 0 first, counting moves from `count`: the
// first node at which the count reaches target.
Node* FindMoveNumber(const GameTree& tree, int k, int count, int target);
// The most moves any line from the root to the end of a variation holds:
// the highest number FindMoveNumber can reach from the root.
int MostMoves(const GameTree& root);

}  // namespace vantaro
