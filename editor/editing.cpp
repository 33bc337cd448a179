// The editing operations of the editor. Each builds one transaction and
// commits it, so that every change can be undone.
#include <algorithm>

#include "editor/actions.h"
#include "editor/go_editor.h"
#include "game/tag_filter.h"
#include "game/tree_search.h"

namespace vantaro {
namespace {

int ToolProperty(Tool tool) {
  switch (tool) {
    case Tool::AddBlack:
      return kPropAB;
    case Tool::AddWhite:
      return kPropAW;
    case Tool::AddEmpty:
      return kPropAE;
    case Tool::Circle:
      return kPropCR;
    case Tool::Triangle:
      return kPropTR;
    case Tool::Square:
      return kPropSQ;
    case Tool::Cross:
      return kPropMA;
    case Tool::Label:
      return kPropLB;
    default:
      return kPropUnknown;
  }
}

bool HasAny(const Node& node, std::initializer_list<int> ids) {
  for (const Property& property : node.properties()) {
    if (std::find(ids.begin(), ids.end(), property.id()) != ids.end()) return true;
  }
  return false;
}

// Whether the property must go into a node of its own after the current one.
bool NeedsNewNode(const Node& current, int id, bool isRootNode) {
  if (IsMoveProperty(id))
    return isRootNode || HasAny(current, {kPropB, kPropW, kPropAB, kPropAW, kPropAE});
  if (IsSetupProperty(id)) return HasAny(current, {kPropB, kPropW});
  return false;
}

}  // namespace

bool GoEditor::EditAllowed() const {
  return record_ != nullptr && mode_ == EditorMode::Normal && (!readOnly_ || tryPlayActive_);
}

void GoEditor::ChooseTool(Tool tool) {
  if (tool == tool_) {
    if (tool == Tool::AlternateMove) SetBlackToPlay(!blackToPlay());
    tool_ = Tool::AlternateMove;
    return;
  }
  tool_ = tool;
  if (tool >= Tool::Circle && tool <= Tool::Label) options_.defaultMarker = static_cast<int>(tool);
}

void GoEditor::Click(Point point) {
  if (!record_ || !OnBoard(point.x, point.y)) return;
  if (mode_ == EditorMode::AwaitingClick) {
    GoToClickedPoint(point);
    return;
  }
  ClickWithTool(point);
}

bool GoEditor::ClickWithTool(Point point) {
  if (tool_ == Tool::AlternateMove) {
    // A tap where the game already continues follows it, even read-only.
    if (Node* next = NextMoveAtPoint(*cursorTree_, cursorIndex_ + 1, point)) return GoToNode(next);
    return EditAllowed() && PlayMove(point, !blackToPlay());
  }
  if (!EditAllowed()) return false;
  const Node* current = CurrentNode();
  if (tool_ == Tool::DeleteMarkers) return RemoveMarkup(point);
  if (tool_ == Tool::Label) {
    for (const Property& property : current->properties()) {
      if (property.id() == kPropLB && property.point() == point) return RemoveMarkup(point);
    }
    return AddLabel(point);
  }
  const int id = ToolProperty(tool_);
  for (const Property& property : current->properties()) {
    const bool sameTool =
        property.id() == id || ((id == kPropAB || id == kPropAW) &&
                                (property.id() == kPropAB || property.id() == kPropAW));
    if (sameTool && property.point() == point) return RemoveMarkup(point);
  }
  const bool empty = Cell(point.x, point.y) == 0;
  if (((id == kPropAB || id == kPropAW) && !empty) || (id == kPropAE && empty)) return false;
  return CommitPropertyAt(Property::WithPoint(id, point), false);
}

bool GoEditor::PlayMove(Point point, bool white) {
  if (!EditAllowed()) return false;
  const int id = white ? kPropW : kPropB;
  const bool pass = point.x < 0 && point.y < 0;
  if (!pass && !IsLegalMove(point, id)) return false;
  const Node* current = CurrentNode();
  const bool atEnd = current != nullptr && cursorIndex_ + 1 == cursorTree_->NodeCount() &&
                     cursorTree_->ChildCount() == 0;
  if (!CommitPropertyAt(Property::WithPoint(id, pass ? Point{} : point),
                        options_.autoBranch && !atEnd)) {
    return false;
  }
  PlayMoveSound();
  return true;
}

bool GoEditor::Pass() {
  return CanPass() && PlayMove(Point{}, !blackToPlay());
}

bool GoEditor::CommitPropertyAt(Property property, bool newBranch) {
  if (newBranch) {
    auto tree = std::make_unique<GameTree>();
    tree->InsertNode(std::make_unique<Node>());
    tree->NodeAt(0)->Add(std::move(property));
    return AddBranchTree(std::move(tree), nullptr);
  }
  auto tran = std::make_unique<Tran>(*this);
  Node* current = CurrentNode();
  GameTree& tree = cursorTree_ != nullptr ? *cursorTree_ : *record_;
  const bool isRootNode = cursorTree_ == record_.get() && cursorIndex_ == 0;
  if (current == nullptr || NeedsNewNode(*current, property.id(), isRootNode)) {
    auto node = std::make_unique<Node>();
    node->Add(std::move(property));
    tran->nodeAfter = node.get();
    tran->Add(std::make_unique<ActionAddNode>(std::move(node), tree, cursorIndex_ + 1));
  } else {
    tran->nodeAfter = current;
    tran->Add(std::make_unique<ActionADProp>(std::move(property), *current));
  }
  return Commit(std::move(tran));
}

// After the last node of a sequence the tree becomes the last variation;
// elsewhere the sequence is split after the current node first.
bool GoEditor::AddBranchTree(std::unique_ptr<GameTree> tree, Node* target) {
  auto tran = std::make_unique<Tran>(*this);
  tran->nodeAfter = target != nullptr ? target : tree->NodeAt(0);
  const bool atEnd = cursorIndex_ + 1 >= cursorTree_->NodeCount();
  const int index = atEnd ? cursorTree_->ChildCount() : cursorIndex_ + 1;
  tran->Add(std::make_unique<ActionAddBranch>(std::move(tree), *cursorTree_, index, !atEnd));
  return Commit(std::move(tran));
}

bool GoEditor::AddBranch() {
  if (!EditAllowed()) return false;
  auto tree = std::make_unique<GameTree>();
  tree->InsertNode(std::make_unique<Node>());
  return AddBranchTree(std::move(tree), nullptr);
}

// Labels are letters in sequence: one past the greatest label of the node.
bool GoEditor::AddLabel(Point point) {
  if (!EditAllowed()) return false;
  int next = options_.autoLabelStartFrom;
  bool found = false;
  for (const Property& property : CurrentNode()->properties()) {
    if (property.id() != kPropLB || property.text().empty()) continue;
    const int first = property.text().front();
    next = found ? std::max(next, first + 1) : first + 1;
    found = true;
  }
  const std::u16string text(1, static_cast<char16_t>(next));
  return CommitPropertyAt(Property::WithPointText(kPropLB, point, text), false);
}

bool GoEditor::CommitNodeCopy(Node& node, std::unique_ptr<Node> copy) {
  auto tran = std::make_unique<Tran>(*this);
  tran->nodeAfter = CurrentNode();
  tran->Add(std::make_unique<ActionReplaceNode>(node, std::move(copy)));
  return Commit(std::move(tran));
}

bool GoEditor::RemoveMarkup(Point point) {
  if (!EditAllowed() || CurrentNode() == nullptr) return false;
  std::unique_ptr<Node> copy = CurrentNode()->Clone();
  PropertyList& properties = copy->properties();
  const size_t before = properties.size();
  for (size_t i = properties.size(); i-- > 0;) {
    const int id = properties[i].id();
    if ((IsSetupProperty(id) || IsMarkupProperty(id)) && properties[i].point() == point)
      properties.erase(i);
  }
  if (properties.size() == before) return false;
  return CommitNodeCopy(*CurrentNode(), std::move(copy));
}

bool GoEditor::CanDelete() const {
  return EditAllowed() && CurrentNode() != nullptr &&
         !(cursorIndex_ == 0 && cursorTree_->parent() == nullptr);
}

bool GoEditor::Delete() {
  if (!CanDelete()) return false;
  auto tran = std::make_unique<Tran>(*this);
  GameTree& tree = *cursorTree_;
  if (cursorIndex_ >= 1) {
    tran->nodeAfter = tree.NodeAt(cursorIndex_ - 1);
    tran->Add(std::make_unique<ActionDeleteNode>(*CurrentNode()));
  } else if (IsBranchMode() || tree.ChildCount() == 0) {
    GameTree& parent = *tree.parent();
    tran->nodeAfter = parent.NodeAt(parent.NodeCount() - 1);
    const bool merge = options_.mergeIfOnlyOneChild && parent.ChildCount() == 2;
    GameTree* sibling = parent.ChildAt(tree.IndexInParent() == 0 ? 1 : 0);
    tran->Add(std::make_unique<ActionDeleteBranch>(tree));
    if (merge) tran->Add(std::make_unique<ActionMergeBranch>(*sibling));
  } else {
    // Outside branch mode a variation with continuations gives way to its
    // first continuation.
    std::unique_ptr<GameTree> copy = tree.ChildAt(0)->Clone();
    tran->nodeAfter = copy->NodeAt(0);
    tran->Add(std::make_unique<ActionReplaceBranch>(tree, std::move(copy)));
  }
  return Commit(std::move(tran));
}

bool GoEditor::DeleteAfterCurrent() {
  if (!EditAllowed() || CurrentNode() == nullptr) return false;
  GameTree& tree = *cursorTree_;
  if (cursorIndex_ + 1 == tree.NodeCount() && tree.ChildCount() == 0) return false;
  auto kept = std::make_unique<GameTree>();
  for (int i = 0; i <= cursorIndex_; ++i) kept->InsertNode(tree.NodeAt(i)->Clone());
  auto tran = std::make_unique<Tran>(*this);
  tran->nodeAfter = kept->NodeAt(cursorIndex_);
  tran->Add(std::make_unique<ActionReplaceBranch>(tree, std::move(kept)));
  return Commit(std::move(tran));
}

bool GoEditor::SetNodeText(int id, std::u16string_view text, Node* node) {
  if (!EditAllowed()) return false;
  if (node == nullptr) node = CurrentNode();
  if (node == nullptr) return false;
  std::unique_ptr<Node> copy = node->Clone();
  if (!text.empty()) {
    Property& property = copy->GetOrCreate(id);
    if (property.text() == text) return false;
    property.SetText(text);
  } else if (!copy->Remove(id)) {
    return false;
  }
  return CommitNodeCopy(*node, std::move(copy));
}

bool GoEditor::SetNodeName(std::u16string_view name) {
  return CanSetNodeName() && SetNodeText(kPropN, name, nullptr);
}

bool GoEditor::SetComment(std::u16string_view comment, Node* node) {
  return SetNodeText(kPropC, comment, node);
}

bool GoEditor::TypeInComment(size_t from, size_t removed, std::u16string_view added) {
  Node* node = CurrentNode();
  if (!EditAllowed() || node == nullptr) return false;
  if (typing_ != nullptr && &typing_->target() == node && undo_.Last() != nullptr) {
    const std::u16string& text = typing_->text();
    if (from > text.size() || removed > text.size() - from) return false;
    typing_->Splice(from, removed, added);
    return true;
  }
  const Property* comment = node->Find(kPropC);
  std::u16string before(comment != nullptr ? comment->text() : std::u16string_view());
  if (from > before.size() || removed > before.size() - from) return false;
  std::u16string after = before;
  after.replace(from, removed, added);
  if (after == before) return false;
  auto action = std::make_unique<ActionTypeComment>(*node, std::move(before), std::move(after));
  ActionTypeComment* run = action.get();
  auto tran = std::make_unique<Tran>(*this);
  tran->nodeAfter = node;
  tran->Add(std::move(action));
  if (!Commit(std::move(tran))) return false;
  typing_ = run;
  return true;
}

std::u16string GoEditor::NodeName() const {
  const Node* node = CurrentNode();
  const Property* name = node != nullptr ? node->Find(kPropN) : nullptr;
  return name != nullptr ? std::u16string(name->text()) : std::u16string();
}

std::u16string GoEditor::Comment() const {
  const Node* node = CurrentNode();
  const Property* comment = node != nullptr ? node->Find(kPropC) : nullptr;
  return comment != nullptr ? std::u16string(comment->text()) : std::u16string();
}

int GoEditor::SuggestedMoveNumber() const {
  const Node* node = CurrentNode();
  return node != nullptr && node->FindMove() != nullptr ? moveNumber() : moveNumber() + 1;
}

bool GoEditor::SetMoveNumber(int number) {
  if (!CanSetMoveNumber() || CurrentNode() == nullptr) return false;
  std::unique_ptr<Node> copy = CurrentNode()->Clone();
  copy->GetOrCreate(kPropMN).SetNumber(number);
  return CommitNodeCopy(*CurrentNode(), std::move(copy));
}

bool GoEditor::CanUnsetMoveNumber() const {
  return EditAllowed() && CurrentNode() != nullptr && CurrentNode()->Has(kPropMN);
}

bool GoEditor::UnsetMoveNumber() {
  if (!CanUnsetMoveNumber()) return false;
  std::unique_ptr<Node> copy = CurrentNode()->Clone();
  copy->Remove(kPropMN);
  return CommitNodeCopy(*CurrentNode(), std::move(copy));
}

// Numbering restarts at 1 after every `every` moves, counted from the root
// along each line.
bool GoEditor::AutoSetMoveNumbers(int every) {
  if (!EditAllowed() || every <= 0) return false;
  std::unique_ptr<GameTree> copy = record_->Clone();
  struct Pending {
    GameTree* tree;
    int count;
  };
  std::vector<Pending> pending{{copy.get(), 0}};
  while (!pending.empty()) {
    auto [tree, count] = pending.back();
    pending.pop_back();
    for (const auto& node : tree->nodes()) {
      count += MovesIn(*node) > 0 ? 1 : 0;
      if (count - 1 > 0 && (count - 1) % every == 0) {
        while (node->Remove(kPropMN)) {
        }
        node->Add(Property::WithNumber(kPropMN, 1));
      }
    }
    for (const auto& child : tree->children()) pending.push_back({child.get(), count});
  }
  return ReplaceWholeRecord(std::move(copy), nullptr, true, true);
}

bool GoEditor::UnsetAllMoveNumbers() {
  if (!EditAllowed()) return false;
  std::unique_ptr<GameTree> copy = record_->Clone();
  FilterTags(*copy, "MN");
  return ReplaceWholeRecord(std::move(copy), nullptr, true, true);
}

bool GoEditor::ReplaceWholeRecord(std::unique_ptr<GameTree> tree, Node* target, bool keepCursor,
                                  bool modifiedAfter, std::optional<int> codePage) {
  if (target == nullptr && keepCursor) {
    if (const auto position = GameTree::Resolve(*tree, CurrentPath())) target = position->node();
  }
  if (target == nullptr) target = tree->NodeAt(0);
  auto tran = std::make_unique<Tran>(*this);
  tran->nodeAfter = target;
  tran->modifiedAfter = modifiedAfter;
  if (codePage) tran->Add(std::make_unique<ActionSetCodePage>(*codePage));
  tran->Add(std::make_unique<ActionReplaceBranch>(*record_, std::move(tree)));
  return Commit(std::move(tran));
}

}  // namespace vantaro
