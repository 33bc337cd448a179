#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "editor/update_sink.h"
#include "game/tree_layout.h"

namespace vantaro {

// A line of the path from the record's first node to the current node, and
// the column where the path leaves it (the current node's, on the last).
struct PathStep {
  int line = 0;
  int lastColumn = 0;
  bool operator==(const PathStep&) const = default;
};

// What changed in the picture of the tree.
struct TreeDamage {
  bool layout = false;            // cells moved: everything may look different
  std::vector<CellArea> areas;    // else only these cells
  bool currentMoved = false;      // the current node is another, or elsewhere
  bool numbersMayChange = false;  // a node's properties changed
};

// One cell of the picture in record order, for printing it.
struct CellRecord {
  const GameTree* tree;
  int index;
  const TreePath& path;
  TreeCell cell;
  int hidden;  // the nodes a fold hides; -1 when the node is not folded
};

// The game tree pane without its window: the layout of the editor's record,
// the folds, the current node and the path to it, and what each change of
// the record or the cursor changes in the picture. It follows its editor
// through the change notifications; the pane draws it and vantaro-cli
// prints it. While inactive (the pane hidden) it lays nothing out and keeps
// its folds by path.
class GameTreeModel : public UpdateSink {
 public:
  GameTreeModel() = default;

  void SetEditor(GoEditor* editor) override;
  void OnCurrentNodeChanged(int reason, Node* current, Node* previous) override;
  void OnTreeAdded(GameTree* tree) override;
  void OnTreeRemoved(GameTree* parent, int index) override;
  void OnTreeChanged(GameTree* tree) override;
  void OnNodeAdded(Node* node) override;
  void OnNodeRemoved(GameTree* tree, int index) override;
  void OnNodeChanged(Node* node) override;

  bool active() const { return active_; }
  void SetActive(bool active);

  TreeLayout& treeLayout() { return layout_; }
  // Null while there is no record.
  const Node* CurrentNode() const;
  std::optional<TreeCell> CurrentCell();
  // From the first line to the current node's.
  const std::vector<PathStep>& Path();

  // Folding (each refuses while inactive, and a fold where the node has no
  // variations, or is folded already).
  bool CanFold(const Node& node) const;
  bool Fold(const Node& node);
  bool Unfold(const Node& node);
  bool CanFoldHere() const;
  bool FoldHere();
  bool CanUnfoldHere() const;
  bool UnfoldHere();
  bool CanUnfoldAll() const { return active_ && layout_.HasFolds(); }
  bool UnfoldAll();

  // Goes to the node drawn in the cell, as one entry of the back and forward
  // history; false when no node is drawn there or navigation is not allowed.
  bool GoToCell(TreeCell cell);

  // Every cell of the picture in record order (a tree's nodes, then its
  // children in order); a folded node's subtree is its one cell.
  void ForEachCell(const std::function<void(const CellRecord&)>& visit);

 protected:
  // After each change of the picture; the pane repaints what it says.
  virtual void Changed(const TreeDamage&) {}

 private:
  void Rebuild();
  void StructureChanged(const GameTree& tree);
  void LayoutChanged();
  std::vector<PathStep> PathTo(const GameTree& tree, int index);
  std::vector<CellArea> PathDifference(const std::vector<PathStep>& before,
                                       const std::vector<PathStep>& after);

  TreeLayout layout_;
  bool active_ = true;
  std::vector<PathStep> path_;
  bool pathStale_ = true;
  std::vector<TreePath> keptFolds_;  // while inactive, or while the record is replaced
};

}  // namespace vantaro
