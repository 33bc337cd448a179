#include "game/tree_search.h"

namespace vantaro {
namespace {

// The forward order of a tree's children.
std::vector<int> ChildOrder(int count, bool variantFirst) {
  std::vector<int> order;
  const int shift = variantFirst ? 1 : 0;
  for (int i = 0; i < count; ++i) order.push_back((i + shift) % count);
  return order;
}

Node* SearchSubtreeForward(GameTree& tree, int k, SearchFlags flags, const NodePredicate& matches) {
  for (int i = std::max(k, 0); i < tree.NodeCount(); ++i) {
    if (matches(*tree.NodeAt(i))) return tree.NodeAt(i);
  }
  for (int child : ChildOrder(tree.ChildCount(), flags.variantFirst)) {
    if (Node* found = SearchSubtreeForward(*tree.ChildAt(child), 0, flags, matches)) return found;
    if (!flags.siblings) break;
  }
  return nullptr;
}

// Siblings searched after leaving child j of n going forward.
std::vector<int> LaterSiblings(int j, int n, SearchFlags flags) {
  std::vector<int> order;
  if (flags.branchMode && !flags.variantFirst) {
    for (int s = j + 1; s < n; ++s) order.push_back(s);
    return order;
  }
  if (j == 0) return order;
  const int start = (j + 1) % n;
  if (flags.variantFirst && start == 0) return {0};
  for (int s = start; s < n; ++s) order.push_back(s);
  if (flags.variantFirst) order.push_back(0);
  return order;
}

// Siblings searched after leaving child j of n going backward.
std::vector<int> EarlierSiblings(int j, int n, SearchFlags flags) {
  std::vector<int> order;
  if (!flags.variantFirst) {
    if (flags.branchMode) {
      for (int s = j - 1; s >= 0; --s) order.push_back(s);
    }
    return order;
  }
  if (j == 1) return order;
  for (int s = j == 0 ? n - 1 : j - 1; s >= 1; --s) order.push_back(s);
  return order;
}

Node* SearchSubtreeBackward(GameTree& tree, SearchFlags flags, const NodePredicate& matches) {
  std::vector<int> order = ChildOrder(tree.ChildCount(), flags.variantFirst);
  for (auto child = order.rbegin(); child != order.rend(); ++child) {
    if (Node* found = SearchSubtreeBackward(*tree.ChildAt(*child), flags, matches)) return found;
  }
  for (int i = tree.NodeCount() - 1; i >= 0; --i) {
    if (matches(*tree.NodeAt(i))) return tree.NodeAt(i);
  }
  return nullptr;
}

}  // namespace

Node* SearchForward(GameTree& tree, int k, SearchFlags flags, const NodePredicate& matches) {
  if (Node* found = SearchSubtreeForward(tree, k, flags, matches)) return found;
  if (!flags.siblings) return nullptr;
  for (GameTree* child = &tree; child->parent() != nullptr; child = child->parent()) {
    GameTree& parent = *child->parent();
    const int n = parent.ChildCount();
    if (n < 2) continue;
    for (int sibling : LaterSiblings(child->IndexInParent(), n, flags)) {
      if (Node* found = SearchSubtreeForward(*parent.ChildAt(sibling), 0, flags, matches)) {
        return found;
      }
    }
  }
  return nullptr;
}

Node* SearchBackward(GameTree& tree, int k, SearchFlags flags, bool climbing,
                     const NodePredicate& matches) {
  for (int i = std::min(k, tree.NodeCount() - 1); i >= 0; --i) {
    if (matches(*tree.NodeAt(i))) return tree.NodeAt(i);
  }
  for (GameTree* child = &tree; child->parent() != nullptr; child = child->parent()) {
    GameTree& parent = *child->parent();
    const int n = parent.ChildCount();
    if (climbing && n >= 2) {
      for (int sibling : EarlierSiblings(child->IndexInParent(), n, flags)) {
        if (Node* found = SearchSubtreeBackward(*parent.ChildAt(sibling), flags, matches)) {
          return found;
        }
      }
    }
    for (int i = parent.NodeCount() - 1; i >= 0; --i) {
      if (matches(*parent.NodeAt(i))) return parent.NodeAt(i);
    }
  }
  return nullptr;
}

NodePredicate StepCounter::Predicate() {
  return [this](const Node& node) {
    last_ = const_cast<Node*>(&node);
    return --remaining_ < 1;
  };
}

int MovesIn(const Node& node) {
  int moves = 0;
  for (const Property& property : node.properties()) {
    moves += IsMoveProperty(property.id());
  }
  return moves;
}

Node* NextMoveNode(const GameTree& tree, int k) {
  for (int i = std::max(k, 0); i < tree.NodeCount(); ++i) {
    if (tree.NodeAt(i)->FindMove() != nullptr) return tree.NodeAt(i);
  }
  for (const auto& child : tree.children()) {
    if (Node* found = NextMoveNode(*child, 0)) return found;
  }
  return nullptr;
}

namespace {

// Nullopt when the line has no move; null when its first move is elsewhere.
std::optional<Node*> FirstMoveAtPoint(const GameTree& tree, int k, Point point) {
  for (int i = std::max(k, 0); i < tree.NodeCount(); ++i) {
    const Property* move = tree.NodeAt(i)->FindMove();
    if (move == nullptr) continue;
    return move->point() == point ? tree.NodeAt(i) : nullptr;
  }
  for (const auto& child : tree.children()) {
    if (const auto found = FirstMoveAtPoint(*child, 0, point); found && *found != nullptr) {
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace

Node* NextMoveAtPoint(const GameTree& tree, int k, Point point) {
  return FirstMoveAtPoint(tree, k, point).value_or(nullptr);
}

std::vector<Node*> CollectNextMoves(const GameTree& tree, int k) {
  for (int i = std::max(k, 0); i < tree.NodeCount(); ++i) {
    if (tree.NodeAt(i)->FindMove() != nullptr) return {tree.NodeAt(i)};
  }
  std::vector<Node*> continuations;
  for (const auto& child : tree.children()) continuations.push_back(NextMoveNode(*child, 0));
  return continuations;
}

Node* FindMoveNumber(const GameTree& tree, int k, int count, int target) {
  for (int i = std::max(k, 0); i < tree.NodeCount(); ++i) {
    count += MovesIn(*tree.NodeAt(i));
    if (count == target && tree.NodeAt(i)->FindMove() != nullptr) return tree.NodeAt(i);
  }
  for (const auto& child : tree.children()) {
    if (Node* found = FindMoveNumber(*child, 0, count, target)) return found;
  }
  return nullptr;
}

}  // namespace vantaro
