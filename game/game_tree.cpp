#include "game/game_tree.h"

#include <algorithm>

#include "memory/small_blocks.h"

namespace vantaro {

void* Node::operator new(std::size_t size) {
  static_assert(alignof(Node) <= kBlockAlignment);
  return AllocateBlock(size);
}
void Node::operator delete(void* pointer, std::size_t size) {
  ReleaseBlock(pointer, size);
}

Property* Node::Find(int id) {
  for (Property& property : properties_) {
    if (property.id() == id) return &property;
  }
  return nullptr;
}

const Property* Node::Find(int id) const {
  return const_cast<Node*>(this)->Find(id);
}

const Property* Node::FindMove() const {
  for (const Property& property : properties_) {
    if (IsMoveProperty(property.id())) return &property;
  }
  return nullptr;
}

bool Node::HasStoneOrMoveAt(Point point) const {
  for (const Property& property : properties_) {
    const int id = property.id();
    if ((id == kPropB || id == kPropW || id == kPropAB || id == kPropAW) &&
        property.point() == point) {
      return true;
    }
  }
  return false;
}

Property& Node::GetOrCreate(int id) {
  if (Property* existing = Find(id)) return *existing;
  properties_.push_back(Property(id));
  return properties_[properties_.size() - 1];
}

bool Node::Remove(int id) {
  for (std::size_t i = 0; i < properties_.size(); ++i) {
    if (properties_[i].id() == id) {
      properties_.erase(i);
      return true;
    }
  }
  return false;
}

int Node::IndexInTree() const {
  if (tree_ == nullptr) return 0;
  const auto& nodes = tree_->nodes();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].get() == this) return static_cast<int>(i);
  }
  return 0;
}

void Node::AssignFrom(const Node& other) {
  tree_ = other.tree_;
  properties_ = other.properties_;
}

std::unique_ptr<Node> Node::Clone() const {
  auto clone = std::make_unique<Node>();
  clone->AssignFrom(*this);
  return clone;
}

void Node::RemoveConflicting(const Property& incoming) {
  const int id = incoming.id();
  const bool setup = IsSetupProperty(id);
  if (!setup && !IsMarkupProperty(id)) return;
  for (std::size_t i = 0; i < properties_.size(); ++i) {
    const Property& existing = properties_[i];
    const bool sameFamily =
        setup ? IsSetupProperty(existing.id()) : IsMarkupProperty(existing.id());
    if (sameFamily && existing.point() == incoming.point()) {
      properties_.erase(i);
      return;
    }
  }
}

int Node::MemorySize() const {
  int size = 32;
  for (const Property& property : properties_) size += 4 + property.MemorySize();
  return size;
}

Node* Position::node() const {
  return tree ? tree->NodeAt(index) : nullptr;
}

GameTree::~GameTree() {
  // Dismantle the variations without recursion: a deeply nested record
  // would otherwise exhaust the stack.
  ChildVector pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<GameTree> tree = std::move(pending.back());
    pending.pop_back();
    for (auto& child : tree->children_) pending.push_back(std::move(child));
    tree->children_.clear();
  }
}

void* GameTree::operator new(std::size_t size) {
  static_assert(alignof(GameTree) <= kBlockAlignment);
  return AllocateBlock(size);
}
void GameTree::operator delete(void* pointer, std::size_t size) {
  ReleaseBlock(pointer, size);
}

Node* GameTree::NodeAt(int index) const {
  if (index < 0 || index >= NodeCount()) return nullptr;
  return nodes_[static_cast<std::size_t>(index)].get();
}

GameTree* GameTree::ChildAt(int index) const {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return children_[static_cast<std::size_t>(index)].get();
}

void GameTree::InsertNode(std::unique_ptr<Node> node, int index) {
  node->tree_ = this;
  if (index < 0 || index >= NodeCount()) {
    nodes_.push_back(std::move(node));
  } else {
    nodes_.insert(nodes_.begin() + index, std::move(node));
  }
}

void GameTree::AppendNodes(std::vector<std::unique_ptr<Node>>& nodes) {
  // Growth stays geometric: a reader may append to one sequence many times,
  // and an exact reservation would copy the whole sequence every time.
  const std::size_t needed = nodes_.size() + nodes.size();
  if (needed > nodes_.capacity()) nodes_.reserve(std::max(needed, 2 * nodes_.capacity()));
  for (auto& node : nodes) {
    node->tree_ = this;
    nodes_.push_back(std::move(node));
  }
  nodes.clear();
}

std::unique_ptr<Node> GameTree::DetachNode(int index) {
  if (index < 0 || index >= NodeCount()) return nullptr;
  std::unique_ptr<Node> node = std::move(nodes_[static_cast<std::size_t>(index)]);
  nodes_.erase(nodes_.begin() + index);
  node->tree_ = nullptr;
  return node;
}

