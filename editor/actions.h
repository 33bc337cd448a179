#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "editor/transaction.h"
#include "game/game_tree.h"

// The reversible changes a transaction is made of. "Held" pieces of the
// record belong to the action until it puts them (back) in.
namespace vantaro {

// Inserts a node into a tree at an index.
class ActionAddNode : public Action {
 public:
  ActionAddNode(std::unique_ptr<Node> node, GameTree& tree, int index);
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  std::unique_ptr<Node> held_;
  Node* node_;
  GameTree& tree_;
  int index_;
};

// Takes a node out of its tree.
class ActionDeleteNode : public Action {
 public:
  explicit ActionDeleteNode(Node& node) : node_(&node) {}
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  Node* node_;
  std::unique_ptr<Node> held_;
  GameTree* tree_ = nullptr;
  int index_ = 0;
};

// Changes the text of a node's comment. While the user types on, each
// keystroke is spliced into the one action (Splice), so that the run is one
// undo step and a keystroke copies what it changes, not a second comment.
class ActionTypeComment : public Action {
 public:
  ActionTypeComment(Node& target, std::u16string before, std::u16string after)
      : target_(target), before_(std::move(before)), after_(std::move(after)) {}
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

  Node& target() const { return target_; }
  const std::u16string& text() const { return after_; }
  // The characters [from, from + removed) give way to added, in the node too.
  void Splice(size_t from, size_t removed, std::u16string_view added);

 private:
  void Show(const std::u16string& text);

  Node& target_;
  std::u16string before_;
  std::u16string after_;
};

// Gives a node the properties of another (its content), keeping the node.
class ActionReplaceNode : public Action {
 public:
  ActionReplaceNode(Node& target, std::unique_ptr<Node> content);
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  Node& target_;
  std::unique_ptr<Node> content_;
  std::unique_ptr<Node> backup_;
};

// Adds a property to a node, first removing the setup or markup property at
// the same point that it replaces.
class ActionADProp : public Action {
 public:
  ActionADProp(Property property, Node& target) : property_(std::move(property)), target_(target) {}
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  Property property_;
  Node& target_;
  std::unique_ptr<Node> backup_;
};

// Adds a variation: appended as the last child of the parent, or, when split,
// after the parent's node at index-1: the parent's nodes from index on and its
// children become child 0 and the new tree child 1.
class ActionAddBranch : public Action {
 public:
  ActionAddBranch(std::unique_ptr<GameTree> tree, GameTree& parent, int index, bool split);
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  std::unique_ptr<GameTree> held_;
  GameTree* tree_;
  GameTree& parent_;
  int index_;
  bool split_;
  std::unique_ptr<GameTree> tail_;
};

// Takes a variation out of its parent.
class ActionDeleteBranch : public Action {
 public:
  explicit ActionDeleteBranch(GameTree& tree) : tree_(&tree) {}
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  GameTree* tree_;
  std::unique_ptr<GameTree> held_;
  GameTree* parent_ = nullptr;
  int index_ = 0;
};

// Folds a variation into its parent: its nodes join the parent's sequence
// and its children become the parent's.
class ActionMergeBranch : public Action {
 public:
  explicit ActionMergeBranch(GameTree& child) : child_(&child) {}
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  GameTree* child_;
  std::unique_ptr<GameTree> held_;
  GameTree* parent_ = nullptr;
  int index_ = 0;
  int parentNodes_ = 0;
  int parentChildren_ = 0;
};

// Makes a code page the record's: the one Save encodes text with.
class ActionSetCodePage : public Action {
 public:
  explicit ActionSetCodePage(int codePage) : codePage_(codePage) {}
  bool Do() override;
  bool Undo() override;

 private:
  int codePage_;
  int previous_ = 0;
};

// Puts a tree in another's place: a child slot, or the whole record.
class ActionReplaceBranch : public Action {
 public:
  ActionReplaceBranch(GameTree& old, std::unique_ptr<GameTree> replacement);
  bool Do() override;
  bool Undo() override;
  int MemorySize() const override;

 private:
  // Exchanges the held tree with the one in the slot.
  void Swap();

  std::unique_ptr<GameTree> held_;
  GameTree* parent_;  // null when the slot is the record itself
  int index_;
};

}  // namespace vantaro
