#include "editor/update_sink.h"

#include <algorithm>

#include "editor/go_editor.h"

namespace vantaro {

void UpdateSink::SetEditor(GoEditor* editor) {
  if (editor != nullptr) static_cast<UpdateSink*>(editor)->AddSink(this);
  editor_ = editor;
}

void UpdateSink::AddSink(UpdateSink* sink) {
  if (!sinks_) sinks_ = std::make_unique<std::vector<UpdateSink*>>();
  if (std::find(sinks_->begin(), sinks_->end(), sink) == sinks_->end()) sinks_->push_back(sink);
}

// The end is read again after every call: a sink may attach another meanwhile.
template <typename Call>
void UpdateSink::Broadcast(Call call) {
  if (!sinks_) return;
  for (size_t i = 0; i < sinks_->size(); ++i) call(*(*sinks_)[i]);
}

void UpdateSink::OnHistoryChanged() {
  Broadcast([](UpdateSink& sink) { sink.OnHistoryChanged(); });
}
void UpdateSink::OnStatusChanged() {
  Broadcast([](UpdateSink& sink) { sink.OnStatusChanged(); });
}
void UpdateSink::OnBoardChanged() {
  Broadcast([](UpdateSink& sink) { sink.OnBoardChanged(); });
}
void UpdateSink::OnViewOptionsChanged() {
  Broadcast([](UpdateSink& sink) { sink.OnViewOptionsChanged(); });
}
void UpdateSink::OnCurrentNodeChanged(int reason, Node* current, Node* previous) {
  Broadcast([&](UpdateSink& sink) { sink.OnCurrentNodeChanged(reason, current, previous); });
}
void UpdateSink::OnTreeAdded(GameTree* tree) {
  Broadcast([&](UpdateSink& sink) { sink.OnTreeAdded(tree); });
}
void UpdateSink::OnTreeRemoving(GameTree* tree) {
  Broadcast([&](UpdateSink& sink) { sink.OnTreeRemoving(tree); });
}
void UpdateSink::OnTreeRemoved(GameTree* parent, int index) {
  Broadcast([&](UpdateSink& sink) { sink.OnTreeRemoved(parent, index); });
}
void UpdateSink::OnTreeChanged(GameTree* tree) {
  Broadcast([&](UpdateSink& sink) { sink.OnTreeChanged(tree); });
}
void UpdateSink::OnNodeAdded(Node* node) {
  Broadcast([&](UpdateSink& sink) { sink.OnNodeAdded(node); });
}
void UpdateSink::OnNodeRemoving(Node* node) {
  Broadcast([&](UpdateSink& sink) { sink.OnNodeRemoving(node); });
}
void UpdateSink::OnNodeRemoved(GameTree* tree, int index) {
  Broadcast([&](UpdateSink& sink) { sink.OnNodeRemoved(tree, index); });
}
void UpdateSink::OnNodeChanged(Node* node) {
  Broadcast([&](UpdateSink& sink) { sink.OnNodeChanged(node); });
}

}  // namespace vantaro
