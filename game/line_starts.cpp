#include "game/line_starts.h"

namespace vantaro {

// Multiplicative hashing: the high bits of the product mix every bit of the address.
size_t LineStarts::Home(const GameTree* tree) const {
  const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(tree));
  return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> shift_);
}

std::optional<int> LineStarts::Find(const GameTree* tree) const {
  if (slots_.empty()) return std::nullopt;
  for (size_t at = Home(tree);; at = (at + 1) & (slots_.size() - 1)) {
    if (slots_[at].tree == tree) return slots_[at].line;
    if (slots_[at].tree == nullptr) return std::nullopt;
  }
}

void LineStarts::Set(const GameTree* tree, int line) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  for (size_t at = Home(tree);; at = (at + 1) & (slots_.size() - 1)) {
    if (slots_[at].tree == tree) {
      slots_[at].line = line;
      return;
    }
    if (slots_[at].tree == nullptr) {
      slots_[at] = {tree, line};
      ++used_;
      return;
    }
  }
}

void LineStarts::Erase(const GameTree* tree, int line) {
  if (slots_.empty()) return;
  const size_t mask = slots_.size() - 1;
  size_t hole = Home(tree);
  while (slots_[hole].tree != tree || slots_[hole].line != line) {
    if (slots_[hole].tree == nullptr) return;
    hole = (hole + 1) & mask;
  }
  // Moves back every later entry of the run that the hole would cut off
  // from its home, so that no lookup stops short of it.
  for (size_t next = (hole + 1) & mask; slots_[next].tree != nullptr; next = (next + 1) & mask) {
    const size_t home = Home(slots_[next].tree);
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      slots_[hole] = slots_[next];
      hole = next;
    }
  }
  slots_[hole] = {};
  --used_;
}

void LineStarts::Clear() {
  slots_.clear();
  used_ = 0;
}

void LineStarts::Reserve(size_t entries) {
  size_t size = 1024;
  while (size < 2 * entries) size *= 2;
  if (size > slots_.size()) Resize(size);
}

void LineStarts::Grow() {
  Resize(slots_.empty() ? 1024 : 2 * slots_.size());
}

void LineStarts::Resize(size_t size) {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(size, Slot{});
  shift_ = 64;
  for (size_t bits = size; bits > 1; bits /= 2) --shift_;
  used_ = 0;
  for (const Slot& slot : old) {
    if (slot.tree != nullptr) Set(slot.tree, slot.line);
  }
}

}  // namespace vantaro
