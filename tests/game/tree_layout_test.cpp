#include "game/tree_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <unordered_map>

#include "game/line_starts.h"

#include "game/tree_layout_checks.h"
#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

using test::CellsOf;
using test::ExpectSameAsFresh;
using test::ForEachShownTree;
using Cells = test::TreeCells;

// The placement the layout is held to, on a grid: each line, in record
// order, one row below the lowest row anything drawn so far (nodes and
// joining lines) takes in its columns, from its parent's to its last node.
Cells SimplePlacement(const GameTree& root, const TreeLayout& layout) {
  Cells cells;
  std::vector<int> lowest;  // per column
  std::map<const GameTree*, int> rows;
  ForEachShownTree(root, layout, [&](const GameTree& tree, int depth) {
    const GameTree* parent = tree.parent();
    if (parent != nullptr && parent->ChildAt(0) == &tree) {
      rows[&tree] = rows[parent];
    } else {
      int last = depth - 1;
      for (const GameTree* t = &tree; t != nullptr; t = t->ChildAt(0)) {
        last += t->NodeCount();
        if (t->NodeCount() > 0 && layout.IsFolded(*t->nodes().back())) break;
      }
      const int first = parent != nullptr ? depth - 1 : depth;
      if (lowest.size() <= static_cast<size_t>(last + 1)) lowest.resize(last + 2, -1);
      int row = 0;
      if (parent != nullptr) {
        for (int column = first; column <= last; ++column) {
          row = std::max(row, lowest[static_cast<size_t>(column)] + 1);
        }
      }
      for (int column = first; column <= last; ++column) lowest[static_cast<size_t>(column)] = row;
      rows[&tree] = row;
    }
    for (int i = 0; i < tree.NodeCount(); ++i) cells[tree.NodeAt(i)] = {rows[&tree], depth + i};
  });
  return cells;
}

// The rules a picture of the tree keeps, checked on the cells alone.
void ExpectTreeRules(TreeLayout& layout, const Cells& cells) {
  std::set<std::pair<int, int>> taken;
  for (const auto& [node, cell] : cells) {
    EXPECT_TRUE(taken.insert({cell.row, cell.column}).second)
        << "two nodes in row " << cell.row << " column " << cell.column;
  }
  ForEachShownTree(*layout.root(), layout, [&](const GameTree& tree, int depth) {
    for (int i = 0; i < tree.NodeCount(); ++i) {
      ASSERT_EQ(cells.at(tree.NodeAt(i)).column, depth + i) << "the column is not the depth";
      if (i > 0) {
        ASSERT_EQ(cells.at(tree.NodeAt(i)).row, cells.at(tree.NodeAt(i - 1)).row);
      }
    }
    if (tree.NodeCount() == 0 || layout.IsFolded(*tree.nodes().back())) return;
    const TreeCell parent = cells.at(tree.nodes().back().get());
    int previous = parent.row;
    for (int k = 0; k < tree.ChildCount(); ++k) {
      const GameTree& child = *tree.ChildAt(k);
      if (child.NodeCount() == 0) continue;
      const int row = cells.at(child.NodeAt(0)).row;
      if (k == 0) {
        EXPECT_EQ(row, parent.row) << "the first child left its parent's row";
        continue;
      }
      EXPECT_GT(row, previous) << "a variation above its parent or an earlier sibling";
      previous = row;
      // The joining line runs down the parent's column, then into the child.
      for (int r = parent.row + 1; r <= row; ++r) {
        EXPECT_FALSE(taken.contains({r, parent.column}))
            << "a joining line crosses the node in row " << r << " column " << parent.column;
      }
    }
  });
}

void ExpectLaidOutAsTheRulesSay(TreeLayout& layout) {
  const Cells cells = CellsOf(layout);
  ExpectTreeRules(layout, cells);
  const Cells simple = SimplePlacement(*layout.root(), layout);
  EXPECT_EQ(cells, simple);
  int rows = 0;
  for (const auto& [node, cell] : simple) rows = std::max(rows, cell.row + 1);
  EXPECT_LE(layout.RowCount(), rows) << "taller than the simple placement";
}

