#include "game/board.h"

#include <algorithm>

#include "game/record_summary.h"
#include "game/tree_search.h"

namespace vantaro {
namespace {

bool IsBlackId(int id) {
  return id == kPropB || id == kPropAB;
}
bool IsWhiteId(int id) {
  return id == kPropW || id == kPropAW;
}

int MarkupOf(int id) {
  switch (id) {
    case kPropCR:
      return OverlayEntry::Circle;
    case kPropTR:
      return OverlayEntry::Triangle;
    case kPropSQ:
      return OverlayEntry::Square;
    case kPropMA:
      return OverlayEntry::Cross;
    case kPropTB:
      return OverlayEntry::BlackTerritory;
    case kPropTW:
      return OverlayEntry::WhiteTerritory;
    case kPropLB:
      return OverlayEntry::Label;
    default:
      return OverlayEntry::None;
  }
}

}  // namespace

std::uint32_t GoBoard::MakeCell(int id, int moveNumber) {
  return static_cast<std::uint32_t>(id) << 16 | (static_cast<std::uint32_t>(moveNumber) & 0xFFFF);
}

bool GoBoard::IsBlackCell(std::uint32_t cell) {
  return IsBlackId(CellProperty(cell));
}
bool GoBoard::IsWhiteCell(std::uint32_t cell) {
  return IsWhiteId(CellProperty(cell));
}

void GoBoard::Attach(const GameTree* root) {
  record_ = root;
  if (root != nullptr) {
    if (const std::optional<Point> size = RecordBoardSize(*root)) {
      width_ = size->x;
      height_ = size->y;
    }
  }
  cells_.assign(static_cast<size_t>(width_ * height_), 0);
  overlay_.assign(static_cast<size_t>(width_ * height_), OverlayEntry{});
  moveNumber_ = 0;
  lastMove_ = Point{};
}

void GoBoard::Reset(bool whiteFirst) {
  std::fill(cells_.begin(), cells_.end(), 0);
  removals_.clear();
  std::fill(overlay_.begin(), overlay_.end(), OverlayEntry{});
  moveNumber_ = 0;
  lastMove_ = Point{};
  hasOverride_ = false;
  removedByLastMove_ = 0;
  capturesByBlack_ = 0;
  capturesByWhite_ = 0;
  blackToPlay_ = !whiteFirst;
}

void GoBoard::ReplayTo(const TreePath& path, bool whiteFirst, bool numberBranchesFromOne) {
  Reset(whiteFirst);
  if (record_ == nullptr) return;
  const GameTree* tree = record_;
  const auto applyUpTo = [this](const GameTree& each, int last) {
    for (int i = 0; i <= last && i < each.NodeCount(); ++i) {
      for (const Property& property : each.NodeAt(i)->properties()) ApplyProperty(property);
    }
  };
  applyUpTo(*tree, path.children.empty() ? path.node : tree->NodeCount() - 1);
  for (size_t level = 0; level < path.children.size(); ++level) {
    const int child = path.children[level];
    tree = tree->ChildAt(child);
    if (tree == nullptr) return;
    if (numberBranchesFromOne && child >= 1) {
      // The first move of a variation is shown as move 1.
      hasOverride_ = true;
      overrideDisplayed_ = 1;
      overrideFromMove_ = moveNumber_ + 1;
    }
    applyUpTo(*tree, level + 1 == path.children.size() ? path.node : tree->NodeCount() - 1);
  }
}

void GoBoard::ApplyProperty(const Property& property) {
  const int id = property.id();
  const Point point = property.point();
  if (IsMoveProperty(id)) {
    PlayMove(id, point);
  } else if (id == kPropAB || id == kPropAW) {
    if (OnBoard(point.x, point.y)) cells_[Index(point.x, point.y)] = MakeCell(id, moveNumber_);
  } else if (id == kPropAE) {
    if (!OnBoard(point.x, point.y)) return;
    std::uint32_t& cell = cells_[Index(point.x, point.y)];
    if (cell == 0) return;
    AddRemoval(RemovalRecord::Kind::Erased, {point.x, point.y, cell});
    cell = 0;
  } else if (id == kPropMN) {
    hasOverride_ = true;
    overrideDisplayed_ = property.number();
    overrideFromMove_ = moveNumber_;
  }
}

void GoBoard::SetCell(Point point, std::uint32_t cell) {
  if (OnBoard(point.x, point.y)) cells_[Index(point.x, point.y)] = cell;
}

void GoBoard::ShowMarkup(const Property& property) {
  const int markup = MarkupOf(property.id());
  const Point point = property.point();
  if (markup == OverlayEntry::None || !OnBoard(point.x, point.y)) return;
  OverlayEntry& entry = overlay_[point.x + width_ * point.y];
  entry.markup = markup;
  entry.label = markup == OverlayEntry::Label ? std::u16string(property.text()) : u"";
}

void GoBoard::PlayMove(int id, Point point) {
  ++moveNumber_;
  lastMove_ = point;
  blackToPlay_ = id != kPropB;
  removedByLastMove_ = 0;
  if (!OnBoard(point.x, point.y)) {
    AddRemoval(RemovalRecord::Kind::OffBoardMove, {point.x, point.y, MakeCell(id, moveNumber_)});
    return;
  }
  cells_[Index(point.x, point.y)] = MakeCell(id, moveNumber_);
  const bool black = IsBlackId(id);
  const Point neighbours[] = {{point.x, point.y - 1},
                              {point.x, point.y + 1},
                              {point.x - 1, point.y},
                              {point.x + 1, point.y}};
  int removed = 0;
  for (const Point& n : neighbours) {
    if (!OnBoard(n.x, n.y)) continue;
    const std::uint32_t cell = Cell(n.x, n.y);
    if (cell != 0 && (black ? IsWhiteCell(cell) : IsBlackCell(cell))) {
      removed += RemoveGroupWithoutLiberty(n.x, n.y);
    }
  }
  // A move that takes nothing and has no liberty removes its own group.
  if (removed == 0) removed = RemoveGroupWithoutLiberty(point.x, point.y);
  removedByLastMove_ = removed;
}

int GoBoard::RemoveGroupWithoutLiberty(int x, int y) {
  const bool black = IsBlackCell(Cell(x, y));
  // Visited points carry the current stamp, so nothing is cleared between searches.
  if (visited_.size() != cells_.size()) visited_.assign(cells_.size(), 0);
  if (++stamp_ == 0) {
    std::fill(visited_.begin(), visited_.end(), 0);
    stamp_ = 1;
  }
  group_.clear();
  group_.push_back({x, y});
  visited_[Index(x, y)] = stamp_;
  for (size_t next = 0; next < group_.size(); ++next) {
    const Point p = group_[next];
    for (const Point& n :
         {Point{p.x, p.y - 1}, Point{p.x, p.y + 1}, Point{p.x - 1, p.y}, Point{p.x + 1, p.y}}) {
      if (!OnBoard(n.x, n.y) || visited_[Index(n.x, n.y)] == stamp_) continue;
      const std::uint32_t cell = Cell(n.x, n.y);
      if (cell == 0) return 0;  // a liberty
      if (black ? IsBlackCell(cell) : IsWhiteCell(cell)) {
        visited_[Index(n.x, n.y)] = stamp_;
        group_.push_back(n);
      }
    }
  }
  (black ? capturesByWhite_ : capturesByBlack_) += static_cast<int>(group_.size());
  auto record = std::make_unique<RemovalRecord>();
  record->moveNumber = moveNumber_;
  for (const Point& p : group_) {
    record->entries.push_back({p.x, p.y, Cell(p.x, p.y)});
    cells_[Index(p.x, p.y)] = 0;
  }
  removals_.push_back(std::move(record));
  return static_cast<int>(group_.size());
}

void GoBoard::AddRemoval(RemovalRecord::Kind kind, RemovalRecord::Entry entry) {
  if (removals_.empty() || removals_.back()->kind != kind ||
      removals_.back()->moveNumber != moveNumber_) {
    auto record = std::make_unique<RemovalRecord>();
    record->kind = kind;
    record->moveNumber = moveNumber_;
    removals_.push_back(std::move(record));
  }
  removals_.back()->entries.push_back(entry);
}

bool GoBoard::IsLegalMove(Point point, int colourId) const {
  if (!OnBoard(point.x, point.y) || Cell(point.x, point.y) != 0) return false;
  GoBoard trial;
  trial.width_ = width_;
  trial.height_ = height_;
  trial.cells_ = cells_;
  trial.moveNumber_ = moveNumber_;
  trial.PlayMove(colourId, point);
  // Suicide: nothing taken and the stone's own group went with it.
  return trial.Cell(point.x, point.y) != 0;
}

void GoBoard::BuildOverlay(const GameTree& tree, int index) {
  std::fill(overlay_.begin(), overlay_.end(), OverlayEntry{});
  const std::vector<Node*> continuations = CollectNextMoves(tree, index + 1);
  for (size_t i = 0; i < continuations.size(); ++i) {
    if (continuations[i] == nullptr) continue;
    const Point point = continuations[i]->FindMove()->point();
    if (!OnBoard(point.x, point.y) || Cell(point.x, point.y) != 0) continue;
    OverlayEntry& entry = overlay_[point.x + width_ * point.y];
    if (entry.continuation == OverlayEntry::Continuation::OneOfSeveral) continue;
    if (continuations.size() > 1) {
      entry.continuation = OverlayEntry::Continuation::OneOfSeveral;
      entry.continuationIndex = static_cast<int>(i);
    } else {
      entry.continuation = OverlayEntry::Continuation::OnlyOne;
    }
  }
  const Node* node = tree.NodeAt(index);
  if (node == nullptr) return;
  for (const Property& property : node->properties()) ShowMarkup(property);
}

std::string GoBoard::StonesAsText() const {
  std::string rows;
  rows.reserve(static_cast<size_t>((width_ + 1) * height_));
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t cell = Cell(x, y);
      rows += cell == 0 ? '.' : IsBlackCell(cell) ? 'X' : 'O';
    }
    rows += '\n';
  }
  return rows;
}

}  // namespace vantaro
