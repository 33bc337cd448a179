#include "editor/go_editor.h"

#include "editor/sound.h"
#include "record/record_format.h"
#include "text/text_conversion.h"

namespace vantaro {

GoEditor::GoEditor(Options& options, MoveSounds* sounds) : options_(options), sounds_(sounds) {
  Reset();
}

GoEditor::~GoEditor() {
  // Transactions may hold pieces of the record: they go before it.
  navigation_.Clear();
  undo_.Clear();
}

void GoEditor::Reset() {
  EndTyping();
  navigation_.Clear();
  undo_.Clear();
  record_.reset();
  savedTree_.reset();
  modified_ = false;
  mode_ = EditorMode::Normal;
  tool_ = Tool::AlternateMove;
  cursorTree_ = nullptr;
  cursorIndex_ = -1;
  tryPlayActive_ = false;
  readOnly_ = false;
  soundOn_ = options_.playSound;
  codePage_ = options_.defaultCodePage;
  branchMode_ = options_.branchMode;
  readProblems_ = DiagnosticList(kKeptReadProblems);
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
  DiagnosticList problems(kKeptReadProblems);
  IoResult result = LoadRecordFile(*root, path, context, &problems);
  if (!result.ok) return result;
  Reset();
  readProblems_ = std::move(problems);
  Install(std::move(root), context.codePage);
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
  if (!navigation_.DoAndRecord(std::move(tran))) return false;
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

bool GoEditor::Commit(std::unique_ptr<Tran> tran) {
  EndTyping();
  navigation_.Clear();
  tran->modifiedBefore = modified_;
  tran->nodeBefore = CurrentNode();
  if (!undo_.DoAndRecord(std::move(tran))) return false;
  ++revision_;
  return true;
}

bool GoEditor::CanUndo() const {
  return mode_ == EditorMode::Normal && undo_.CanUndo() && (!readOnly_ || tryPlayActive_);
}

bool GoEditor::Undo() {
  if (!CanUndo()) return false;
  EndTyping();
  navigation_.Clear();
  if (!undo_.Undo()) return false;
  ++revision_;
  return true;
}

bool GoEditor::CanRedo() const {
  return mode_ == EditorMode::Normal && undo_.CanRedo() && (!readOnly_ || tryPlayActive_);
}

bool GoEditor::Redo() {
  if (!CanRedo()) return false;
  EndTyping();
  navigation_.Clear();
  if (!undo_.Redo()) return false;
  ++revision_;
  return true;
}

bool GoEditor::CanGoBack() const {
  return Navigable() && navigation_.CanUndo();
}

bool GoEditor::GoBack() {
  return CanGoBack() && navigation_.Undo();
}

bool GoEditor::CanGoForward() const {
  return Navigable() && navigation_.CanRedo();
}

bool GoEditor::GoForward() {
  return CanGoForward() && navigation_.Redo();
}

}  // namespace vantaro
