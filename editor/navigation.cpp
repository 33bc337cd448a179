// The navigation commands of the editor: where each one moves the cursor.
#include "editor/go_editor.h"
#include "game/tree_search.h"

namespace vantaro {
namespace {

bool HasComment(const Node& node) {
  return node.Has(kPropC);
}

}  // namespace

bool GoEditor::CanFirst() const {
  return Navigable() && cursorTree_ != nullptr &&
         (cursorIndex_ > 0 || cursorTree_->parent() != nullptr);
}

bool GoEditor::First() {
  if (!CanFirst()) return false;
  return GoToNode(record_->NodeAt(0));
}

bool GoEditor::Last() {
  if (!Navigable() || cursorTree_ == nullptr) return false;
  Node* target = cursorTree_->LastNodeAlongFirstChildren();
  if (target == nullptr || target == CurrentNode()) return false;
  return GoToNode(target);
}

// Forward stepping follows one line on the main line outside branch mode;
// elsewhere it may go on into sibling variations.
Node* GoEditor::NextTarget(int steps) const {
  if (cursorTree_ == nullptr) return nullptr;
  SearchFlags flags;
  flags.branchMode = IsBranchMode();
  flags.variantFirst = options_.variantBranchFirst && !flags.branchMode;
  flags.siblings = options_.canGoSibling && (flags.branchMode || !cursorTree_->IsOnMainLine());
  StepCounter counter(steps);
  Node* found = SearchForward(*cursorTree_, cursorIndex_ + 1, flags, counter.Predicate());
  return counter.Result(found);
}

bool GoEditor::CanNext() const {
  if (!Navigable()) return false;
  const Node* target = NextTarget(1);
  return target != nullptr && target != CurrentNode();
}

bool GoEditor::Next(int steps) {
  if (!Navigable()) return false;
  Node* target = NextTarget(steps);
  if (target == nullptr || target == CurrentNode()) return false;
  return GoToNode(target);
}

Node* GoEditor::PreviousTarget(int steps) const {
  if (cursorTree_ == nullptr) return nullptr;
  SearchFlags flags;
  flags.branchMode = IsBranchMode();
  flags.variantFirst = options_.variantBranchFirst && !flags.branchMode;
  const bool climbing = options_.canGoSibling && !options_.useGoUpAsPrevious;
  StepCounter counter(steps);
  Node* found =
      SearchBackward(*cursorTree_, cursorIndex_ - 1, flags, climbing, counter.Predicate());
  return counter.Result(found);
}

bool GoEditor::Previous(int steps) {
  if (!CanPrevious()) return false;
  Node* target = PreviousTarget(steps);
  if (target == nullptr || target == CurrentNode()) return false;
  return GoToNode(target);
}

bool GoEditor::CanParent() const {
  return Navigable() && cursorTree_ != nullptr && cursorTree_->parent() != nullptr;
}

bool GoEditor::Parent() {
  if (!CanParent()) return false;
  GameTree& parent = *cursorTree_->parent();
  return GoToNode(parent.NodeAt(parent.NodeCount() - 1));
}

bool GoEditor::CanChild() const {
  return Navigable() && cursorTree_ != nullptr && cursorTree_->ChildCount() > 0;
}

bool GoEditor::Child() {
  if (!CanChild()) return false;
  return GoToNode(cursorTree_->ChildAt(0)->NodeAt(0));
}

bool GoEditor::CanPrevBranch() const {
  return CanParent() && cursorTree_->parent()->ChildAt(cursorTree_->IndexInParent() - 1);
}

bool GoEditor::PrevBranch() {
  if (!CanPrevBranch()) return false;
  return GoToNode(cursorTree_->parent()->ChildAt(cursorTree_->IndexInParent() - 1)->NodeAt(0));
}

bool GoEditor::CanNextBranch() const {
  return CanParent() && cursorTree_->parent()->ChildAt(cursorTree_->IndexInParent() + 1);
}

bool GoEditor::NextBranch() {
  if (!CanNextBranch()) return false;
  return GoToNode(cursorTree_->parent()->ChildAt(cursorTree_->IndexInParent() + 1)->NodeAt(0));
}

bool GoEditor::CanBranchStart() const {
  return Navigable() && cursorTree_ != nullptr && cursorIndex_ >= 1;
}

bool GoEditor::BranchStart() {
  if (!CanBranchStart()) return false;
  return GoToNode(cursorTree_->NodeAt(0));
}

bool GoEditor::CanBranchEnd() const {
  return Navigable() && cursorTree_ != nullptr && cursorIndex_ + 1 < cursorTree_->NodeCount();
}

bool GoEditor::BranchEnd() {
  if (!CanBranchEnd()) return false;
  return GoToNode(cursorTree_->NodeAt(cursorTree_->NodeCount() - 1));
}

// The comment searches cover the whole record and wrap around.
bool GoEditor::NextComment() {
  if (!Navigable() || cursorTree_ == nullptr) return false;
  const SearchFlags flags{!IsBranchMode(), true, true, true};
  Node* found = SearchForward(*cursorTree_, cursorIndex_ + 1, flags, HasComment);
  if (found == nullptr) found = SearchForward(*record_, 0, flags, HasComment);
  return found != nullptr && found != CurrentNode() && GoToNode(found);
}

bool GoEditor::PrevComment() {
  if (!Navigable() || cursorTree_ == nullptr) return false;
  const SearchFlags flags{!IsBranchMode(), true, true, true};
  Node* found = SearchBackward(*cursorTree_, cursorIndex_ - 1, flags, true, HasComment);
  if (found == nullptr) {
    Node* last = record_->LastNodeAlongFirstChildren();
    found = SearchBackward(*last->tree(), last->IndexInTree(), flags, true, HasComment);
  }
  return found != nullptr && found != CurrentNode() && GoToNode(found);
}

// Going back finds the node of the current line that played move n; going
// forward, the first node in the record (child 0 first) that reaches it.
bool GoEditor::ToMoveNumber(int number) {
  if (!Navigable() || cursorTree_ == nullptr || number < 1) return false;
  const int current = moveNumber();
  if (number == current) return false;
  Node* target = nullptr;
  if (number < current) {
    int count = current;
    const auto playedMove = [&count, number](const Node& node) {
      const int moves = MovesIn(node);
      if (moves == 0) return false;
      const bool found = count == number || (count > number && count - moves < number);
      count -= moves;
      return found;
    };
    target = SearchBackward(*cursorTree_, cursorIndex_, SearchFlags{}, false, playedMove);
  } else {
    target = FindMoveNumber(*record_, 0, 0, number);
  }
  return target != nullptr && GoToNode(target);
}

void GoEditor::StartToClicked() {
  if (!CanToClicked()) return;
  mode_ = EditorMode::AwaitingClick;
  static_cast<UpdateSink&>(*this).OnStatusChanged();
}

bool GoEditor::GoToClickedPoint(Point point) {
  // The mode is back to normal whether a node is found or not: what
  // follows the mode hears of it either way.
  mode_ = EditorMode::Normal;
  static_cast<UpdateSink&>(*this).OnStatusChanged();
  const auto placedHere = [point](const Node& node) { return node.HasStoneOrMoveAt(point); };
  Node* found = SearchBackward(*cursorTree_, cursorIndex_, SearchFlags{}, false, placedHere);
  const SearchFlags forward{!IsBranchMode(), true, true, true};
  if (found == nullptr) found = SearchForward(*cursorTree_, cursorIndex_ + 1, forward, placedHere);
  if (found == nullptr) found = SearchForward(*record_, 0, forward, placedHere);
  return found != nullptr && found != CurrentNode() && GoToNode(found);
}

}  // namespace vantaro
