// Where the lines go. A line branching from another is placed one row below
// the lowest row anything placed before it (in record order) takes in its
// columns: from its stem column to its last node. The placement is kept per
// block (a line and the lines branching from it, relative to the line), so
// that a change inside one block places again only that block, the blocks
// holding it and their later children.
//
// A block placed on its own is placed the same inside the whole picture
// unless an earlier line outside it, past the end of the block's own line,
// reaches below the block's row (its context): inside the block, nothing
// else outside can matter, since everything outside in the columns of the
// line's own nodes lies above it. A block is placed again when its context
// differs from the one it was placed for.
//
// A line with thousands of branches (a collection of games under one root)
// keeps checkpoints of its placement, so that a change of one branch places
// again only the branches from the checkpoint before it up to the first
// checkpoint after it where nothing, or everything alike, has moved.
#include <algorithm>

#include "game/tree_layout.h"
#include "game/tree_layout_internal.h"

namespace vantaro {
namespace {

// A block being placed, per column from the line's stem column on, relative
// to the line's row: what the block takes so far, and that together with
// what earlier lines outside the block take. The loops run over plain
// arrays without branches, for the compiler to vectorise.
// Frames are used again as the placement goes down and up the lines, so
// that their arrays are not made anew for each of thousands of blocks.
struct Frame {
  int line = -1;
  std::vector<int> own;
  std::vector<int> outside;  // past the line's last node; kNoRow before
  std::vector<int> taken;
  size_t next = 0;            // the child placed next
  bool resumed = false;       // from a checkpoint: the checkpoints after it are the old ones
  size_t nextCheckpoint = 0;  // the first checkpoint not passed yet, when resumed
  bool rowsChanged = false;   // a child placed so far moved

  // Starts on a line once `outside` is filled in.
  void Start(int id, int length) {
    line = id;
    next = 0;
    resumed = false;
    nextCheckpoint = 0;
    rowsChanged = false;
    own.assign(static_cast<size_t>(length) + 1, 0);
    taken.assign(outside.begin(), outside.end());
    Reserve(own.size());
    for (size_t column = 0; column < own.size(); ++column) {
      taken[column] = std::max(taken[column], 0);
    }
  }

