#include "editor/transaction.h"

#include "editor/go_editor.h"

namespace vantaro {

GoEditor& Action::editor() const {
  return owner_->editor();
}
UpdateSink& Action::notify() const {
  return static_cast<UpdateSink&>(owner_->editor());
}

void Tran::Add(std::unique_ptr<Action> action) {
  action->SetOwner(this);
  actions_.push_back(std::move(action));
}

bool Tran::Do() {
  for (const auto& action : actions_) {
    if (!action->Do()) return false;
  }
  UpdateSink& sink = *editor_;
  editor_->SetCurrentNode(nodeAfter);
  sink.OnBoardChanged();
  sink.OnCurrentNodeChanged(0, nodeAfter, nodeBefore);
  editor_->SetModified(modifiedAfter);
  if (modifiedBefore != modifiedAfter) sink.OnStatusChanged();
  sink.OnHistoryChanged();
  if (size_ < 0) size_ = MemorySize();
  return true;
}

bool Tran::Undo() {
  for (auto action = actions_.rbegin(); action != actions_.rend(); ++action) {
    if (!(*action)->Undo()) return false;
  }
  UpdateSink& sink = *editor_;
  editor_->SetCurrentNode(nodeBefore);
  sink.OnBoardChanged();
  sink.OnCurrentNodeChanged(0, nodeBefore, nullptr);
  editor_->SetModified(modifiedBefore);
  if (modifiedBefore != modifiedAfter) sink.OnStatusChanged();
  sink.OnHistoryChanged();
  return true;
}

int Tran::MemorySize() const {
  int size = 52;
  for (const auto& action : actions_) size += action->MemorySize();
  return size;
}

}  // namespace vantaro
