#include "game/tree_search.h"

#include <gtest/gtest.h>

#include "record/sgf_reader.h"
#include "test_support.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

// Nodes named by their comment: the visit order reads as a string.
constexpr char kTree[] = "(;C[r0];C[r1](;C[a0];C[a1](;C[x0])(;C[y0]))(;C[b0])(;C[c0];C[c1]))";

// The nodes a search is shown, in order.
std::string Visits(const std::function<void(const NodePredicate&)>& search) {
  std::string order;
  search([&order](const Node& node) {
    order += (order.empty() ? "" : " ") + ToDisplayUtf8(node.Find(kPropC)->text());
    return false;
  });
  return order;
}

GameTree& Child(GameTree& root, std::initializer_list<int> path) {
  GameTree* tree = &root;
  for (int index : path) tree = tree->ChildAt(index);
  return *tree;
}

struct SearchCase {
  SearchFlags flags;
  std::initializer_list<int> from;
  int index;
  const char* expected;
};

TEST(SearchForward, VisitOrderForEveryFlagCombination) {
  auto record = ReadSgfText(kTree);
  GameTree& root = *record.root;
  const SearchCase cases[] = {
      {{false, false, false}, {}, 1, "r1 a0 a1 x0"},
      {{true, false, false}, {}, 1, "r1 b0"},
      {{false, false, true}, {}, 1, "r1 a0 a1 x0 y0 b0 c0 c1"},
      {{true, false, true}, {}, 1, "r1 b0 c0 c1 a0 a1 y0 x0"},
      // Climbing out of the last child starts again at child 0 (variant-first: child 0 only).
      {{false, false, true}, {2}, 1, "c1 a0 a1 x0 y0 b0 c0 c1"},
      {{true, false, true}, {2}, 1, "c1 a0 a1 y0 x0"},
      // Branch mode without variant-first climbs to later siblings only.
      {{false, true, true}, {0, 0}, 0, "x0 y0 b0 c0 c1"},
      {{false, true, true}, {2}, 0, "c0 c1"},
      // Otherwise child 0 climbs to nothing.
      {{false, false, true}, {0, 0}, 0, "x0"},
      // From the last of two children every child is searched again, itself included.
      {{false, false, true}, {0, 1}, 0, "y0 x0 y0"},
  };
  for (const SearchCase& c : cases) {
    GameTree& tree = Child(root, c.from);
    EXPECT_EQ(Visits([&](const NodePredicate& p) { SearchForward(tree, c.index, c.flags, p); }),
              c.expected)
        << "variantFirst=" << c.flags.variantFirst << " branchMode=" << c.flags.branchMode
        << " siblings=" << c.flags.siblings << " from child " << c.from.size();
  }
}

TEST(SearchBackward, VisitOrderWithAndWithoutClimbing) {
  auto record = ReadSgfText(kTree);
  GameTree& root = *record.root;
  const SearchCase climbing[] = {
      // Branch mode without variant-first: earlier siblings, each children first.
      {{false, true, true}, {2}, 0, "c0 b0 y0 x0 a1 a0 r1 r0"},
      // Variant-first from child 0: the other children from the last one down.
      {{true, false, true}, {0}, 0, "a0 c1 c0 b0 r1 r0"},
      // Variant-first from child 1: nothing before the parent.
      {{true, false, true}, {1}, 0, "b0 r1 r0"},
      // Neither: no sibling at all.
      {{false, false, true}, {2}, 0, "c0 r1 r0"},
  };
  for (const SearchCase& c : climbing) {
    GameTree& tree = Child(root, c.from);
    EXPECT_EQ(
        Visits([&](const NodePredicate& p) { SearchBackward(tree, c.index, c.flags, true, p); }),
        c.expected);
  }
  // Without climbing only the path up to the root is searched.
  GameTree& x = Child(root, {0, 0});
  EXPECT_EQ(Visits([&](const NodePredicate& p) {
              SearchBackward(x, 0, {true, true, true}, false, p);
            }),
            "x0 a1 a0 r1 r0");
}

// Each level holds one node and two children, the second leading on: the
// deepest node is in the last child of every level.
std::string LastChildChain(int levels) {
  std::string sgf = "(;C[top]";
  for (int i = 0; i < levels; ++i) sgf += "(;C[side])(;C[on]";
  sgf.append(static_cast<size_t>(levels) + 1, ')');
  return sgf;
}

GameTree& DeepestTree(GameTree& root) {
  GameTree* tree = &root;
  while (tree->ChildCount() > 0) tree = tree->ChildAt(tree->ChildCount() - 1);
  return *tree;
}