// SGF of a random record: lines of 1 to 12 moves, now and then up to 30 so
// that a deep line reaches past shallower ones, with up to three variations
// after a line, fewer the deeper they lie.
std::string RandomSgf(std::mt19937& random, int depth = 0) {
  std::string sgf;
  const int longest = std::uniform_int_distribution(0, 3)(random) == 0 ? 30 : 12;
  const int moves = std::uniform_int_distribution(1, longest)(random);
  for (int i = 0; i < moves; ++i) sgf += ";B[aa]";
  const int branches = depth > 5 ? 0 : std::uniform_int_distribution(0, 3 - depth / 2)(random);
  if (branches == 1) return sgf + RandomSgf(random, depth + 1);
  for (int i = 0; i < branches; ++i) sgf += "(" + RandomSgf(random, depth + 1) + ")";
  return sgf;
}

// The index of line starts drops entries from the middle of runs of
// neighbouring slots; every other entry must stay where a lookup finds it.
TEST(LineStarts, FindsWhatWasSetAndNotWhatWasErased) {
  std::vector<GameTree> trees(5000);
  LineStarts index;
  std::unordered_map<const GameTree*, int> expected;
  std::mt19937 random(3);
  for (int round = 0; round < 40000; ++round) {
    const GameTree* tree = &trees[std::uniform_int_distribution<size_t>(0, 4999)(random)];
    const auto found = expected.find(tree);
    if (found != expected.end() && random() % 2 == 0) {
      index.Erase(tree, found->second);
      expected.erase(found);
    } else {
      index.Set(tree, round);
      expected[tree] = round;
    }
  }
  EXPECT_EQ(index.size(), expected.size());
  for (const GameTree& tree : trees) {
    const auto found = expected.find(&tree);
    EXPECT_EQ(index.Find(&tree),
              found != expected.end() ? std::optional<int>(found->second) : std::nullopt);
  }
}

TEST(TreeLayout, SmallTreesFollowTheRules) {
  const char* records[] = {
      "(;GM[1])",
      "(;B[aa];W[bb];B[cc])",
      // Variations of a deeper node come first and so lie higher.
      "(;B[aa](;W[bb](;B[cc])(;B[dd]))(;W[ee];B[ff]))",
      // A long variation goes below a later short one's columns.
      "(;B[aa](;W[bb];B[cc](;W[dd];B[ee])(;W[ff];B[gg];W[hh];B[ii]))(;W[jj]))",
      // Siblings of one node stack downward; a short one tucks under its parent.
      "(;B[aa](;W[bb])(;W[cc];B[dd];W[ee])(;W[ff])(;W[gg]))",
  };
  for (const char* sgf : records) {
    SCOPED_TRACE(sgf);
    auto record = ReadSgfText(sgf);
    TreeLayout layout;
    layout.Build(record.root.get());
    ExpectLaidOutAsTheRulesSay(layout);
  }
}

TEST(TreeLayout, HandWrittenPicture) {
  // Rows as drawn:  0: root - aa - bb - cc
  //                 1:         \    \_ dd - ee
  //                 2:          \_ ff
  auto record = ReadSgfText("(;GM[1];B[aa](;W[bb](;B[cc])(;B[dd];W[ee]))(;W[ff]))");
  TreeLayout layout;
  layout.Build(record.root.get());
  const GameTree& root = *record.root;
  const GameTree& bb = *root.ChildAt(0);
  EXPECT_EQ(layout.CellOf(root, 1), (TreeCell{0, 1}));
  EXPECT_EQ(layout.CellOf(*bb.ChildAt(0), 0), (TreeCell{0, 3}));
  EXPECT_EQ(layout.CellOf(*bb.ChildAt(1), 1), (TreeCell{1, 4}));
  EXPECT_EQ(layout.CellOf(*root.ChildAt(1), 0), (TreeCell{2, 2}));
  EXPECT_EQ(layout.RowCount(), 3);
  EXPECT_EQ(layout.ColumnCount(), 5);
  EXPECT_EQ(layout.NodeAt({1, 4}), bb.ChildAt(1)->NodeAt(1));
  EXPECT_EQ(layout.NodeAt({1, 2}), nullptr);
}

TEST(TreeLayout, CorpusRecordsFollowTheRules) {
  VANTARO_REQUIRE_SHARED();
  std::vector<std::filesystem::path> files = test::CorpusFiles("sgf", {".sgf"});
  const auto large = test::CorpusFiles("large", {".sgf"});
  files.insert(files.end(), large.begin(), large.end());
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    auto record = ReadSgfText(test::ReadFileBytes(file));
    EnsureNodes(*record.root);
    TreeLayout layout;
    layout.Build(record.root.get());
    ExpectLaidOutAsTheRulesSay(layout);
  }
}

