#pragma once

#include <memory>
#include <vector>

#include "editor/transaction.h"

namespace vantaro {

// A list of done transactions with the index of the last one done (-1 when
// none): the undo history of edits and the back/forward history of cursor
// moves. Entries after the index have been undone and can be redone until
// the next transaction is recorded.
class History {
 public:
  // How the list is kept from growing without end: the undo history by the
  // memory its transactions hold, the navigation history by its length.
  enum class Bound { Memory, Count };

  explicit History(Bound bound) : bound_(bound) {}

  // Does the transaction. When it succeeds, the undone entries go, the
  // oldest ones too when the bound says so, and the transaction becomes the
  // last entry. When it fails, it is discarded and the history stays as it was.
  bool DoAndRecord(std::unique_ptr<Tran> tran);

  bool CanUndo() const { return index_ >= 0 && index_ < size(); }
  bool CanRedo() const { return index_ + 1 < size(); }
  // Undoes the entry at the index and steps back; false, with the index
  // unchanged, when there is none or its Undo fails.
  bool Undo();
  // Steps forward and does that entry again; false, with the index
  // unchanged, when there is none or its Do fails.
  bool Redo();

  void Clear();

  int size() const { return static_cast<int>(entries_.size()); }
  // The entry done last when nothing after it waits to be redone; else null.
  Tran* Last() const {
    return index_ >= 0 && index_ + 1 == size() ? entries_.back().get() : nullptr;
  }
  int index() const { return index_; }
  // The summed MemorySize of the entries.
  int totalSize() const { return totalSize_; }

 private:
  void DropAfterIndex();
  void MakeRoom();
  void DropOldest(int count);

  Bound bound_;
  std::vector<std::unique_ptr<Tran>> entries_;
  int index_ = -1;
  int totalSize_ = 0;
};

}  // namespace vantaro
