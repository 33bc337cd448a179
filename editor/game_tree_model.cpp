#include "editor/game_tree_model.h"

#include <algorithm>

#include "editor/go_editor.h"

namespace vantaro {
namespace {

TreePath PathOfNode(const Node& node) {
  return node.tree()->PathOf(node.IndexInTree());
}

// The cells a line of the path takes: its stem and its nodes up to where
// the path leaves it.
void AddStepAreas(const LineSpan& line, int lastColumn, std::vector<CellArea>& areas) {
  if (line.parent >= 0) areas.push_back({line.stemRow, line.column - 1, line.row, line.column - 1});
  areas.push_back({line.row, line.column - 1, line.row, lastColumn});
}

}  // namespace

void GameTreeModel::SetEditor(GoEditor* editor) {
  const bool another = editor != this->editor();
  UpdateSink::SetEditor(editor);
  // A fold belongs to its record, which may be gone with its editor.
  if (another) {
    layout_.Clear();
    keptFolds_.clear();
  }
  Rebuild();
}

void GameTreeModel::SetActive(bool active) {
  if (active == active_) return;
  if (!active) {
    keptFolds_.clear();
    for (const Node* node : layout_.FoldedNodes()) keptFolds_.push_back(PathOfNode(*node));
    layout_.Clear();
  }
  active_ = active;
  if (active_) Rebuild();
}

// Lays the editor's record out afresh; the folds kept by path come back
// where their path still leads to a node with variations.
void GameTreeModel::Rebuild() {
  pathStale_ = true;
  GameTree* root = editor() != nullptr ? editor()->recordRoot() : nullptr;
  if (!active_) return;
  if (layout_.root() != nullptr && layout_.root() != root) {
    for (const Node* node : layout_.FoldedNodes()) keptFolds_.push_back(PathOfNode(*node));
  }
  layout_.Build(root);
  if (root != nullptr) {
    for (const TreePath& path : keptFolds_) {
      if (const auto position = GameTree::Resolve(*root, path)) {
        layout_.Fold(*position->node());
      }
    }
    if (const Node* current = CurrentNode()) layout_.Reveal(*current);
  }
  keptFolds_.clear();
  LayoutChanged();
}

const Node* GameTreeModel::CurrentNode() const {
  return editor() != nullptr ? editor()->CurrentNode() : nullptr;
}

void GameTreeModel::LayoutChanged() {
  pathStale_ = true;
  TreeDamage damage;
  damage.layout = true;
  damage.currentMoved = true;
  Changed(damage);
}

void GameTreeModel::StructureChanged(const GameTree& tree) {
  if (!active_ || layout_.root() == nullptr) return;
  layout_.TreeChanged(tree);
  LayoutChanged();
}

void GameTreeModel::OnTreeAdded(GameTree* tree) {
  if (tree->parent() == nullptr) {
    // A record installed: the one before is gone, and its folds with it.
    layout_.Clear();
    keptFolds_.clear();
    Rebuild();
  } else {
    StructureChanged(*tree->parent());
  }
}

void GameTreeModel::OnTreeRemoved(GameTree* parent, int) {
  StructureChanged(*parent);
}

void GameTreeModel::OnTreeChanged(GameTree* tree) {
  if (editor() != nullptr && tree == editor()->recordRoot() && tree != layout_.root()) {
    Rebuild();  // the whole record replaced
  } else {
    StructureChanged(*tree);
  }
}

void GameTreeModel::OnNodeAdded(Node* node) {
  StructureChanged(*node->tree());
}

void GameTreeModel::OnNodeRemoved(GameTree* tree, int) {
  StructureChanged(*tree);
}

void GameTreeModel::OnNodeChanged(Node* node) {
  if (!active_ || node->tree() == nullptr) return;
  TreeDamage damage;
  damage.numbersMayChange = true;
  if (const auto cell = layout_.CellOf(*node->tree(), node->IndexInTree())) {
    damage.areas.push_back({cell->row, cell->column, cell->row, cell->column});
  }
  Changed(damage);
}

void GameTreeModel::OnCurrentNodeChanged(int, Node* current, Node*) {
  if (!active_ || current == nullptr || current->tree() == nullptr || layout_.root() == nullptr) {
    return;
  }
  TreeDamage damage;
  damage.currentMoved = true;
  // Going into a folded subtree opens what hides the node.
  damage.layout = layout_.Reveal(*current) || pathStale_;
  std::vector<PathStep> after = PathTo(*current->tree(), current->IndexInTree());
  if (!damage.layout) damage.areas = PathDifference(path_, after);
  path_ = std::move(after);
  pathStale_ = false;
  Changed(damage);
}

std::optional<TreeCell> GameTreeModel::CurrentCell() {
  if (editor() == nullptr || editor()->cursorTree() == nullptr) return std::nullopt;
  return layout_.CellOf(*editor()->cursorTree(), editor()->cursorIndex());
}

const std::vector<PathStep>& GameTreeModel::Path() {
  if (pathStale_) {
    path_.clear();
    if (editor() != nullptr && editor()->cursorTree() != nullptr) {
      path_ = PathTo(*editor()->cursorTree(), editor()->cursorIndex());
    }
    pathStale_ = false;
  }
  return path_;
}

std::vector<PathStep> GameTreeModel::PathTo(const GameTree& tree, int index) {
  std::vector<PathStep> steps;
  std::optional<LineSpan> line = layout_.LineOf(tree, index);
  const std::optional<TreeCell> cell = layout_.CellOf(tree, index);
  if (!line || !cell) return steps;
  steps.push_back({line->id, cell->column});
  while (line->parent >= 0) {
    const int branch = line->column - 1;
    line = layout_.Line(line->parent);
    steps.push_back({line->id, branch});
  }
  std::reverse(steps.begin(), steps.end());
  return steps;
}

std::vector<CellArea> GameTreeModel::PathDifference(const std::vector<PathStep>& before,
                                                    const std::vector<PathStep>& after) {
  std::vector<CellArea> areas;
  const size_t common = std::min(before.size(), after.size());
  size_t level = 0;
  while (level < common && before[level] == after[level]) ++level;
  if (level < common && before[level].line == after[level].line) {
    // Along the same line: only the stretch between the two ends.
    if (const auto line = layout_.Line(after[level].line)) {
      areas.push_back({line->row, std::min(before[level].lastColumn, after[level].lastColumn),
                       line->row, std::max(before[level].lastColumn, after[level].lastColumn)});
    }
    ++level;
  }
  for (const auto* steps : {&before, &after}) {
    for (size_t i = level; i < steps->size(); ++i) {
      if (const auto line = layout_.Line((*steps)[i].line)) {
        AddStepAreas(*line, (*steps)[i].lastColumn, areas);
      }
    }
  }
  return areas;
}

bool GameTreeModel::CanFold(const Node& node) const {
  return active_ && TreeLayout::HasVariations(node) && !layout_.IsFolded(node);
}

bool GameTreeModel::Fold(const Node& node) {
  if (!CanFold(node) || !layout_.Fold(node)) return false;
  LayoutChanged();
  return true;
}

bool GameTreeModel::Unfold(const Node& node) {
  if (!active_ || !layout_.Unfold(node)) return false;
  LayoutChanged();
  return true;
}

bool GameTreeModel::CanFoldHere() const {
  const Node* current = CurrentNode();
  return current != nullptr && CanFold(*current);
}

bool GameTreeModel::FoldHere() {
  const Node* current = CurrentNode();
  return current != nullptr && Fold(*current);
}

bool GameTreeModel::CanUnfoldHere() const {
  const Node* current = CurrentNode();
  return active_ && current != nullptr && layout_.IsFolded(*current);
}

bool GameTreeModel::UnfoldHere() {
  const Node* current = CurrentNode();
  return current != nullptr && Unfold(*current);
}

bool GameTreeModel::UnfoldAll() {
  if (!CanUnfoldAll() || !layout_.UnfoldAll()) return false;
  LayoutChanged();
  return true;
}

bool GameTreeModel::GoToCell(TreeCell cell) {
  if (editor() == nullptr || !editor()->Navigable()) return false;
  const Node* node = layout_.NodeAt(cell);
  if (node == nullptr) return false;
  if (node == CurrentNode()) return true;
  // The record is the editor's to change; the layout only looks at it.
  return editor()->GoToNode(const_cast<Node*>(node));
}

void GameTreeModel::ForEachCell(const std::function<void(const CellRecord&)>& visit) {
  const GameTree* root = layout_.root();
  if (root == nullptr) return;
  struct Pending {
    const GameTree* tree;
    int row;
    int column;
    size_t level;  // child indices on its path
    int child;     // its own, when level > 0
  };
  std::vector<Pending> pending{{root, 0, 0, 0, 0}};
  TreePath path;
  while (!pending.empty()) {
    const Pending each = pending.back();
    pending.pop_back();
    path.children.resize(each.level > 0 ? each.level - 1 : 0);
    if (each.level > 0) path.children.push_back(each.child);
    const GameTree& tree = *each.tree;
    bool folded = false;
    for (int i = 0; i < tree.NodeCount(); ++i) {
      path.node = i;
      const Node& node = *tree.NodeAt(i);
      folded = layout_.IsFolded(node);
      visit({&tree, i, path, {each.row, each.column + i}, folded ? layout_.HiddenCount(node) : -1});
    }
    if (folded) continue;
    for (int k = tree.ChildCount() - 1; k >= 0; --k) {
      const GameTree& child = *tree.ChildAt(k);
      const int row = k == 0 ? each.row : layout_.RowOfLine(child).value_or(each.row);
      pending.push_back({&child, row, each.column + tree.NodeCount(), path.children.size() + 1, k});
    }
  }
}

}  // namespace vantaro
