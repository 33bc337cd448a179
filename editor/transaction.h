#pragma once

#include <memory>
#include <vector>

namespace vantaro {

class GoEditor;
class Node;
class Tran;
class UpdateSink;

// One reversible change of the record. An action owns whatever piece of the
// record it has taken out, and raises the node and tree notifications of
// its change on the editor. A false result means the action changed nothing;
// it stops the transaction, which then takes back what its earlier actions did.
class Action {
 public:
  virtual ~Action() = default;
  virtual bool Do() = 0;
  virtual bool Undo() = 0;
  virtual int MemorySize() const { return 8; }

  void SetOwner(Tran* owner) { owner_ = owner; }

 protected:
  GoEditor& editor() const;
  UpdateSink& notify() const;  // the editor's broadcaster

 private:
  Tran* owner_ = nullptr;
};

// A change of the record or of the cursor: actions done in order and undone
// in reverse, and the current node and modified flag before and after.
class Tran {
 public:
  explicit Tran(GoEditor& editor) : editor_(&editor) {}
  Tran(const Tran&) = delete;
  Tran& operator=(const Tran&) = delete;

  void Add(std::unique_ptr<Action> action);

  // Does every action in order, makes nodeAfter current and raises board,
  // current-node, status (when the modified flag changes) and history. When
  // an action fails, the ones before it are undone again and the result is
  // false: the record, the cursor and the modified flag stay as they were.
  bool Do();
  // The reverse, back to nodeBefore; a failure likewise redoes what was
  // undone and leaves everything as it was.
  bool Undo();
  int MemorySize() const;
  // Computed after the first Do and kept: what the undo history is bounded by.
  int size() const { return size_; }

  GoEditor& editor() const { return *editor_; }

  Node* nodeBefore = nullptr;
  Node* nodeAfter = nullptr;
  bool modifiedBefore = false;
  bool modifiedAfter = true;

 private:
  std::vector<std::unique_ptr<Action>> actions_;
  GoEditor* editor_;
  int size_ = -1;
};

}  // namespace vantaro
