#include "game/tree_layout.h"

#include <algorithm>

#include "game/tree_layout_internal.h"

namespace vantaro {
namespace {

// A line's parent mark while its parent is being walked again: a line still
// holding it afterwards is no longer branching from there.
constexpr int kUnlinked = -2;

int CountHidden(const Node& node) {
  int count = 0;
  for (const auto& child : node.tree()->children()) {
    count += static_cast<int>(CountRecord(*child).nodes);
  }
  return count;
}

}  // namespace

TreeLayout::TreeLayout() = default;
TreeLayout::~TreeLayout() = default;

bool TreeLayout::HasVariations(const Node& node) {
  const GameTree* tree = node.tree();
  return tree != nullptr && tree->NodeCount() > 0 && tree->nodes().back().get() == &node &&
         tree->ChildCount() >= 2;
}

void TreeLayout::Clear() {
  folds_.clear();
  lines_.clear();
  freeLines_.clear();
  starts_.Clear();
  startsIndexed_ = true;
  firstLine_ = -1;
  root_ = nullptr;
}

void TreeLayout::Build(const GameTree* root) {
  lines_.clear();
  freeLines_.clear();
  starts_.Clear();
  firstLine_ = -1;
  root_ = root;
  DropInvalidFolds();
  for (auto& [node, count] : folds_) count = CountHidden(*node);
  if (root_ == nullptr) return;
  startsIndexed_ = false;
  firstLine_ = NewLine(*root_);
  // Nothing is laid out yet: no tree needs looking up.
  building_ = true;
  Reshape(firstLine_);
  building_ = false;
}

int TreeLayout::NewLine(const GameTree& first) {
  int id;
  if (!freeLines_.empty()) {
    id = freeLines_.back();
    freeLines_.pop_back();
  } else {
    id = static_cast<int>(lines_.size());
    lines_.emplace_back();
  }
  LineData& line = lines_[static_cast<size_t>(id)];
  line = LineData{};
  line.first = &first;
  if (startsIndexed_) starts_.Set(&first, id);
  return id;
}

bool TreeLayout::EndsInFold(const GameTree& tree) const {
  return !folds_.empty() && tree.NodeCount() > 0 && folds_.contains(tree.nodes().back().get());
}

void TreeLayout::Relink(int id, std::vector<int>& fresh,
                        std::vector<std::pair<int, int>>& orphans) {
  std::vector<int> before;
  if (lines_[static_cast<size_t>(id)].block) {
    before = std::move(lines_[static_cast<size_t>(id)].block->children);
  }
  std::vector<int> offsetsBefore;
  for (const int child : before) {
    offsetsBefore.push_back(lines_[static_cast<size_t>(child)].offset);
    lines_[static_cast<size_t>(child)].parent = kUnlinked;
  }
  const int length = WalkLine(id, orphans);
  std::vector<int> children = BranchesOfLine(id, fresh);
  for (const int child : before) {
    if (lines_[static_cast<size_t>(child)].parent == kUnlinked) {
      orphans.emplace_back(child, kUnlinked);
    }
  }

  bool sameChildren = children == before;
  for (size_t i = 0; sameChildren && i < children.size(); ++i) {
    sameChildren = lines_[static_cast<size_t>(children[i])].offset == offsetsBefore[i];
  }
  LineData& line = lines_[static_cast<size_t>(id)];
  if (!sameChildren) {
    if (line.length != length || !line.block || !line.block->many ||
        !KeepCheckpoints(*line.block, before, offsetsBefore, children)) {
      line.relinked = true;
    }
  } else if (line.length != length && line.block && line.block->many) {
    // Only the line's own length changed: its children are placed again
    // from the first, where the checkpoints can tell when nothing else moved.
    line.block->many->firstDirty = 0;
  }
  line.length = length;
  if (children.empty()) {
    line.block.reset();
  } else {
    if (!line.block) line.block = std::make_unique<Block>();
    line.block->children = std::move(children);
  }
  MarkDirty(id);
}

// The trees of a line, from its first along first children to a tree
// without children or ending in a fold, into links_; its length.
int TreeLayout::WalkLine(int id, std::vector<std::pair<int, int>>& orphans) {
  links_.clear();
  const GameTree* first = lines_[static_cast<size_t>(id)].first;
  int start = 0;
  for (const GameTree* tree = first;; tree = tree->ChildAt(0)) {
    if (tree != first && !building_) {
      // A tree that started a line now continues this one.
      if (const std::optional<int> found = Starts().Find(tree)) {
        orphans.emplace_back(*found, lines_[static_cast<size_t>(*found)].parent);
        starts_.Erase(tree, *found);
      }
    }
    links_.push_back({tree, start});
    start += tree->NodeCount();
    if (tree->ChildCount() == 0 || EndsInFold(*tree)) return start;
  }
}

// The lines branching from the trees in links_, in record order (the
// variations of a deeper tree first), each told where it branches; lines
// that did not exist go to fresh.
std::vector<int> TreeLayout::BranchesOfLine(int id, std::vector<int>& fresh) {
  std::vector<int> children;
  for (auto link = links_.rbegin(); link != links_.rend(); ++link) {
    const GameTree& tree = *link->tree;
    if (EndsInFold(tree)) continue;
    for (int k = 1; k < tree.ChildCount(); ++k) {
      const GameTree* branch = tree.ChildAt(k);
      std::optional<int> child = building_ ? std::nullopt : Starts().Find(branch);
      if (!child) {
        child = NewLine(*branch);
        fresh.push_back(*child);
      }
      LineData& data = lines_[static_cast<size_t>(*child)];
      data.parent = id;
      data.offset = link->start + tree.NodeCount();
      data.slot = static_cast<int>(children.size());
      children.push_back(*child);
    }
  }
  return children;
}

// The children changed in one stretch, the ones before and after it alike:
// the checkpoints before the stretch still hold, and those after it still
// tell whether placing the later children again can stop.
bool TreeLayout::KeepCheckpoints(Block& block, const std::vector<int>& before,
                                 const std::vector<int>& offsetsBefore,
                                 const std::vector<int>& after) {
  Block::ManyBranches& many = *block.many;
  const auto same = [&](size_t old, size_t now) {
    return before[old] == after[now] &&
           offsetsBefore[old] == lines_[static_cast<size_t>(after[now])].offset;
  };
  const size_t common = std::min(before.size(), after.size());
  size_t head = 0;
  while (head < common && same(head, head)) ++head;
  size_t tail = 0;
  while (tail < common - head && same(before.size() - 1 - tail, after.size() - 1 - tail)) ++tail;
  const size_t tailFrom = before.size() - tail;
  const auto moved = static_cast<long>(after.size()) - static_cast<long>(before.size());
  // A checkpoint before the stretch still holds; one after it is the old
  // state before the same later children, now at another index, and only
  // tells where placing them again can stop: it must not fall where placing
  // could start.
  std::vector<Block::ManyBranches::Checkpoint> kept;
  for (auto& checkpoint : many.checkpoints) {
    if (checkpoint.index > head) {
      if (checkpoint.index < tailFrom) continue;
      checkpoint.index = static_cast<size_t>(static_cast<long>(checkpoint.index) + moved);
      if (checkpoint.index <= head) continue;
    }
    kept.push_back(std::move(checkpoint));
  }
  many.checkpoints = std::move(kept);
  many.indexStale = true;
  // Children marked for placing before the change keep their marks where they are now.
  const auto now = [&](int slot, int middle) {
    if (static_cast<size_t>(slot) < head) return slot;
    if (static_cast<size_t>(slot) >= tailFrom) return static_cast<int>(slot + moved);
    return middle;
  };
  // A child taken out changes what the child at its place sees: that one
  // counts as changed too, so that the state before it (the one of the
  // checkpoint kept there) is never taken for the state after the change.
  const int firstChanged = static_cast<int>(head);
  const int lastChanged = std::max(static_cast<int>(after.size() - tail) - 1, firstChanged);
  many.firstDirty = std::min(
      many.firstDirty == INT_MAX ? INT_MAX : now(many.firstDirty, firstChanged), firstChanged);
  many.lastDirty =
      std::max(many.lastDirty < 0 ? -1 : now(many.lastDirty, lastChanged), lastChanged);
  return true;
}

void TreeLayout::Reshape(int id) {
  std::vector<int> pending{id};
  std::vector<std::pair<int, int>> orphans;
  while (!pending.empty()) {
    const int next = pending.back();
    pending.pop_back();
    Relink(next, pending, orphans);
  }
  // Only now: a line the change ended may have handed its branches on.
  for (const auto& [orphan, parent] : orphans) Release(orphan, parent);
}

void TreeLayout::Release(int id, int expectedParent) {
  if (lines_[static_cast<size_t>(id)].first == nullptr ||
      lines_[static_cast<size_t>(id)].parent != expectedParent) {
    return;
  }
  std::vector<int> pending{id};
  while (!pending.empty()) {
    const int next = pending.back();
    pending.pop_back();
    LineData& line = lines_[static_cast<size_t>(next)];
    if (line.block) {
      for (const int child : line.block->children) {
        const LineData& data = lines_[static_cast<size_t>(child)];
        if (data.first != nullptr && data.parent == next) pending.push_back(child);
      }
    }
    if (startsIndexed_) starts_.Erase(line.first, next);
    line = LineData{};
    line.first = nullptr;
    freeLines_.push_back(next);
  }
}

// A line to place again makes every line holding it one to place again,
// from the child it holds it through.
void TreeLayout::MarkDirty(int id) {
  lines_[static_cast<size_t>(id)].dirty = true;
  for (int line = id;;) {
    const LineData& data = lines_[static_cast<size_t>(line)];
    if (data.parent < 0) return;
    LineData& parent = lines_[static_cast<size_t>(data.parent)];
    if (Block::ManyBranches* many = parent.block->many.get()) {
      many->firstDirty = std::min(many->firstDirty, data.slot);
      many->lastDirty = std::max(many->lastDirty, data.slot);
    }
    if (parent.dirty) return;
    parent.dirty = true;
    line = data.parent;
  }
}

// Only a variation starts a line (besides the record's first tree): the
// walk up a line's first children asks the index of line starts nothing.
std::optional<TreeLayout::Holder> TreeLayout::HolderOf(const GameTree& tree) {
  const GameTree* current = &tree;
  int offset = 0;
  while (current != root_) {
    const GameTree* parent = current->parent();
    if (parent == nullptr) return std::nullopt;
    if (parent->ChildAt(0) != current) {
      const std::optional<int> found = Starts().Find(current);
      if (!found) return std::nullopt;  // under a fold
      return Holder{*found, offset};
    }
    if (EndsInFold(*parent)) return std::nullopt;
    offset += parent->NodeCount();
    current = parent;
  }
  if (firstLine_ < 0) return std::nullopt;
  return Holder{firstLine_, offset};
}

// Laying a whole record out makes no index: the first question about a
// variation makes it, in one pass.
const LineStarts& TreeLayout::Starts() {
  if (!startsIndexed_) {
    starts_.Clear();
    starts_.Reserve(lines_.size() - freeLines_.size());
    for (size_t id = 0; id < lines_.size(); ++id) {
      if (lines_[id].first != nullptr) starts_.Set(lines_[id].first, static_cast<int>(id));
    }
    startsIndexed_ = true;
  }
  return starts_;
}

bool TreeLayout::IsInRecord(const Node& node) const {
  const GameTree* tree = node.tree();
  if (tree == nullptr) return false;
  while (tree->parent() != nullptr) tree = tree->parent();
  return tree == root_;
}

void TreeLayout::RecountFoldsAbove(const GameTree& tree) {
  for (const GameTree* current = &tree; current != nullptr; current = current->parent()) {
    if (EndsInFold(*current)) {
      const Node& folded = *current->nodes().back();
      folds_[&folded] = CountHidden(folded);
    }
  }
}

void TreeLayout::DropInvalidFolds() {
  std::erase_if(folds_, [this](const auto& fold) {
    return !IsInRecord(*fold.first) || !HasVariations(*fold.first);
  });
}

void TreeLayout::TreeChanged(const GameTree& tree) {
  if (root_ == nullptr) return;
  std::vector<const Node*> dropped;
  for (const auto& [node, count] : folds_) {
    if (!IsInRecord(*node) || !HasVariations(*node)) dropped.push_back(node);
  }
  for (const Node* node : dropped) folds_.erase(node);
  if (!folds_.empty()) RecountFoldsAbove(tree);
  if (const auto holder = HolderOf(tree)) Reshape(holder->line);
  // A fold that lost its variations shows its continuation again.
  for (const Node* node : dropped) {
    if (!IsInRecord(*node)) continue;
    if (const auto holder = HolderOf(*node->tree())) Reshape(holder->line);
  }
}

bool TreeLayout::Fold(const Node& node) {
  if (!HasVariations(node) || IsFolded(node) || !IsInRecord(node)) return false;
  folds_[&node] = CountHidden(node);
  if (const auto holder = HolderOf(*node.tree())) Reshape(holder->line);
  return true;
}

bool TreeLayout::Unfold(const Node& node) {
  if (folds_.erase(&node) == 0) return false;
  if (const auto holder = HolderOf(*node.tree())) Reshape(holder->line);
  return true;
}

bool TreeLayout::UnfoldAll() {
  if (folds_.empty()) return false;
  const std::vector<const Node*> folded = FoldedNodes();
  folds_.clear();
  // A fold inside another is shown by the outer one's new lines.
  for (const Node* node : folded) {
    if (const auto holder = HolderOf(*node->tree())) Reshape(holder->line);
  }
  return true;
}

bool TreeLayout::Reveal(const Node& node) {
  bool unfolded = false;
  if (node.tree() == nullptr || folds_.empty()) return false;
  for (const GameTree* tree = node.tree()->parent(); tree != nullptr; tree = tree->parent()) {
    if (EndsInFold(*tree)) unfolded = Unfold(*tree->nodes().back()) || unfolded;
  }
  return unfolded;
}

int TreeLayout::HiddenCount(const Node& node) const {
  const auto found = folds_.find(&node);
  return found != folds_.end() ? found->second : 0;
}

std::vector<const Node*> TreeLayout::FoldedNodes() const {
  std::vector<const Node*> nodes;
  nodes.reserve(folds_.size());
  for (const auto& [node, count] : folds_) nodes.push_back(node);
  return nodes;
}

int TreeLayout::AbsoluteRow(int id) const {
  int row = 0;
  for (int line = id; line >= 0; line = lines_[static_cast<size_t>(line)].parent) {
    row += lines_[static_cast<size_t>(line)].row;
  }
  return row;
}

int TreeLayout::AbsoluteColumn(int id) const {
  int column = 0;
  for (int line = id; line >= 0; line = lines_[static_cast<size_t>(line)].parent) {
    column += lines_[static_cast<size_t>(line)].offset;
  }
  return column;
}

LineSpan TreeLayout::SpanOf(int id) const {
  const LineData& line = lines_[static_cast<size_t>(id)];
  const int row = AbsoluteRow(id);
  return {id,
          line.parent,
          line.first,
          row,
          AbsoluteColumn(id),
          line.length,
          line.parent >= 0 ? row - line.row : row};
}

int TreeLayout::RowCount() {
  Place();
  if (firstLine_ < 0) return 0;
  const LineData& first = lines_[static_cast<size_t>(firstLine_)];
  return first.block ? first.block->height + 1 : 1;
}

int TreeLayout::ColumnCount() {
  Place();
  if (firstLine_ < 0) return 0;
  const LineData& first = lines_[static_cast<size_t>(firstLine_)];
  return first.block ? static_cast<int>(first.block->profile.size()) - 1 : first.length;
}

std::optional<TreeCell> TreeLayout::CellOf(const GameTree& tree, int index) {
  if (index < 0 || index >= tree.NodeCount()) return std::nullopt;
  Place();
  const auto holder = HolderOf(tree);
  if (!holder) return std::nullopt;
  return TreeCell{AbsoluteRow(holder->line), AbsoluteColumn(holder->line) + holder->offset + index};
}

std::optional<int> TreeLayout::RowOfLine(const GameTree& first) {
  Place();
  const std::optional<int> found = &first == root_ ? firstLine_ : Starts().Find(&first);
  if (!found || *found < 0) return std::nullopt;
  return AbsoluteRow(*found);
}

std::optional<LineSpan> TreeLayout::Line(int id) {
  if (id < 0 || static_cast<size_t>(id) >= lines_.size() ||
      lines_[static_cast<size_t>(id)].first == nullptr) {
    return std::nullopt;
  }
  Place();
  return SpanOf(id);
}

std::optional<LineSpan> TreeLayout::LineOf(const GameTree& tree, int index) {
  if (index < 0 || index >= tree.NodeCount()) return std::nullopt;
  Place();
  const auto holder = HolderOf(tree);
  if (!holder) return std::nullopt;
  return SpanOf(holder->line);
}

void TreeLayout::ForEachLine(const CellArea& area,
                             const std::function<void(const LineSpan&)>& visit) {
  Place();
  if (firstLine_ < 0) return;
  std::vector<LineSpan> pending{{firstLine_, -1, root_, 0, 0, 0, 0}};
  while (!pending.empty()) {
    LineSpan span = pending.back();
    pending.pop_back();
    span.length = lines_[static_cast<size_t>(span.id)].length;
    const bool stem = span.id != firstLine_;
    const bool rowShown = span.row >= area.top && span.row <= area.bottom &&
                          span.column + span.length - 1 >= area.left &&
                          span.column - (stem ? 1 : 0) <= area.right;
    const bool stemShown = stem && span.column - 1 >= area.left && span.column - 1 <= area.right &&
                           span.stemRow <= area.bottom && span.row >= area.top;
    if (rowShown || stemShown) visit(span);
    AddChildrenIn(span, area, pending);
  }
}

void TreeLayout::AddChildrenIn(const LineSpan& span, const CellArea& area,
                               std::vector<LineSpan>& pending) const {
  const Block* block = lines_[static_cast<size_t>(span.id)].block.get();
  if (block == nullptr || span.row > area.bottom) return;
  const auto reaches = [&](int child, bool withStem) {
    const LineData& data = lines_[static_cast<size_t>(child)];
    const int row = span.row + data.row;
    const int column = span.column + data.offset;
    const int bottom = row + (data.block ? data.block->height : 0);
    const int right =
        column - 1 + (data.block ? static_cast<int>(data.block->profile.size()) - 1 : data.length);
    const int top = withStem ? span.row : row;
    return top <= area.bottom && bottom >= area.top && column - 1 <= area.right &&
           right >= area.left;
  };
  const auto add = [&](int child) {
    const LineData& data = lines_[static_cast<size_t>(child)];
    pending.push_back({child, span.id, data.first, span.row + data.row, span.column + data.offset,
                       data.length, span.row});
  };
  const Block::ManyBranches* many = block->many.get();
  if (many == nullptr) {
    for (auto child = block->children.rbegin(); child != block->children.rend(); ++child) {
      if (reaches(*child, true)) add(*child);
    }
    return;
  }
  // The children in rows the area shows; a stem alone through the area is
  // drawn by the last child of its run, whose stem holds every other's.
  const auto first =
      std::lower_bound(many->lowestSoFar.begin(), many->lowestSoFar.end(), area.top - span.row);
  for (size_t i = static_cast<size_t>(first - many->lowestSoFar.begin());
       i < many->byRow.size() &&
       span.row + lines_[static_cast<size_t>(many->byRow[i])].row <= area.bottom;
       ++i) {
    if (reaches(many->byRow[i], false)) add(many->byRow[i]);
  }
  for (const int last : many->runEnds) {
    if (!reaches(last, false) && reaches(last, true)) add(last);
  }
}

const Node* TreeLayout::NodeAt(TreeCell cell) {
  const Node* found = nullptr;
  ForEachLine({cell.row, cell.column, cell.row, cell.column}, [&](const LineSpan& span) {
    if (span.row == cell.row && cell.column >= span.column &&
        cell.column < span.column + span.length) {
      found = NodeOfLine(span, cell.column).node();
    }
  });
  return found;
}

LineCursor TreeLayout::NodeOfLine(const LineSpan& line, int column) {
  LineCursor cursor{line.first, column - line.column};
  while (cursor.tree != nullptr && cursor.index >= cursor.tree->NodeCount()) {
    cursor.index -= cursor.tree->NodeCount();
    cursor.tree = cursor.tree->ChildAt(0);
  }
  return cursor;
}

void LineCursor::Next() {
  ++index;
  while (tree != nullptr && index >= tree->NodeCount()) {
    index -= tree->NodeCount();
    tree = tree->ChildAt(0);
  }
}

}  // namespace vantaro