// Climbing out of a last child searches all of the parent's children again,
// at every level: the whole record once per level when nothing matches.
TEST(SearchForward, AStatelessSearchGoesThroughEachSubtreeOnce) {
  constexpr int kLevels = 2000;
  auto record = ReadSgfText(LastChildChain(kLevels));
  GameTree& deepest = DeepestTree(*record.root);
  long visits = 0;
  const NodePredicate nothing = [&visits](const Node&) {
    ++visits;
    return false;
  };
  SearchFlags flags{false, false, true, true};
  EXPECT_EQ(SearchForward(deepest, 1, flags, nothing), nullptr);
  EXPECT_LE(visits, 3L * static_cast<long>(CountRecord(*record.root).nodes));

  // The same node is found as by the search that shows every node each time.
  const NodePredicate top = [](const Node& node) { return node.Find(kPropC)->text() == u"top"; };
  Node* once = SearchForward(deepest, 1, flags, top);
  flags.stateless = false;
  EXPECT_EQ(once, SearchForward(deepest, 1, flags, top));
  EXPECT_EQ(once, nullptr);  // the root's own nodes are never searched again
}

TEST(SearchForward, StatelessSearchesFindWhatTheFullOrderFinds) {
  auto record = ReadSgfText(kTree);
  GameTree& root = *record.root;
  for (const char* name : {"r1", "a1", "x0", "y0", "b0", "c1"}) {
    const NodePredicate named = [name](const Node& node) {
      return ToDisplayUtf8(node.Find(kPropC)->text()) == name;
    };
    for (const auto& from : {std::vector<int>{}, {0, 1}, {2}, {0, 0}}) {
      GameTree* tree = &root;
      for (int index : from) tree = tree->ChildAt(index);
      for (int bits = 0; bits < 8; ++bits) {
        SearchFlags flags{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, false};
        Node* full = SearchForward(*tree, 0, flags, named);
        flags.stateless = true;
        EXPECT_EQ(SearchForward(*tree, 0, flags, named), full) << name << " flags " << bits;
      }
    }
  }
}

TEST(TreeSearches, NestingAsDeepAsTheReaderAllowsNeedsNoRecursion) {
  std::string sgf;
  for (int i = 0; i < kMaxVariationDepth; ++i) sgf += "(;C[x]";
  sgf += ";B[cc]";
  sgf.append(static_cast<size_t>(kMaxVariationDepth), ')');
  auto record = ReadSgfText(sgf);
  GameTree& root = *record.root;
  Node* last = root.LastNodeAlongFirstChildren();
  ASSERT_NE(last->Find(kPropB), nullptr);
  EXPECT_EQ(NextMoveNode(root, 0), last);
  EXPECT_EQ(NextMoveAtPoint(root, 0, {2, 2}), last);
  EXPECT_EQ(FindMoveNumber(root, 0, 0, 1), last);
  const NodePredicate isMove = [](const Node& node) { return node.Has(kPropB); };
  EXPECT_EQ(SearchForward(root, 0, {false, false, true}, isMove), last);
  GameTree* deepest = last->tree();
  EXPECT_EQ(SearchBackward(*deepest, -1, {false, true, true}, true,
                           [](const Node& node) { return node.Has(kPropB); }),
            nullptr);
}

TEST(NextMoves, TheFirstMoveOfEachLine) {
  auto record = ReadSgfText("(;B[aa];C[x];W[bb];B[cc](;W[dd])(;C[y];W[ee]))");
  GameTree& root = *record.root;
  EXPECT_EQ(NextMoveNode(root, 1), root.NodeAt(2));
  EXPECT_EQ(NextMoveAtPoint(root, 1, {1, 1}), root.NodeAt(2));
  EXPECT_EQ(NextMoveAtPoint(root, 1, {2, 2}), nullptr);  // a later move of the line
  EXPECT_EQ(NextMoveAtPoint(root, 4, {4, 4}), root.ChildAt(1)->NodeAt(1));
  EXPECT_EQ(CollectNextMoves(root, 1), std::vector<Node*>{root.NodeAt(2)});
  EXPECT_EQ(CollectNextMoves(root, 4),
            (std::vector<Node*>{root.ChildAt(0)->NodeAt(0), root.ChildAt(1)->NodeAt(1)}));
}

// The game tree numbers moves from the root, anew from an MN, and a node
// without a move keeps the number before it.
TEST(MoveNumbers, CountFromTheRootAndFromAnMn) {
  auto record = ReadSgfText("(;SZ[9];B[aa];W[bb]MN[10];B[cc](;W[dd])(;AB[ee];W[ff]))");
  const GameTree& root = *record.root;
  const struct {
    const GameTree* tree;
    int index;
    int number;
  } cases[] = {{&root, 0, 0},
               {&root, 1, 1},
               {&root, 2, 10},
               {&root, 3, 11},
               {root.ChildAt(0), 0, 12},
               {root.ChildAt(1), 0, 11},
               {root.ChildAt(1), 1, 12}};
  for (const auto& c : cases) {
    EXPECT_EQ(MoveNumberOf(*c.tree, c.index), c.number) << c.index;
    if (c.index > 0) {
      EXPECT_EQ(MoveNumberAfter(*c.tree->NodeAt(c.index), MoveNumberOf(*c.tree, c.index - 1)),
                c.number);
    }
  }
}

}  // namespace
}  // namespace vantaro
