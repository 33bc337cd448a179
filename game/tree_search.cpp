#include "game/tree_search.h"

#include <algorithm>
#include <unordered_set>

namespace vantaro {
namespace {

// The forward order of a tree's children.
std::vector<int> ChildOrder(int count, bool variantFirst) {
  std::vector<int> order;
  const int shift = variantFirst ? 1 : 0;
  for (int i = 0; i < count; ++i) order.push_back((i + shift) % count);
  return order;
}

// Subtrees already searched whole without a match, for stateless predicates.
class SearchedSubtrees {
 public:
  explicit SearchedSubtrees(bool enabled) : enabled_(enabled) {}
  bool Contains(const GameTree& tree) const { return enabled_ && done_.contains(&tree); }
  void Add(const GameTree& tree) {
    if (enabled_) done_.insert(&tree);
  }

 private:
  bool enabled_;
  std::unordered_set<const GameTree*> done_;
};

// Preorder from (tree, k): the nodes, then each child as a whole subtree in
// the forward child order (only the first without siblings). The stack keeps
// deep nesting off the call stack.
Node* SearchSubtreeForward(GameTree& tree, int k, SearchFlags flags, const NodePredicate& matches,
                           SearchedSubtrees& searched) {
  struct Pending {
    GameTree* tree;
    int from;
  };
  std::vector<Pending> pending{{&tree, k}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    GameTree& each = *next.tree;
    if (next.from == 0 && searched.Contains(each)) continue;
    for (int i = std::max(next.from, 0); i < each.NodeCount(); ++i) {
      if (matches(*each.NodeAt(i))) return each.NodeAt(i);
    }
    std::vector<int> order = ChildOrder(each.ChildCount(), flags.variantFirst);
    if (!flags.siblings && order.size() > 1) order.resize(1);
    for (auto child = order.rbegin(); child != order.rend(); ++child) {
      pending.push_back({each.ChildAt(*child), 0});
    }
  }
  // Nothing matched, so every whole subtree gone through is done with.
  if (flags.siblings) {
    if (k <= 0) searched.Add(tree);
    for (const auto& child : tree.children()) searched.Add(*child);
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

// The reverse of the forward order of a whole subtree: its children first, in
// the reverse child order, each the same way, then its own nodes last to first.
Node* SearchSubtreeBackward(GameTree& tree, SearchFlags flags, const NodePredicate& matches) {
  struct Pending {
    GameTree* tree;
    bool childrenDone;
  };
  std::vector<Pending> pending{{&tree, false}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    GameTree& each = *next.tree;
    if (next.childrenDone) {
      for (int i = each.NodeCount() - 1; i >= 0; --i) {
        if (matches(*each.NodeAt(i))) return each.NodeAt(i);
      }
      continue;
    }
    pending.push_back({&each, true});
    for (int child : ChildOrder(each.ChildCount(), flags.variantFirst)) {
      pending.push_back({each.ChildAt(child), false});
    }
  }
  return nullptr;
}

}  // namespace

Node* SearchForward(GameTree& tree, int k, SearchFlags flags, const NodePredicate& matches) {
  SearchedSubtrees searched(flags.stateless);
  if (Node* found = SearchSubtreeForward(tree, k, flags, matches, searched)) return found;
  if (!flags.siblings) return nullptr;
  for (GameTree* child = &tree; child->parent() != nullptr; child = child->parent()) {
    GameTree& parent = *child->parent();
    const int n = parent.ChildCount();
    if (n < 2) continue;
    for (int sibling : LaterSiblings(child->IndexInParent(), n, flags)) {
      if (Node* found =
              SearchSubtreeForward(*parent.ChildAt(sibling), 0, flags, matches, searched)) {
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

int MoveNumberAfter(const Node& node, int before) {
  const Property* number = node.Find(kPropMN);
  return number != nullptr ? number->number() : before + MovesIn(node);
}

int MoveNumberOf(const GameTree& tree, int index) {
  int later = 0;
  for (const GameTree* each = &tree; each != nullptr; each = each->parent()) {
    const int last = each == &tree ? index : each->NodeCount() - 1;
    for (int i = last; i >= 0; --i) {
      const Node& node = *each->NodeAt(i);
      if (const Property* number = node.Find(kPropMN)) return number->number() + later;
      later += MovesIn(node);
    }
  }
  return later;
}

namespace {

// Preorder from (tree, k), children in order: the first node that decides.
// decide looks at one tree's sequence from an index and says whether a node
// was found there, whether its children are still to be searched, or neither.
struct SequenceVerdict {
  Node* found = nullptr;
  bool searchChildren = true;
};

template <typename Decide>
Node* FirstInPreorder(const GameTree& tree, int k, Decide decide) {
  struct Pending {
    const GameTree* tree;
    int from;
  };
  std::vector<Pending> pending{{&tree, k}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const SequenceVerdict verdict = decide(*next.tree, std::max(next.from, 0));
    if (verdict.found != nullptr) return verdict.found;
    if (!verdict.searchChildren) continue;
    const auto& children = next.tree->children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      pending.push_back({child->get(), 0});
    }
  }
  return nullptr;
}

}  // namespace

Node* NextMoveNode(const GameTree& tree, int k) {
  return FirstInPreorder(tree, k, [](const GameTree& each, int from) {
    for (int i = from; i < each.NodeCount(); ++i) {
      if (each.NodeAt(i)->FindMove() != nullptr) return SequenceVerdict{each.NodeAt(i), false};
    }
    return SequenceVerdict{};
  });
}

// A line whose first move is elsewhere ends there; a line without a move goes
// on into its children.
Node* NextMoveAtPoint(const GameTree& tree, int k, Point point) {
  return FirstInPreorder(tree, k, [point](const GameTree& each, int from) {
    for (int i = from; i < each.NodeCount(); ++i) {
      const Property* move = each.NodeAt(i)->FindMove();
      if (move == nullptr) continue;
      return SequenceVerdict{move->point() == point ? each.NodeAt(i) : nullptr, false};
    }
    return SequenceVerdict{};
  });
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
  // Each child starts from the count reached at the end of its parent's sequence.
  struct Pending {
    const GameTree* tree;
    int from;
    int count;
  };
  std::vector<Pending> pending{{&tree, k, count}};
  while (!pending.empty()) {
    Pending next = pending.back();
    pending.pop_back();
    const GameTree& each = *next.tree;
    for (int i = std::max(next.from, 0); i < each.NodeCount(); ++i) {
      next.count += MovesIn(*each.NodeAt(i));
      if (next.count == target && each.NodeAt(i)->FindMove() != nullptr) return each.NodeAt(i);
    }
    const auto& children = each.children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      pending.push_back({child->get(), 0, next.count});
    }
  }
  return nullptr;
}

int MostMoves(const GameTree& root) {
  struct Pending {
    const GameTree* tree;
    int count;
  };
  std::vector<Pending> pending{{&root, 0}};
  int most = 0;
  while (!pending.empty()) {
    Pending next = pending.back();
    pending.pop_back();
    for (int i = 0; i < next.tree->NodeCount(); ++i) next.count += MovesIn(*next.tree->NodeAt(i));
    most = std::max(most, next.count);
    for (const auto& child : next.tree->children()) pending.push_back({child.get(), next.count});
  }
  return most;
}

}  // namespace vantaro
