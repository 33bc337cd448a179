#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "game/game_tree.h"
#include "game/line_starts.h"

namespace vantaro {

// A cell of the tree picture: the row of a node's line and the node's depth.
struct TreeCell {
  int row = 0;
  int column = 0;
  bool operator==(const TreeCell&) const = default;
};

// Cells from (top, left) to (bottom, right), both ends included.
struct CellArea {
  int top = 0;
  int left = 0;
  int bottom = -1;
  int right = -1;
  bool Contains(TreeCell cell) const {
    return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
  }
};

// A line of the picture: the nodes of a tree and of its first children after
// it, on one row. A line other than the record's first continues the node in
// the column before its own, from that node's row (the stem).
struct LineSpan {
  int id = 0;       // stable while the line exists
  int parent = -1;  // the line it branches from; -1 for the first line
  const GameTree* first = nullptr;
  int row = 0;
  int column = 0;   // of its first node
  int length = 0;   // nodes shown; a folded node ends its line
  int stemRow = 0;  // row of the node it branches from (its own row for the first line)
};

// A node of a line, stepping along the line.
struct LineCursor {
  const GameTree* tree = nullptr;  // null past the line's last tree
  int index = 0;
  const Node* node() const { return tree != nullptr ? tree->NodeAt(index) : nullptr; }
  void Next();
};

// Where every node of a record is drawn: a node's column is its depth, its
// first child stays on its row, and every later child starts a line placed,
// in record order, directly below everything already drawn (nodes and the
// lines joining them) in the columns from its parent's to its last node.
// No two nodes share a cell and no joining line crosses a node.
//
// A node with variations can be folded: its subtree is then hidden and the
// node ends its line. Folds belong to the picture, never to the record.
//
// Edits are followed in place: TreeChanged lays out again only the line that
// holds the changed tree (and the lines that begin or end with the change),
// and the next question about geometry places anew only the lines whose
// place can have changed. The record must outlive the layout, or Build must
// be given another record first; a tree taken out of the record must be
// reported (through TreeChanged of its former parent) while it still exists.
class TreeLayout {
 public:
  TreeLayout();
  ~TreeLayout();
  TreeLayout(const TreeLayout&) = delete;
  TreeLayout& operator=(const TreeLayout&) = delete;

  // Lays a record out afresh (null: nothing). Folds whose node is not in the
  // new record, or has no variations there, are dropped.
  void Build(const GameTree* root);
  // Forgets the record and every fold without looking at them (the record
  // may be gone).
  void Clear();
  const GameTree* root() const { return root_; }

  // The nodes or the children of the tree, which belongs to the record, have
  // changed. Under a fold only the fold's count of hidden nodes changes.
  // Folds whose node has left the record or lost its variations are dropped.
  void TreeChanged(const GameTree& tree);

  // --- Folding ---
  // The last node of a tree with two or more children.
  static bool HasVariations(const Node& node);
  bool IsFolded(const Node& node) const { return folds_.contains(&node); }
  bool HasFolds() const { return !folds_.empty(); }
  // False when the node has no variations or is folded already.
  bool Fold(const Node& node);
  // False when the node is not folded.
  bool Unfold(const Node& node);
  // False when there was no fold.
  bool UnfoldAll();
  // Unfolds every fold that hides the node; false when none did.
  bool Reveal(const Node& node);
  // The nodes a fold hides (its node's descendants); 0 when it is not folded.
  int HiddenCount(const Node& node) const;
  std::vector<const Node*> FoldedNodes() const;

  // --- Geometry; each question first places what has changed ---
  int RowCount();
  int ColumnCount();
  // Null when the node is hidden by a fold or not in the record.
  std::optional<TreeCell> CellOf(const GameTree& tree, int index);
  // The row of the line beginning with the tree; null when no line does.
  std::optional<int> RowOfLine(const GameTree& first);
  // Every line whose nodes or stem lie in the area, parents before children.
  void ForEachLine(const CellArea& area, const std::function<void(const LineSpan&)>& visit);
  // The line with the id and its place; null when there is none.
  std::optional<LineSpan> Line(int id);
  // The line holding the node, or null when it is hidden.
  std::optional<LineSpan> LineOf(const GameTree& tree, int index);
  // The node drawn in the cell; null when there is none.
  const Node* NodeAt(TreeCell cell);
  // The node of a line at a column of it.
  static LineCursor NodeOfLine(const LineSpan& line, int column);

 private:
  struct Block;
  struct LineData;
  struct Holder {
    int line = -1;
    int offset = 0;  // of the tree's first node in the line
  };

  int NewLine(const GameTree& first);
  // Walks the line's trees again: its length, its children and what they
  // start at; lines the change ends go to orphans, new ones to fresh.
  void Relink(int id, std::vector<int>& fresh, std::vector<std::pair<int, int>>& orphans);
  int WalkLine(int id, std::vector<std::pair<int, int>>& orphans);
  std::vector<int> BranchesOfLine(int id, std::vector<int>& fresh);
  bool KeepCheckpoints(Block& block, const std::vector<int>& before,
                       const std::vector<int>& offsetsBefore, const std::vector<int>& after);
  // Relinks the line and the new lines under it, then frees what no line holds.
  void Reshape(int id);
  void Release(int id, int expectedParent);
  void MarkDirty(int id);
  std::optional<Holder> HolderOf(const GameTree& tree);
  const LineStarts& Starts();
  bool IsInRecord(const Node& node) const;
  bool EndsInFold(const GameTree& tree) const;
  void RecountFoldsAbove(const GameTree& tree);
  void DropInvalidFolds();
  int AbsoluteRow(int id) const;
  int AbsoluteColumn(int id) const;
  LineSpan SpanOf(int id) const;

  // Placement (tree_placement.cpp).
  friend class TreePlacer;
  void Place();
  void IndexByRow(Block& block) const;
  // The lines branching from a line that lie in the area, to visit next.
  void AddChildrenIn(const LineSpan& span, const CellArea& area,
                     std::vector<LineSpan>& pending) const;

  const GameTree* root_ = nullptr;
  std::vector<LineData> lines_;
  std::vector<int> freeLines_;
  LineStarts starts_;  // the first tree of every line, once startsIndexed_
  bool startsIndexed_ = true;
  std::unordered_map<const Node*, int> folds_;  // folded node -> nodes hidden
  int firstLine_ = -1;
  bool building_ = false;  // laying the whole record out afresh
  struct Link {
    const GameTree* tree;
    int start;  // of its first node in the line
  };
  std::vector<Link> links_;  // the line being walked
};

}  // namespace vantaro
