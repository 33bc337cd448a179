#include "editor/history.h"

namespace vantaro {
namespace {

constexpr int kMemoryTrimAt = 10000000;
constexpr int kMemoryTrimFrees = 5000000;
constexpr int kMemoryKeptNewest = 3;
constexpr int kCountLimit = 1000;
constexpr int kCountDropped = 500;

// A transaction whose Do never succeeded has no size yet: it counts nothing.
int SizeOf(const Tran& tran) {
  return tran.size() > 0 ? tran.size() : 0;
}

}  // namespace

bool History::DoAndRecord(std::unique_ptr<Tran> tran) {
  if (!tran->Do()) return false;
  DropAfterIndex();
  MakeRoom();
  totalSize_ += SizeOf(*tran);
  entries_.push_back(std::move(tran));
  ++index_;
  return true;
}

bool History::Undo() {
  if (!CanUndo() || !entries_[static_cast<size_t>(index_)]->Undo()) return false;
  --index_;
  return true;
}

bool History::Redo() {
  if (!CanRedo() || !entries_[static_cast<size_t>(index_ + 1)]->Do()) return false;
  ++index_;
  return true;
}

void History::Clear() {
  entries_.clear();
  index_ = -1;
  totalSize_ = 0;
}

void History::DropAfterIndex() {
  for (size_t i = static_cast<size_t>(index_ + 1); i < entries_.size(); ++i) {
    totalSize_ -= SizeOf(*entries_[i]);
  }
  entries_.erase(entries_.begin() + (index_ + 1), entries_.end());
}

// Memory: once the history holds the trim limit, the oldest entries go until
// just more than half of it is freed, but the newest three always stay.
// Count: a full history forgets its older half.
void History::MakeRoom() {
  if (bound_ == Bound::Count) {
    if (size() >= kCountLimit) DropOldest(kCountDropped);
    return;
  }
  if (totalSize_ < kMemoryTrimAt) return;
  int freed = 0;
  int count = 0;
  while (count < size() - kMemoryKeptNewest && freed <= kMemoryTrimFrees) {
    freed += SizeOf(*entries_[static_cast<size_t>(count)]);
    ++count;
  }
  DropOldest(count);
}

void History::DropOldest(int count) {
  for (int i = 0; i < count; ++i) totalSize_ -= SizeOf(*entries_[static_cast<size_t>(i)]);
  entries_.erase(entries_.begin(), entries_.begin() + count);
  index_ = size() - 1;
}

}  // namespace vantaro
