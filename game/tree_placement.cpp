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
#include <algorithm>

#include "game/tree_layout.h"
#include "game/tree_layout_internal.h"

namespace vantaro {
namespace {

// A block being placed, per column from the line's stem column on, relative
// to the line's row: what the block takes so far, and that together with
// what earlier lines outside the block take. The loops run over plain
// arrays without branches, for the compiler to vectorise: a record with
// thousands of variations of its first node places each of them again when
// one changes.
struct Frame {
  int line;
  std::vector<int> own;
  std::vector<int> outside;  // relative rows past the line's last node, from the block's parent
  std::vector<int> taken;
  size_t next = 0;  // the child placed next

  Frame(int id, int length, std::vector<int> fromOutside)
      : line(id),
        own(static_cast<size_t>(length) + 1, 0),
        outside(std::move(fromOutside)),
        taken(outside) {
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
  // child's row, from the column after its last node up to (not including)
  // the given one; only rows below the child's can matter inside it.
  std::vector<int> OutsideOf(int from, int length, int row, size_t columns) const {
    std::vector<int> rows;
    for (size_t column = static_cast<size_t>(from + length) + 1;
         column < static_cast<size_t>(from) + columns; ++column) {
      const int outside = column < taken.size() ? taken[column] : kNoRow;
      rows.push_back(std::max(outside - row, 0));
    }
    while (!rows.empty() && rows.back() == 0) rows.pop_back();
    return rows;
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

}  // namespace

void TreeLayout::Place() {
  if (firstLine_ < 0 || !lines_[static_cast<size_t>(firstLine_)].dirty) return;
  std::vector<Frame> stack;
  stack.emplace_back(firstLine_, lines_[static_cast<size_t>(firstLine_)].length,
                     std::vector<int>());
  while (!stack.empty()) {
    Frame& frame = stack.back();
    LineData& line = lines_[static_cast<size_t>(frame.line)];
    if (line.block && frame.next < line.block->children.size()) {
      const int id = line.block->children[frame.next];
      LineData& child = lines_[static_cast<size_t>(id)];
      const int from = child.offset;
      child.row = frame.LowestTaken(from, from + child.length) + 1;
      if (!child.block) {
        frame.TakeLine(from, child.length, child.row);
        child.dirty = false;
        ++frame.next;
        continue;
      }
      const std::vector<int>& profile = child.block->profile;
      if (!child.dirty &&
          frame.OutsideOf(from, child.length, child.row, profile.size()) == child.block->context) {
        frame.Take(from, child.row, profile);
        ++frame.next;
        continue;
      }
      std::vector<int> outside(static_cast<size_t>(child.length) + 1, kNoRow);
      const std::vector<int> beyond = frame.OutsideOf(
          from, child.length, child.row, frame.taken.size() - static_cast<size_t>(from));
      outside.insert(outside.end(), beyond.begin(), beyond.end());
      const int length = child.length;
      stack.emplace_back(id, length, std::move(outside));
      continue;
    }
    if (line.block) {
      Block& block = *line.block;
      block.context.clear();
      for (size_t column = static_cast<size_t>(line.length) + 1;
           column < frame.own.size() && column < frame.outside.size(); ++column) {
        block.context.push_back(frame.outside[column]);
      }
      while (!block.context.empty() && block.context.back() == 0) block.context.pop_back();
      block.profile = std::move(frame.own);
      block.height = *std::max_element(block.profile.begin(), block.profile.end());
    }
    line.dirty = false;
    const int placed = frame.line;
    stack.pop_back();
    if (stack.empty()) break;
    Frame& parent = stack.back();
    const LineData& data = lines_[static_cast<size_t>(placed)];
    parent.Take(data.offset, data.row, data.block->profile);
    ++parent.next;
  }
}

}  // namespace vantaro
