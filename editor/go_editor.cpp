#include "editor/go_editor.h"

#include <algorithm>

#include "editor/sound.h"
#include "record/record_format.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

constexpr size_t kNavigationLimit = 1000;
constexpr size_t kNavigationKept = 500;
constexpr int kUndoTrimAt = 10000000;
constexpr int kUndoTrimFrees = 5000000;

}  // namespace

GoEditor::GoEditor(Options& options, MoveSounds* sounds) : options_(options), sounds_(sounds) {
  Reset();
}

GoEditor::~GoEditor() {
  // Transactions may hold pieces of the record: they go before it.
  navigation_.clear();
  undo_.clear();
}

void GoEditor::Reset() {
  navigation_.clear();
  undo_.clear();
  record_.reset();
  savedTree_.reset();
  modified_ = false;
  undoIndex_ = -1;
  navigationIndex_ = -1;
  mode_ = EditorMode::Normal;
  tool_ = Tool::AlternateMove;
  cursorTree_ = nullptr;
  cursorIndex_ = -1;
  undoTotal_ = 0;
  tryPlayActive_ = false;
  readOnly_ = false;
  soundOn_ = options_.playSound;
  codePage_ = options_.defaultCodePage;
  branchMode_ = options_.branchMode;
}

bool GoEditor::NewGame() {
  Reset();
  auto root = std::make_unique<GameTree>();
  int codePage = options_.defaultCodePage;
  bool templateRead = true;
  if (options_.useTemplate) {
    FileInput input;
    std::string error;
    templateRead = input.Open(ToDisplayUtf8(options_.templatePath), error);
    if (templateRead) {
      ReadContext context = MakeReadContext(options_);
      ReadRecordBuffer(*root, RecordFormat::Sgf, input.bytes(), context, nullptr, &input);
      codePage = context.codePage;
    }
  } else {
    root->InsertNode(std::make_unique<Node>());
    root->NodeAt(0)->Add(Property::WithSize(options_.BoardSizeCX, options_.BoardSizeCY));
  }
  Install(std::move(root), codePage);
  return templateRead;
}

void GoEditor::InstallRecord(std::unique_ptr<GameTree> root, int codePage) {
  Reset();
  Install(std::move(root), codePage);
}

void GoEditor::Install(std::unique_ptr<GameTree> root, int codePage) {
  EnsureNodes(*root);
  record_ = std::move(root);
  const Property* mode = record_->FindRootProperty(kPropVantaroGM);
  branchMode_ = mode != nullptr ? mode->number() == 0 : options_.branchMode;
  codePage_ = codePage;
  Attach(record_.get());
  SetCurrentNode(record_->NodeAt(0));
  UpdateSink& sink = *this;
  sink.OnHistoryChanged();
  sink.OnStatusChanged();
  sink.OnBoardChanged();
  sink.OnTreeAdded(record_.get());
  sink.OnCurrentNodeChanged(0, CurrentNode(), nullptr);
}

IoResult GoEditor::LoadFile(const std::string& path) {
  auto root = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(options_);
  IoResult result = LoadRecordFile(*root, path, context);
  if (result.ok) InstallRecord(std::move(root), context.codePage);
  return result;
}

std::unique_ptr<GameTree> GoEditor::ReplaceRecord(std::unique_ptr<GameTree> root) {
  std::unique_ptr<GameTree> old = std::move(record_);
  record_ = std::move(root);
  Attach(record_.get());
  return old;
}

Node* GoEditor::CurrentNode() const {
  return cursorTree_ != nullptr ? cursorTree_->NodeAt(cursorIndex_) : nullptr;
}

TreePath GoEditor::CurrentPath() const {
  return cursorTree_ != nullptr ? cursorTree_->PathOf(cursorIndex_) : TreePath{{}, 0};
}

void GoEditor::SetCurrentNode(Node* node) {
  if (!record_) return;
  TreePath path = node != nullptr && node->tree() != nullptr
                      ? node->tree()->PathOf(node->IndexInTree())
                      : CurrentPath();
  std::optional<Position> position = GameTree::Resolve(*record_, path);
  if (!position) {
    path = TreePath{{}, 0};
    position = GameTree::Resolve(*record_, path);
  }
  cursorTree_ = position ? position->tree : nullptr;
  cursorIndex_ = position ? position->index : -1;
  ReplayTo(path, options_.whiteFirst, options_.autoSetMNinBranch && !branchMode_);
  if (cursorTree_ != nullptr) BuildOverlay(*cursorTree_, cursorIndex_);
}

