#include "editor/actions.h"

#include "editor/go_editor.h"

namespace vantaro {
namespace {

// The root node carries the game information, which the title shows.
bool IsRootNode(const GameTree* tree, int index) {
  return tree != nullptr && tree->parent() == nullptr && index == 0;
}

}  // namespace

ActionAddNode::ActionAddNode(std::unique_ptr<Node> node, GameTree& tree, int index)
    : held_(std::move(node)), node_(held_.get()), tree_(tree), index_(index) {}

bool ActionAddNode::Do() {
  tree_.InsertNode(std::move(held_), index_);
  notify().OnNodeAdded(node_);
  if (IsRootNode(&tree_, index_)) notify().OnStatusChanged();
  return true;
}

bool ActionAddNode::Undo() {
  notify().OnNodeRemoving(node_);
  held_ = tree_.DetachNode(index_);
  notify().OnNodeRemoved(&tree_, index_);
  if (IsRootNode(&tree_, index_)) notify().OnStatusChanged();
  return held_ != nullptr;
}

int ActionAddNode::MemorySize() const {
  return 20 + (held_ ? held_->MemorySize() : 0);
}

bool ActionDeleteNode::Do() {
  tree_ = node_->tree();
  if (tree_ == nullptr) return false;
  index_ = node_->IndexInTree();
  notify().OnNodeRemoving(node_);
  held_ = tree_->DetachNode(index_);
  notify().OnNodeRemoved(tree_, index_);
  if (IsRootNode(tree_, index_)) notify().OnStatusChanged();
  return true;
}

bool ActionDeleteNode::Undo() {
  tree_->InsertNode(std::move(held_), index_);
  notify().OnNodeAdded(node_);
  if (IsRootNode(tree_, index_)) notify().OnStatusChanged();
  return true;
}

int ActionDeleteNode::MemorySize() const {
  return 24 + (held_ ? held_->MemorySize() : 0);
}

ActionReplaceNode::ActionReplaceNode(Node& target, std::unique_ptr<Node> content)
    : target_(target), content_(std::move(content)) {}

bool ActionReplaceNode::Do() {
  backup_ = target_.Clone();
  target_.properties() = content_->properties();
  notify().OnNodeChanged(&target_);
  if (IsRootNode(target_.tree(), target_.IndexInTree())) notify().OnStatusChanged();
  return true;
}

bool ActionReplaceNode::Undo() {
  target_.properties() = std::move(backup_->properties());
  backup_.reset();
  notify().OnNodeChanged(&target_);
  if (IsRootNode(target_.tree(), target_.IndexInTree())) notify().OnStatusChanged();
  return true;
}

int ActionReplaceNode::MemorySize() const {
  return 20 + content_->MemorySize() + (backup_ ? backup_->MemorySize() : 0);
}

bool ActionTypeComment::Do() {
  Show(after_);
  return true;
}

bool ActionTypeComment::Undo() {
  Show(before_);
  return true;
}

int ActionTypeComment::MemorySize() const {
  return 20 + static_cast<int>((before_.size() + after_.size()) * sizeof(char16_t));
}

void ActionTypeComment::Splice(size_t from, size_t removed, std::u16string_view added) {
  after_.replace(from, removed, added);
  Show(after_);
}

void ActionTypeComment::Show(const std::u16string& text) {
  if (text.empty()) {
    target_.Remove(kPropC);
  } else {
    target_.GetOrCreate(kPropC).SetText(text);
  }
  notify().OnNodeChanged(&target_);
}

bool ActionADProp::Do() {
  backup_ = target_.Clone();
  target_.RemoveConflicting(property_);
  target_.Add(property_);
  notify().OnNodeChanged(&target_);
  return true;
}

bool ActionADProp::Undo() {
  target_.properties() = std::move(backup_->properties());
  backup_.reset();
  notify().OnNodeChanged(&target_);
  return true;
}

int ActionADProp::MemorySize() const {
  return 20 + property_.MemorySize() + (backup_ ? backup_->MemorySize() : 0);
}

ActionAddBranch::ActionAddBranch(std::unique_ptr<GameTree> tree, GameTree& parent, int index,
                                 bool split)
    : held_(std::move(tree)), tree_(held_.get()), parent_(parent), index_(index), split_(split) {
  if (split_) tail_ = std::make_unique<GameTree>();
}

bool ActionAddBranch::Do() {
  if (!split_) {
    parent_.InsertChild(std::move(held_), index_);
    notify().OnTreeAdded(tree_);
    return true;
  }
  tail_->MoveTailFrom(parent_, index_);
  parent_.InsertChild(std::move(tail_));
  parent_.InsertChild(std::move(held_));
  notify().OnTreeChanged(&parent_);
  return true;
}

bool ActionAddBranch::Undo() {
  if (!split_) {
    notify().OnTreeRemoving(tree_);
    held_ = parent_.DetachChild(index_);
    notify().OnTreeRemoved(&parent_, index_);
    return held_ != nullptr;
  }
  tail_ = parent_.DetachChild(0);
  held_ = parent_.DetachChild(0);
  parent_.MoveTailFrom(*tail_, 0);
  notify().OnTreeChanged(&parent_);
  return true;
}

int ActionAddBranch::MemorySize() const {
  return 28 + (held_ ? held_->MemorySize() : 0) + (tail_ ? tail_->MemorySize() : 0);
}

bool ActionDeleteBranch::Do() {
  parent_ = tree_->parent();
  if (parent_ == nullptr) return false;
  index_ = tree_->IndexInParent();
  notify().OnTreeRemoving(tree_);
  held_ = parent_->DetachChild(index_);
  notify().OnTreeRemoved(parent_, index_);
  return true;
}

bool ActionDeleteBranch::Undo() {
  parent_->InsertChild(std::move(held_), index_);
  notify().OnTreeAdded(tree_);
  return true;
}

int ActionDeleteBranch::MemorySize() const {
  return 24 + (held_ ? held_->MemorySize() : 0);
}

bool ActionMergeBranch::Do() {
  parent_ = child_->parent();
  if (parent_ == nullptr) return false;
  index_ = child_->IndexInParent();
  parentNodes_ = parent_->NodeCount();
  parentChildren_ = parent_->ChildCount();
  parent_->MoveTailFrom(*child_, 0);
  held_ = parent_->DetachChild(index_);
  notify().OnTreeChanged(parent_);
  return true;
}

bool ActionMergeBranch::Undo() {
  parent_->InsertChild(std::move(held_), index_);
  // Nodes and children added by the merge go back, without moving the others.
  for (int i = parentNodes_; i < parent_->NodeCount();) {
    child_->InsertNode(parent_->DetachNode(i));
  }
  while (parent_->ChildCount() > parentChildren_) {
    child_->InsertChild(parent_->DetachChild(parentChildren_));
  }
  notify().OnTreeChanged(parent_);
  return true;
}

int ActionMergeBranch::MemorySize() const {
  return 32 + (held_ ? held_->MemorySize() : 0);
}

ActionReplaceBranch::ActionReplaceBranch(GameTree& old, std::unique_ptr<GameTree> replacement)
    : held_(std::move(replacement)), parent_(old.parent()), index_(old.IndexInParent()) {}

void ActionReplaceBranch::Swap() {
  GameTree* incoming = held_.get();
  if (parent_ == nullptr) {
    held_ = editor().ReplaceRecord(std::move(held_));
    notify().OnStatusChanged();
    notify().OnTreeChanged(incoming);
  } else {
    std::unique_ptr<GameTree> outgoing = parent_->DetachChild(index_);
    parent_->InsertChild(std::move(held_), index_);
    held_ = std::move(outgoing);
    notify().OnTreeChanged(parent_);
  }
}

bool ActionReplaceBranch::Do() {
  Swap();
  return true;
}

bool ActionReplaceBranch::Undo() {
  Swap();
  return true;
}

int ActionReplaceBranch::MemorySize() const {
  return 20 + (held_ ? held_->MemorySize() : 0);
}

bool ActionSetCodePage::Do() {
  previous_ = editor().codePage();
  editor().SetCodePage(codePage_);
  return true;
}

bool ActionSetCodePage::Undo() {
  editor().SetCodePage(previous_);
  return true;
}

}  // namespace vantaro
