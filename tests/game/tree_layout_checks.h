#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "game/tree_layout.h"

namespace vantaro::test {

using TreeCells = std::map<const Node*, TreeCell>;

// Visits every tree of the record that a fold leaves shown, parents first,
// with the depth of its first node.
template <typename Visit>
void ForEachShownTree(const GameTree& root, const TreeLayout& layout, Visit visit) {
  std::vector<std::pair<const GameTree*, int>> pending{{&root, 0}};
  while (!pending.empty()) {
    const auto [tree, depth] = pending.back();
    pending.pop_back();
    visit(*tree, depth);
    if (tree->NodeCount() > 0 && layout.IsFolded(*tree->nodes().back())) continue;
    for (int k = tree->ChildCount() - 1; k >= 0; --k) {
      pending.emplace_back(tree->ChildAt(k), depth + tree->NodeCount());
    }
  }
}

// The cell of every shown node, as the layout answers for each.
inline TreeCells CellsOf(TreeLayout& layout) {
  TreeCells cells;
  ForEachShownTree(*layout.root(), layout, [&](const GameTree& tree, int) {
    for (int i = 0; i < tree.NodeCount(); ++i) {
      const auto cell = layout.CellOf(tree, i);
      EXPECT_TRUE(cell.has_value()) << "a shown node without a cell";
      if (cell) cells[tree.NodeAt(i)] = *cell;
    }
  });
  return cells;
}

// Every line as painting sees it: where it starts, its length and its stem.
inline std::vector<std::tuple<const GameTree*, int, int, int, int>> LinesOf(TreeLayout& layout) {
  std::vector<std::tuple<const GameTree*, int, int, int, int>> lines;
  layout.ForEachLine({0, 0, layout.RowCount(), layout.ColumnCount()}, [&](const LineSpan& line) {
    lines.emplace_back(line.first, line.row, line.column, line.length, line.stemRow);
  });
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The layout, kept up to date in place, against one made afresh for the
// same record and folds.
inline void ExpectSameAsFresh(TreeLayout& layout) {
  TreeLayout fresh;
  fresh.Build(layout.root());
  for (const Node* node : layout.FoldedNodes()) ASSERT_TRUE(fresh.Fold(*node));
  ASSERT_EQ(CellsOf(layout), CellsOf(fresh));
  EXPECT_EQ(LinesOf(layout), LinesOf(fresh));
  EXPECT_EQ(layout.RowCount(), fresh.RowCount());
  EXPECT_EQ(layout.ColumnCount(), fresh.ColumnCount());
  for (const Node* node : layout.FoldedNodes()) {
    EXPECT_EQ(layout.HiddenCount(*node), fresh.HiddenCount(*node));
  }
}

}  // namespace vantaro::test