  void Reserve(size_t columns) {
    if (own.size() < columns) own.resize(columns, kNoRow);
    if (taken.size() < columns) taken.resize(columns, kNoRow);
  }
  int LowestTaken(int from, int to) {
    Reserve(static_cast<size_t>(to) + 1);
    int lowest = kNoRow;
    for (const int* row = taken.data() + from; row <= taken.data() + to; ++row) {
      lowest = std::max(lowest, *row);
    }
    return lowest;
  }
  // What lies outside a child's block past its own line, relative to the
  // child's row, column by column from the column after its last node up
  // to (not including) its column `columns`; only rows below the child's
  // can matter inside it, the others count as 0.
  int OutsideAt(int from, int row, size_t column) const {
    const size_t at = static_cast<size_t>(from) + column;
    return std::max((at < taken.size() ? taken[at] : kNoRow) - row, 0);
  }
  // Whether that is the context a child's block was placed for.
  bool SameOutside(int from, int length, int row, size_t columns,
                   const std::vector<int>& context) const {
    for (size_t column = static_cast<size_t>(length) + 1; column < columns; ++column) {
      const size_t known = column - static_cast<size_t>(length) - 1;
      if (OutsideAt(from, row, column) != (known < context.size() ? context[known] : 0)) {
        return false;
      }
    }
    return true;
  }
  // The same, as a child's frame takes it: kNoRow up to its last node.
  void OutsideFor(int from, int length, int row, std::vector<int>& outside) const {
    outside.assign(static_cast<size_t>(length) + 1, kNoRow);
    for (size_t column = outside.size(); static_cast<size_t>(from) + column < taken.size();
         ++column) {
      outside.push_back(OutsideAt(from, row, column));
    }
    while (outside.size() > static_cast<size_t>(length) + 1 && outside.back() == 0) {
      outside.pop_back();
    }
  }
  void Take(int from, int row, const std::vector<int>& profile) {
    Reserve(static_cast<size_t>(from) + profile.size());
    int* mine = own.data() + from;
    int* all = taken.data() + from;
    for (size_t column = 0; column < profile.size(); ++column) {
      const int bottom = row + profile[column];
      mine[column] = std::max(mine[column], bottom);
      all[column] = std::max(all[column], bottom);
    }
  }
  void TakeLine(int from, int length, int row) {
    Reserve(static_cast<size_t>(from + length) + 1);
    for (size_t column = static_cast<size_t>(from); column <= static_cast<size_t>(from + length);
         ++column) {
      own[column] = std::max(own[column], row);
      taken[column] = std::max(taken[column], row);
    }
  }
};

// The context of a block with its line's length and its width, from what
// lies outside it.
std::vector<int> ContextOf(const std::vector<int>& outside, int length, size_t columns) {
  std::vector<int> context;
  for (size_t column = static_cast<size_t>(length) + 1; column < columns && column < outside.size();
       ++column) {
    context.push_back(outside[column]);
  }
  while (!context.empty() && context.back() == 0) context.pop_back();
  return context;
}

int At(const std::vector<int>& rows, int column) {
  return static_cast<size_t>(column) < rows.size() ? rows[static_cast<size_t>(column)] : kNoRow;
}

// The rows by which `now` lies below `before` in the columns from `from` up
// to `to`, when that is the same everywhere there; nullopt when it is not.
std::optional<int> Shift(const std::vector<int>& before, const std::vector<int>& now, int from,
                         int to, std::optional<int> shift) {
  for (int column = from; column < to; ++column) {
    const int was = At(before, column);
    const int is = At(now, column);
    if ((was == kNoRow) != (is == kNoRow)) return std::nullopt;
    if (was == kNoRow) continue;
    if (!shift) shift = is - was;
    if (is - was != *shift) return std::nullopt;
  }
  return shift;
}

// The state `old` moved down by `shift` in the columns from `from` up to
// `to`, and `now` elsewhere.
std::vector<int> Moved(const std::vector<int>& old, const std::vector<int>& now, int from, int to,
                       int shift) {
  std::vector<int> moved(std::max(old.size(), now.size()), kNoRow);
  for (size_t column = 0; column < moved.size(); ++column) {
    const int index = static_cast<int>(column);
    if (index >= from && index < to) {
      const int was = At(old, index);
      moved[column] = was == kNoRow ? kNoRow : was + shift;
    } else {
      moved[column] = At(now, index);
    }
  }
  while (moved.size() > 1 && moved.back() == kNoRow) moved.pop_back();
  return moved;
}

}  // namespace

// Places every line marked dirty, and the blocks whose context changed,
// from the first line down, without recursion.
class TreePlacer {
 public:
  using LineData = TreeLayout::LineData;
  using Block = TreeLayout::Block;
  using Many = TreeLayout::Block::ManyBranches;

  explicit TreePlacer(TreeLayout& layout) : layout_(layout) {}

  void PlaceFrom(int first) {
    Open(first, -1);
    while (depth_ > 0) {
      Frame& frame = frames_[depth_ - 1];
      Block* block = Data(frame.line).block.get();
      if (block != nullptr && frame.next < block->children.size()) {
        PlaceNextChild(frame, *block);
      } else {
        Finish(frame);
      }
    }
  }

 private:
  LineData& Data(int id) { return layout_.lines_[static_cast<size_t>(id)]; }