void GameTree::RemoveEmptyNodes() {
  std::erase_if(nodes_,
                [](const std::unique_ptr<Node>& node) { return node->properties().empty(); });
}

void GameTree::InsertChild(std::unique_ptr<GameTree> child, int index) {
  child->parent_ = this;
  if (index < 0 || index >= ChildCount()) {
    children_.push_back(std::move(child));
  } else {
    children_.insert(children_.begin() + index, std::move(child));
  }
}

std::unique_ptr<GameTree> GameTree::DetachChild(int index) {
  if (index < 0 || index >= ChildCount()) return nullptr;
  std::unique_ptr<GameTree> child = std::move(children_[static_cast<std::size_t>(index)]);
  children_.erase(children_.begin() + index);
  child->parent_ = nullptr;
  return child;
}

int GameTree::IndexInParent() const {
  if (parent_ == nullptr) return 0;
  const auto& siblings = parent_->children_;
  for (std::size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].get() == this) return static_cast<int>(i);
  }
  return 0;
}

void GameTree::MoveTailFrom(GameTree& source, int k) {
  k = std::max(k, 0);
  for (int i = k; i < source.NodeCount(); ++i) {
    auto& node = source.nodes_[static_cast<std::size_t>(i)];
    node->tree_ = this;
    nodes_.push_back(std::move(node));
  }
  if (k < source.NodeCount()) source.nodes_.erase(source.nodes_.begin() + k, source.nodes_.end());
  for (auto& child : source.children_) {
    child->parent_ = this;
    children_.push_back(std::move(child));
  }
  source.children_.clear();
}

std::unique_ptr<GameTree> GameTree::Clone() const {
  auto copy = std::make_unique<GameTree>(nullptr);
  std::vector<std::pair<const GameTree*, GameTree*>> pending{{this, copy.get()}};
  while (!pending.empty()) {
    const auto [source, target] = pending.back();
    pending.pop_back();
    target->nodes_.reserve(source->nodes_.size());
    for (const auto& node : source->nodes_) target->InsertNode(node->Clone());
    for (const auto& child : source->children_) {
      target->InsertChild(std::make_unique<GameTree>(target));
      pending.emplace_back(child.get(), target->children_.back().get());
    }
  }
  return copy;
}

const Property* GameTree::FindRootProperty(int id) const {
  return nodes_.empty() ? nullptr : nodes_.front()->Find(id);
}

TreePath GameTree::PathOf(int index) const {
  TreePath path;
  path.node = index;
  for (const GameTree* tree = this; tree->parent_ != nullptr; tree = tree->parent_) {
    path.children.push_back(tree->IndexInParent());
  }
  std::reverse(path.children.begin(), path.children.end());
  return path;
}

std::optional<Position> GameTree::Resolve(GameTree& root, const TreePath& path) {
  GameTree* tree = &root;
  for (int child : path.children) {
    tree = tree->ChildAt(child);
    if (tree == nullptr) return std::nullopt;
  }
  if (path.node < 0 || path.node >= tree->NodeCount()) return std::nullopt;
  return Position{tree, path.node};
}

bool GameTree::IsOnMainLine() const {
  for (const GameTree* tree = this; tree->parent_ != nullptr; tree = tree->parent_) {
    if (tree->parent_->ChildAt(0) != tree) return false;
  }
  return true;
}

Node* GameTree::LastNodeAlongFirstChildren() const {
  Node* last = nullptr;
  for (const GameTree* tree = this; tree != nullptr; tree = tree->ChildAt(0)) {
    if (!tree->nodes_.empty()) last = tree->nodes_.back().get();
  }
  return last;
}

bool GameTree::Precedes(int index, const Node* node) const {
  if (node == nullptr) return false;
  for (int i = 0; i < index && i < NodeCount(); ++i) {
    if (nodes_[static_cast<std::size_t>(i)].get() == node) return true;
  }
  for (const GameTree* tree = parent_; tree != nullptr; tree = tree->parent_) {
    for (const auto& candidate : tree->nodes_) {
      if (candidate.get() == node) return true;
    }
  }
  return false;
}

int GameTree::MemorySize() const {
  long long size = 0;
  ForEachTree(*this, [&size](const GameTree& tree) {
    size += 48;
    for (const auto& node : tree.nodes()) size += node->MemorySize() + 4;
    size += 4LL * tree.ChildCount();
  });
  return static_cast<int>(std::min<long long>(size, INT32_MAX));
}

void EnsureNodes(GameTree& tree) {
  ForEachTree(tree, [](GameTree& each) {
    if (each.NodeCount() == 0) each.InsertNode(std::make_unique<Node>());
  });
}

RecordCounts CountRecord(const GameTree& root) {
  RecordCounts counts;
  ForEachTree(root, [&counts](const GameTree& tree) {
    ++counts.trees;
    counts.nodes += tree.nodes().size();
  });
  return counts;
}

}  // namespace vantaro