TEST(TreeLayout, GeneratedRecordsFollowTheRules) {
  std::mt19937 random(16);
  for (int round = 0; round < 40; ++round) {
    auto record = ReadSgfText("(;GM[1]" + RandomSgf(random) + ")");
    TreeLayout layout;
    layout.Build(record.root.get());
    ExpectLaidOutAsTheRulesSay(layout);
    if (HasFailure()) return;
  }
}

// Painting asks for the lines in an area; every node and every piece of a
// joining line there must come with them, also under a node with so many
// variations that they are looked up by row.
TEST(TreeLayout, TheLinesOfAnAreaHoldEverythingDrawnThere) {
  std::mt19937 random(7);
  std::string sgf = "(;GM[1];B[aa]";
  for (int i = 0; i < 200; ++i) sgf += "(" + RandomSgf(random, 3) + ")";
  auto record = ReadSgfText(sgf + ")");
  TreeLayout layout;
  layout.Build(record.root.get());
  const Cells cells = CellsOf(layout);
  for (int round = 0; round < 200; ++round) {
    const int top = std::uniform_int_distribution(0, layout.RowCount())(random);
    const int left = std::uniform_int_distribution(0, layout.ColumnCount())(random);
    const CellArea area{top, left, top + std::uniform_int_distribution(0, 8)(random),
                        left + std::uniform_int_distribution(0, 8)(random)};
    std::set<int> lines;
    std::set<std::pair<int, int>> stems;  // cells a visited stem runs through
    layout.ForEachLine(area, [&](const LineSpan& line) {
      lines.insert(line.id);
      if (line.parent < 0) return;
      for (int row = line.stemRow + 1; row <= line.row; ++row) stems.insert({row, line.column - 1});
    });
    for (const auto& [node, cell] : cells) {
      if (!area.Contains(cell)) continue;
      const auto line = layout.LineOf(*node->tree(), node->IndexInTree());
      ASSERT_TRUE(lines.contains(line->id)) << "a node of the area without its line";
    }
    ForEachShownTree(*record.root, layout, [&](const GameTree& tree, int) {
      if (tree.parent() == nullptr || tree.parent()->ChildAt(0) == &tree) return;
      const auto line = layout.LineOf(tree, 0);
      for (int row = line->stemRow + 1; row <= line->row; ++row) {
        if (area.Contains({row, line->column - 1})) {
          ASSERT_TRUE(stems.contains({row, line->column - 1})) << "a stem missing in the area";
        }
      }
    });
  }
}

TEST(TreeLayout, FoldingHidesTheSubtreeInOneCell) {
  auto record = ReadSgfText("(;GM[1];B[aa](;W[bb];B[cc](;W[dd])(;W[ee]))(;W[ff];B[gg]))");
  TreeLayout layout;
  layout.Build(record.root.get());
  const GameTree& root = *record.root;
  const Node& branching = *root.NodeAt(1);
  EXPECT_FALSE(layout.Fold(*root.NodeAt(0))) << "a node without variations";
  ASSERT_TRUE(layout.Fold(branching));
  EXPECT_FALSE(layout.Fold(branching));
  EXPECT_EQ(layout.HiddenCount(branching), 6);
  EXPECT_EQ(layout.CellOf(*root.ChildAt(1), 0), std::nullopt);
  EXPECT_EQ(layout.RowCount(), 1);
  EXPECT_EQ(layout.ColumnCount(), 2);
  ExpectLaidOutAsTheRulesSay(layout);

  // A fold inside a fold stays when the outer one opens.
  ASSERT_TRUE(layout.Unfold(branching));
  const Node& inner = *root.ChildAt(0)->NodeAt(1);
  ASSERT_TRUE(layout.Fold(inner));
  ASSERT_TRUE(layout.Fold(branching));
  EXPECT_TRUE(layout.Reveal(*root.ChildAt(0)->ChildAt(1)->NodeAt(0)));
  EXPECT_FALSE(layout.IsFolded(branching));
  EXPECT_FALSE(layout.IsFolded(inner)) << "reaching a node opens every fold above it";
  ASSERT_TRUE(layout.Fold(inner));
  ASSERT_TRUE(layout.Fold(branching));
  EXPECT_TRUE(layout.Unfold(branching));
  EXPECT_TRUE(layout.IsFolded(inner));
  ExpectSameAsFresh(layout);
  EXPECT_TRUE(layout.UnfoldAll());
  EXPECT_FALSE(layout.HasFolds());
  ExpectSameAsFresh(layout);
}

