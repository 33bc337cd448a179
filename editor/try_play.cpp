// Try-play: moves tried on any record, then thrown away in one step or kept.
#include "editor/go_editor.h"

namespace vantaro {

bool GoEditor::StartTryPlay() {
  if (mode_ != EditorMode::Normal || tryPlayActive_ || !record_) return false;
  savedModified_ = modified_;
  options_.autoBranch = true;
  savedTree_ = record_->Clone();
  savedPath_ = CurrentPath();
  tryPlayActive_ = true;
  static_cast<UpdateSink&>(*this).OnBoardChanged();
  return true;
}

// Putting the saved record back is an ordinary transaction: on a record that
// may be edited, Undo brings the tried moves back.
bool GoEditor::StopTryPlay() {
  if (mode_ != EditorMode::Normal || !tryPlayActive_ || !savedTree_) return false;
  std::unique_ptr<GameTree> saved = std::move(savedTree_);
  const auto position = GameTree::Resolve(*saved, savedPath_);
  Node* target = position ? position->node() : nullptr;
  if (!ReplaceWholeRecord(std::move(saved), target, false, savedModified_)) return false;
  tryPlayActive_ = false;
  static_cast<UpdateSink&>(*this).OnBoardChanged();
  return true;
}

bool GoEditor::CanSaveTryPlay() const {
  return mode_ == EditorMode::Normal && tryPlayActive_ && !readOnly_;
}

bool GoEditor::SaveTryPlay() {
  if (!CanSaveTryPlay()) return false;
  savedTree_.reset();
  tryPlayActive_ = false;
  static_cast<UpdateSink&>(*this).OnBoardChanged();
  return true;
}

}  // namespace vantaro