  // A block with checkpoints is placed again from its last checkpoint
  // before its first changed child, when its context is as it was and its
  // line was not walked anew in a way the checkpoints could not follow.
  // Its context comes from the frame below (none for the first line).
  void Open(int id, int row) {
    if (depth_ == frames_.size()) frames_.emplace_back();
    Frame& frame = frames_[depth_++];
    LineData& line = Data(id);
    if (depth_ > 1) {
      frames_[depth_ - 2].OutsideFor(line.offset, line.length, row, frame.outside);
    } else {
      frame.outside.clear();
    }
    frame.Start(id, line.length);
    if (line.block && line.block->children.size() >= kIndexedBranches && !line.block->many) {
      line.block->many = std::make_unique<Many>();  // its checkpoints are taken from now on
    }
    Many* many = line.block ? line.block->many.get() : nullptr;
    if (many != nullptr && !line.relinked && many->firstDirty != INT_MAX &&
        ContextOf(frame.outside, line.length, frame.outside.size()) == many->checkpointOutside) {
      const auto after = std::upper_bound(
          many->checkpoints.begin(), many->checkpoints.end(), static_cast<size_t>(many->firstDirty),
          [](size_t index, const Many::Checkpoint& each) { return index < each.index; });
      frame.nextCheckpoint = static_cast<size_t>(after - many->checkpoints.begin());
      if (after != many->checkpoints.begin()) {
        const Many::Checkpoint& resume = *(after - 1);
        frame.own = resume.own;
        frame.taken = resume.taken;
        frame.next = resume.index;
      }
      frame.resumed = true;
    } else if (many != nullptr) {
      many->checkpoints.clear();
    }
  }

  void PlaceNextChild(Frame& frame, Block& block) {
    const size_t index = frame.next;
    if (Many* many = block.many.get(); many != nullptr && index > 0) {
      if (!frame.resumed && index % kCheckpointEvery == 0) {
        many->checkpoints.push_back({index, frame.own, frame.taken});
      } else if (frame.resumed && frame.nextCheckpoint < many->checkpoints.size() &&
                 many->checkpoints[frame.nextCheckpoint].index == index) {
        if (static_cast<int>(index) > many->lastDirty && Converge(frame, block)) return;
        many->checkpoints[frame.nextCheckpoint].own = frame.own;
        many->checkpoints[frame.nextCheckpoint].taken = frame.taken;
        ++frame.nextCheckpoint;
      }
    }
    const int id = block.children[index];
    LineData& child = Data(id);
    const int from = child.offset;
    const int row = frame.LowestTaken(from, from + child.length) + 1;
    frame.rowsChanged = frame.rowsChanged || row != child.row;
    child.row = row;
    if (!child.block) {
      if (frame.resumed) Reach(block, frame.nextCheckpoint, from, child.length + 1);
      frame.TakeLine(from, child.length, child.row);
      child.dirty = false;
      ++frame.next;
      return;
    }
    const std::vector<int>& profile = child.block->profile;
    if (!child.dirty &&
        frame.SameOutside(from, child.length, child.row, profile.size(), child.block->context)) {
      if (frame.resumed) Reach(block, frame.nextCheckpoint, from, static_cast<int>(profile.size()));
      frame.Take(from, child.row, profile);
      ++frame.next;
      return;
    }
    Open(id, child.row);  // the frame may move: `frame` is not used after
  }

  // A child placed again may reach further than before, or be new here:
  // every checkpoint before it looks that far.
  static void Reach(Block& block, size_t before, int from, int columns) {
    Many* many = block.many.get();
    if (many == nullptr) return;
    for (size_t checkpoint = 0; checkpoint < std::min(before, many->checkpoints.size());
         ++checkpoint) {
      Many::Checkpoint& each = many->checkpoints[checkpoint];
      each.reachFrom = std::min(each.reachFrom, from);
      each.reachTo = std::max(each.reachTo, from + columns);
    }
  }

  // After the last changed child: where the state at a checkpoint is the
  // old one moved down alike in every column a later child takes or looks
  // at, the later children are placed as before, that much lower.
  bool Converge(Frame& frame, Block& block) {
    Many& many = *block.many;
    Many::Checkpoint& old = many.checkpoints[frame.nextCheckpoint];
    const int from = old.reachFrom;
    const int to = old.reachTo;
    std::optional<int> shift = Shift(old.own, frame.own, from, to, std::nullopt);
    if (shift) shift = Shift(old.taken, frame.taken, from, to, shift);
    if (!shift) return false;
    for (size_t index = old.index; index < block.children.size() && *shift != 0; ++index) {
      Data(block.children[index]).row += *shift;
    }
    for (size_t later = frame.nextCheckpoint + 1; later < many.checkpoints.size(); ++later) {
      Many::Checkpoint& each = many.checkpoints[later];
      each.own = Moved(each.own, frame.own, from, to, *shift);
      each.taken = Moved(each.taken, frame.taken, from, to, *shift);
    }
    old.own = frame.own;
    old.taken = frame.taken;
    frame.own = Moved(block.profile, frame.own, from, to, *shift);
    frame.next = block.children.size();
    Finish(frame, *shift != 0 || frame.rowsChanged || many.indexStale);
    return true;
  }