// Changes of the record as the editor's actions make them, each reported
// as TreeChanged, against a fresh layout after every one.
class RandomChanges {
 public:
  // Wide: a first node with two hundred variations, as a collection of games
  // under one root holds them.
  RandomChanges(unsigned seed, bool wide) : random_(seed), wide_(wide) {
    std::string sgf = "(;GM[1]";
    if (wide) {
      for (int i = 0; i < 200; ++i) sgf += "(" + RandomSgf(random_, 3) + ")";
    } else {
      sgf += RandomSgf(random_);
    }
    record_ = ReadSgfText(sgf + ")").root;
    layout_.Build(record_.get());
  }

  void Step() {
    std::vector<GameTree*> trees;
    ForEachTree(*record_, [&](GameTree& tree) { trees.push_back(&tree); });
    // Under a wide first node, that node's own variations change often.
    GameTree& tree = wide_ && Pick(3) == 0 ? *record_ : *trees[Pick(trees.size())];
    switch (Pick(8)) {
      case 0:  // a node in a sequence
        tree.InsertNode(std::make_unique<Node>(), static_cast<int>(Pick(tree.NodeCount() + 1)));
        break;
      case 1:  // a node out of a sequence that keeps one
        if (tree.NodeCount() < 2) return;
        heldNodes_.push_back(tree.DetachNode(static_cast<int>(Pick(tree.NodeCount()))));
        break;
      case 2: {  // a variation, anywhere among the children
        auto branch = ReadSgfText("(;GM[1]" + RandomSgf(random_, 4) + ")").root;
        tree.InsertChild(std::move(branch), static_cast<int>(Pick(tree.ChildCount() + 1)));
        break;
      }
      case 3: {  // a sequence split for a new variation
        if (tree.NodeCount() < 2) return;
        auto tail = std::make_unique<GameTree>();
        tail->MoveTailFrom(tree, 1 + static_cast<int>(Pick(tree.NodeCount() - 1)));
        tree.InsertChild(std::move(tail));
        tree.InsertChild(ReadSgfText("(;GM[1];B[aa])").root);
        break;
      }
      case 4:  // a variation taken out, the first one too
        if (tree.ChildCount() == 0) return;
        held_.push_back(tree.DetachChild(static_cast<int>(Pick(tree.ChildCount()))));
        break;
      case 5: {  // an only child merged into its parent
        if (tree.ChildCount() != 1) return;
        auto child = tree.DetachChild(0);
        tree.MoveTailFrom(*child, 0);
        held_.push_back(std::move(child));
        break;
      }
      case 6:
        if (tree.NodeCount() > 0 && TreeLayout::HasVariations(*tree.nodes().back())) {
          layout_.IsFolded(*tree.nodes().back()) ? layout_.Unfold(*tree.nodes().back())
                                                 : layout_.Fold(*tree.nodes().back());
        }
        return;
      default:
        layout_.Reveal(*trees[Pick(trees.size())]->NodeAt(0));
        return;
    }
    layout_.TreeChanged(tree);
  }

  TreeLayout& layout() { return layout_; }

 private:
  size_t Pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random_); }
  size_t Pick(int count) { return Pick(static_cast<size_t>(count)); }

  std::mt19937 random_;
  bool wide_;
  std::unique_ptr<GameTree> record_;
  // Pieces taken out stay alive, as an action holds them.
  std::vector<std::unique_ptr<GameTree>> held_;
  std::vector<std::unique_ptr<Node>> heldNodes_;
  TreeLayout layout_;
};

TEST(TreeLayout, ChangesInPlaceMatchAFreshLayout) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    const bool wide = seed % 6 == 3;
    RandomChanges changes(seed, wide);
    for (int step = 0; step < (wide ? 60 : 100); ++step) {
      changes.Step();
      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
      ExpectSameAsFresh(changes.layout());
      ExpectTreeRules(changes.layout(), CellsOf(changes.layout()));
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace vantaro
