#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "memory/small_blocks.h"
#include "property/property.h"
#include "property/property_list.h"

namespace vantaro {

class GameTree;

// One SGF node: its properties in order, and the tree whose sequence holds it.
class Node {
 public:
  Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  // A large record holds millions of nodes: they live in small blocks.
  static void* operator new(std::size_t size);
  static void operator delete(void* pointer, std::size_t size);

  // The tree whose sequence holds the node; a clone points at its source's
  // tree without being in it, and a detached node points at nothing.
  GameTree* tree() const { return tree_; }

  PropertyList& properties() { return properties_; }
  const PropertyList& properties() const { return properties_; }

  // Lookups take the first match in property order.
  Property* Find(int id);
  const Property* Find(int id) const;
  const Property* FindMove() const;          // the first B or W
  bool HasStoneOrMoveAt(Point point) const;  // a B, W, AB or AW at the point
  bool Has(int id) const { return Find(id) != nullptr; }

  // The existing property, or a new one with the row's default value at the end.
  Property& GetOrCreate(int id);
  // Removes the first property with the id; false when there is none.
  bool Remove(int id);
  void Add(Property property) { properties_.push_back(std::move(property)); }

  // Position in its tree's sequence (0 when detached).
  int IndexInTree() const;

  // Takes the other node's tree pointer and deep copies of its properties.
  void AssignFrom(const Node& other);
  std::unique_ptr<Node> Clone() const;

  // Before a setup (AB, AE, AW) or markup (CR, TR, SQ, MA, LB) property is
  // added: removes the first property of the same family at the same point.
  void RemoveConflicting(const Property& incoming);

  int MemorySize() const;

 private:
  friend class GameTree;
  GameTree* tree_ = nullptr;
  PropertyList properties_;
};

// The position of a node: a list of child indices from the root (outermost
// first) and the node's index in the last tree.
struct TreePath {
  std::vector<int> children;
  int node = -1;
  bool operator==(const TreePath&) const = default;
};

struct Position {
  GameTree* tree = nullptr;
  int index = -1;
  Node* node() const;
};

// One SGF game tree: a sequence of nodes followed by variations. Child 0 is
// the main continuation.
class GameTree {
 public:
  explicit GameTree(GameTree* parent = nullptr) : parent_(parent) {}
  GameTree(const GameTree&) = delete;
  GameTree& operator=(const GameTree&) = delete;
  ~GameTree();

  static void* operator new(std::size_t size);
  static void operator delete(void* pointer, std::size_t size);

  using NodeVector = std::vector<std::unique_ptr<Node>, BlockAllocator<std::unique_ptr<Node>>>;
  using ChildVector =
      std::vector<std::unique_ptr<GameTree>, BlockAllocator<std::unique_ptr<GameTree>>>;

  GameTree* parent() const { return parent_; }
  const NodeVector& nodes() const { return nodes_; }
  const ChildVector& children() const { return children_; }
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  int ChildCount() const { return static_cast<int>(children_.size()); }

  // Null when the index is out of range, negative included.
  Node* NodeAt(int index) const;
  GameTree* ChildAt(int index) const;

  // Inserts at the index, or appends when it is negative.
  void InsertNode(std::unique_ptr<Node> node, int index = -1);
  // Moves all the nodes to the end of the sequence, leaving the vector empty.
  void AppendNodes(std::vector<std::unique_ptr<Node>>& nodes);
  std::unique_ptr<Node> DetachNode(int index);
  // Destroys every node without properties, the others keeping their order,
  // in one pass however many go.
  void RemoveEmptyNodes();
  void InsertChild(std::unique_ptr<GameTree> child, int index = -1);
  std::unique_ptr<GameTree> DetachChild(int index);

  // Position among the parent's children (0 for the root or when not found).
  int IndexInParent() const;

  // Moves the source's nodes from index k on, then all its children, to the
  // end of this tree (splitting and re-joining sequences).
  void MoveTailFrom(GameTree& source, int k);

  // Deep copy of the tree, its nodes and every variation below it.
  std::unique_ptr<GameTree> Clone() const;

  // A property of the first node of this tree.
  const Property* FindRootProperty(int id) const;

  TreePath PathOf(int index) const;
  // Fails when a child index is out of range or the node index is not a node
  // of the last tree.
  static std::optional<Position> Resolve(GameTree& root, const TreePath& path);

  // The root, or every tree on the way up is child 0 of its parent.
  bool IsOnMainLine() const;
  // Follows child 0 down to a tree without children; its last node.
  Node* LastNodeAlongFirstChildren() const;
  // Whether the node is one of the nodes before index in this tree, or any
  // node of an ancestor tree.
  bool Precedes(int index, const Node* node) const;

  int MemorySize() const;

 private:
  GameTree* parent_;
  NodeVector nodes_;
  ChildVector children_;
};

// Gives every tree without a node one new empty node, depth first.
void EnsureNodes(GameTree& tree);

struct RecordCounts {
  std::size_t nodes = 0;
  std::size_t trees = 0;
};
RecordCounts CountRecord(const GameTree& root);

// Visits the tree and every tree below it, parents before children, in child
// order, without recursion (records can nest variations deeply).
template <typename Tree, typename Visit>
void ForEachTree(Tree& root, Visit visit) {
  std::vector<Tree*> pending{&root};
  while (!pending.empty()) {
    Tree* tree = pending.back();
    pending.pop_back();
    visit(*tree);
    for (auto child = tree->children().rbegin(); child != tree->children().rend(); ++child) {
      pending.push_back(child->get());
    }
  }
}

}  // namespace vantaro
