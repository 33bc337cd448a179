#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantaro {

class GameTree;

// The line each first tree of a line starts, for hundreds of thousands of
// lines: one flat table with open addressing (a lookup reads one or two
// neighbouring slots, an insert allocates nothing until the table grows).
class LineStarts {
 public:
  std::optional<int> Find(const GameTree* tree) const;
  void Set(const GameTree* tree, int line);
  // Removes the tree's entry; the line must be the one it maps to.
  void Erase(const GameTree* tree, int line);
  void Clear();
  // Room for this many entries without growing.
  void Reserve(size_t entries);
  size_t size() const { return used_; }

 private:
  struct Slot {
    const GameTree* tree = nullptr;
    int line = -1;
  };
  size_t Home(const GameTree* tree) const;
  void Grow();
  void Resize(size_t size);

  std::vector<Slot> slots_;  // a power of two long, at most half full
  int shift_ = 64;           // 64 less the bits of an index into the slots
  size_t used_ = 0;
};

}  // namespace vantaro