bool GoEditor::GoToNode(Node* target) {
  auto tran = std::make_unique<Tran>(*this);
  tran->nodeBefore = CurrentNode();
  tran->nodeAfter = target;
  tran->modifiedBefore = tran->modifiedAfter = modified_;
  Node* before = tran->nodeBefore;
  tran->Do();
  navigation_.erase(navigation_.begin() + (navigationIndex_ + 1), navigation_.end());
  if (navigation_.size() >= kNavigationLimit) {
    navigation_.erase(navigation_.begin(), navigation_.begin() + kNavigationKept);
    navigationIndex_ = static_cast<int>(navigation_.size()) - 1;
  }
  navigation_.push_back(std::move(tran));
  ++navigationIndex_;
  if (soundOn_ && target != nullptr && target->tree() != nullptr &&
      target->tree()->Precedes(target->IndexInTree(), before)) {
    PlayMoveSound();
  }
  return true;
}

void GoEditor::PlayMoveSound() {
  if (!soundOn_ || sounds_ == nullptr) return;
  const Node* node = CurrentNode();
  const Property* move = node != nullptr ? node->FindMove() : nullptr;
  if (move == nullptr || !OnBoard(move->point().x, move->point().y)) return;
  sounds_->PlayMove(options_, removedByLastMove());
}

void GoEditor::ClearNavigation() {
  navigation_.clear();
  navigationIndex_ = -1;
}

void GoEditor::Commit(std::unique_ptr<Tran> tran) {
  ClearNavigation();
  tran->modifiedBefore = modified_;
  tran->nodeBefore = CurrentNode();
  tran->Do();
  // The undone steps can no longer be redone.
  for (size_t i = static_cast<size_t>(undoIndex_ + 1); i < undo_.size(); ++i) {
    undoTotal_ -= std::max(undo_[i]->size(), 0);
  }
  undo_.erase(undo_.begin() + (undoIndex_ + 1), undo_.end());
  TrimUndoHistory();
  undoTotal_ += std::max(tran->size(), 0);
  undo_.push_back(std::move(tran));
  ++undoIndex_;
}

// Bounds the history by memory: the oldest transactions go until more than
// half the limit is freed, but the three newest always stay.
void GoEditor::TrimUndoHistory() {
  if (undoTotal_ < kUndoTrimAt) return;
  int freed = 0;
  int removeCount = 0;
  for (int i = 0; i <= undoIndex_ - 3; ++i) {
    freed += undo_[static_cast<size_t>(i)]->size();
    removeCount = i + 1;
    if (freed > kUndoTrimFrees) break;
  }
  undo_.erase(undo_.begin(), undo_.begin() + removeCount);
  undoIndex_ = static_cast<int>(undo_.size()) - 1;
  undoTotal_ -= freed;
}

bool GoEditor::CanUndo() const {
  return mode_ == EditorMode::Normal && undoIndex_ >= 0 &&
         undoIndex_ < static_cast<int>(undo_.size()) && (!readOnly_ || tryPlayActive_);
}

bool GoEditor::Undo() {
  if (!CanUndo()) return false;
  ClearNavigation();
  undo_[static_cast<size_t>(undoIndex_)]->Undo();
  --undoIndex_;
  return true;
}

bool GoEditor::CanRedo() const {
  return mode_ == EditorMode::Normal && undoIndex_ + 1 < static_cast<int>(undo_.size()) &&
         (!readOnly_ || tryPlayActive_);
}

bool GoEditor::Redo() {
  if (!CanRedo()) return false;
  ClearNavigation();
  ++undoIndex_;
  undo_[static_cast<size_t>(undoIndex_)]->Do();
  return true;
}

bool GoEditor::CanGoBack() const {
  return Navigable() && navigationIndex_ >= 0 &&
         navigationIndex_ < static_cast<int>(navigation_.size());
}

bool GoEditor::GoBack() {
  if (!CanGoBack()) return false;
  navigation_[static_cast<size_t>(navigationIndex_)]->Undo();
  --navigationIndex_;
  return true;
}

bool GoEditor::CanGoForward() const {
  return Navigable() && navigationIndex_ + 1 < static_cast<int>(navigation_.size());
}

bool GoEditor::GoForward() {
  if (!CanGoForward()) return false;
  ++navigationIndex_;
  navigation_[static_cast<size_t>(navigationIndex_)]->Do();
  return true;
}

}  // namespace vantaro
