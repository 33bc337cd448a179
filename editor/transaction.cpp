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
  for (size_t done = 0; done < actions_.size(); ++done) {
    if (!actions_[done]->Do()) {
      while (done-- > 0) actions_[done]->Undo();
      return false;
    }
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
  for (size_t left = actions_.size(); left-- > 0;) {
    if (!actions_[left]->Undo()) {
      for (size_t redo = left + 1; redo < actions_.size(); ++redo) actions_[redo]->Do();
      return false;
    }
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
