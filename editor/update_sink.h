#pragma once

#include <memory>
#include <vector>

namespace vantaro {

class GameTree;
class GoEditor;
class Node;

// The one observer interface between the editing engine and the views.
// GoEditor is a sink too, and its own sink part is the broadcaster: every
// notification raised on it is handed on, in attach order, to each sink
// attached to it. An observer overrides the notifications it cares about;
// the others do nothing on it (an observer has no sinks of its own).
class UpdateSink {
 public:
  UpdateSink() = default;
  UpdateSink(const UpdateSink&) = delete;
  UpdateSink& operator=(const UpdateSink&) = delete;
  virtual ~UpdateSink() = default;

  // Attaches this sink to the editor's broadcast list (once, however often it
  // is called) and remembers the editor; a null editor only forgets it. A
  // sink is never taken out of a list: the owner destroys an editor only
  // after its observers point elsewhere.
  virtual void SetEditor(GoEditor* editor);
  GoEditor* editor() const { return editor_; }

  virtual void OnHistoryChanged();
  virtual void OnStatusChanged();
  virtual void OnBoardChanged();
  virtual void OnViewOptionsChanged();
  // reason is 0 at every raiser; previous may be null.
  virtual void OnCurrentNodeChanged(int reason, Node* current, Node* previous);
  virtual void OnTreeAdded(GameTree* tree);
  virtual void OnTreeRemoving(GameTree* tree);
  virtual void OnTreeRemoved(GameTree* parent, int index);
  virtual void OnTreeChanged(GameTree* tree);
  virtual void OnNodeAdded(Node* node);
  virtual void OnNodeRemoving(Node* node);
  virtual void OnNodeRemoved(GameTree* tree, int index);
  virtual void OnNodeChanged(Node* node);

 private:
  void AddSink(UpdateSink* sink);
  template <typename Call>
  void Broadcast(Call call);

  std::unique_ptr<std::vector<UpdateSink*>> sinks_;  // null until the first attach
  GoEditor* editor_ = nullptr;
};

}  // namespace vantaro