  // rowsMoved: a child's row may have changed, and the index by row with it.
  void Finish(Frame& frame, bool rowsMoved = true) {
    LineData& line = Data(frame.line);
    if (line.block) {
      Block& block = *line.block;
      block.context = ContextOf(frame.outside, line.length, frame.own.size());
      block.profile = std::move(frame.own);
      block.height = *std::max_element(block.profile.begin(), block.profile.end());
      if (block.children.size() < kIndexedBranches) {
        block.many.reset();
      } else {
        if (rowsMoved || block.many->byRow.empty()) layout_.IndexByRow(block);
        block.many->indexStale = false;
        if (!frame.resumed) {
          MeasureReaches(block);
          block.many->checkpointOutside =
              ContextOf(frame.outside, line.length, frame.outside.size());
        }
        block.many->firstDirty = INT_MAX;
        block.many->lastDirty = -1;
      }
    }
    line.dirty = false;
    line.relinked = false;
    const int placed = frame.line;
    if (--depth_ == 0) return;
    Frame& parent = frames_[depth_ - 1];
    LineData& data = Data(placed);
    if (parent.resumed) {
      Reach(*Data(parent.line).block, parent.nextCheckpoint, data.offset,
            static_cast<int>(data.block->profile.size()));
    }
    parent.Take(data.offset, data.row, data.block->profile);
    ++parent.next;
  }

  // The columns each checkpoint's later children take or look at.
  void MeasureReaches(Block& block) {
    std::vector<Many::Checkpoint>& checkpoints = block.many->checkpoints;
    int from = INT_MAX;
    int to = 0;
    size_t checkpoint = checkpoints.size();
    for (size_t index = block.children.size(); index-- > 0 && checkpoint > 0;) {
      const LineData& child = Data(block.children[index]);
      const int columns =
          child.block ? static_cast<int>(child.block->profile.size()) : child.length + 1;
      from = std::min(from, child.offset);
      to = std::max(to, child.offset + columns);
      if (checkpoints[checkpoint - 1].index == index) {
        checkpoints[checkpoint - 1].reachFrom = from;
        checkpoints[checkpoint - 1].reachTo = to;
        --checkpoint;
      }
    }
  }

  TreeLayout& layout_;
  std::vector<Frame> frames_;  // those below depth_ are being placed
  size_t depth_ = 0;
};

void TreeLayout::IndexByRow(Block& block) const {
  Block::ManyBranches& many = *block.many;
  many.byRow.clear();
  many.lowestSoFar.clear();
  many.runEnds.clear();
  const std::vector<int>& children = block.children;
  struct Entry {
    int row;
    int bottom;
    int child;
  };
  std::vector<Entry> entries;
  entries.reserve(children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const LineData& data = lines_[static_cast<size_t>(children[i])];
    entries.push_back({data.row, data.row + (data.block ? data.block->height : 0), children[i]});
    if (i + 1 == children.size() ||
        lines_[static_cast<size_t>(children[i + 1])].offset != data.offset) {
      many.runEnds.push_back(children[i]);
    }
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.row < b.row; });
  int lowest = kNoRow;
  for (const Entry& entry : entries) {
    lowest = std::max(lowest, entry.bottom);
    many.byRow.push_back(entry.child);
    many.lowestSoFar.push_back(lowest);
  }
}

void TreeLayout::Place() {
  if (firstLine_ < 0 || !lines_[static_cast<size_t>(firstLine_)].dirty) return;
  TreePlacer(*this).PlaceFrom(firstLine_);
}

}  // namespace vantaro
