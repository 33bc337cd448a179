#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editor/history.h"
#include "editor/transaction.h"
#include "editor/update_sink.h"
#include "game/board.h"
#include "game/game_info.h"
#include "game/game_tree.h"
#include "options/options.h"
#include "record/io_result.h"
#include "record/read_diagnostics.h"

namespace vantaro {

class ActionTypeComment;
class MoveSounds;

enum class EditorMode { Normal = 0, AwaitingClick = 1 };

// The Stones & Markers tools, in the order of their numbers.
enum class Tool {
  AlternateMove = 0,
  AddBlack,
  AddWhite,
  AddEmpty,
  Circle,
  Triangle,
  Square,
  Cross,
  Label,
  DeleteMarkers,
};

// The engine behind a document: it owns the record, keeps a cursor on one
// node, is the board position at that node (recomputed from the root on
// every move of the cursor), records every change as a transaction for undo
// and redo and every cursor move for back and forward, and raises change
// notifications on its broadcaster part. Every operation that changes
// something reports whether it did.
class GoEditor : public GoBoard, public UpdateSink {
 public:
  // options must outlive the editor; sounds may be null (silent).
  explicit GoEditor(Options& options = GlobalOptions(), MoveSounds* sounds = nullptr);
  ~GoEditor() override;

  bool IsBranchMode() const override { return branchMode_; }

  // --- Records ---
  // Forgets the record and both histories and takes the settings afresh.
  void Reset();
  // A new record: one node with the size of the options, or the template
  // file when useTemplate is on. False when the template could not be read;
  // the record then has one empty node.
  bool NewGame();
  void InstallRecord(std::unique_ptr<GameTree> root, int codePage);
  // Reads a file into a fresh record and installs it; on failure nothing changes.
  IoResult LoadFile(const std::string& path);
  // What the last reading of the record's file repaired or skipped (the
  // first kKeptReadProblems of them, and how many there were); empty for a
  // new record. LoadFile sets it before the install notifications; a
  // document that reads the file again sets it before replacing the record.
  static constexpr std::size_t kKeptReadProblems = 1000;
  const DiagnosticList& readProblems() const { return readProblems_; }
  void SetReadProblems(DiagnosticList problems) { readProblems_ = std::move(problems); }
  // Puts a new root in place and returns the old one, keeping the cursor and
  // both histories (the replace action of a transaction uses it).
  std::unique_ptr<GameTree> ReplaceRecord(std::unique_ptr<GameTree> root);

  GameTree* recordRoot() const { return record_.get(); }
  GameTree* cursorTree() const { return cursorTree_; }
  int cursorIndex() const { return cursorIndex_; }
  Node* CurrentNode() const;
  TreePath CurrentPath() const;
  // The code page Save encodes text with. Only a transaction changes it
  // after the record is installed (ActionSetCodePage).
  int codePage() const { return codePage_; }
  void SetCodePage(int codePage) { codePage_ = codePage; }
  const Options& options() const { return options_; }
  Options& options() { return options_; }

  bool modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  bool readOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  EditorMode mode() const { return mode_; }
  Tool tool() const { return tool_; }
  bool soundOn() const { return soundOn_; }
  void SetSoundOn(bool on) { soundOn_ = on; }
  bool tryPlayActive() const { return tryPlayActive_; }

  // --- Cursor ---
  // Moves the cursor to the node (null: stays where it is), replays the
  // board and rebuilds the overlay. Raises nothing: transactions do.
  void SetCurrentNode(Node* node);
  // The one way navigation moves the cursor: a transaction in the back and
  // forward history. Moving forward plays the move sound. False when the
  // transaction failed (the cursor stays).
  bool GoToNode(Node* target);
  bool Navigable() const { return mode_ == EditorMode::Normal; }

  // --- Navigation; each Can... is the command's enable test ---
  bool CanFirst() const;
  bool First();
  bool Last();
  bool CanNext() const;
  bool Next(int steps);
  bool CanPrevious() const { return CanFirst(); }
  bool Previous(int steps);
  bool CanParent() const;
  bool Parent();
  bool CanChild() const;
  bool Child();
  bool CanPrevBranch() const;
  bool PrevBranch();
  bool CanNextBranch() const;
  bool NextBranch();
  bool CanBranchStart() const;
  bool BranchStart();
  bool CanBranchEnd() const;
  bool BranchEnd();
  bool PrevComment();
  bool NextComment();
  bool ToMoveNumber(int number);
  bool CanToClicked() const { return Navigable(); }
  // Awaits the tap that picks the node; raises OnStatusChanged here and
  // again when the tap returns the mode to normal.
  void StartToClicked();
  bool CanGoBack() const;
  bool GoBack();
  bool CanGoForward() const;
  bool GoForward();

  // --- Undo and redo ---
  // Enters an edit: empties the back and forward history, does it, drops the
  // undone transactions and, when the history is too large, the oldest ones.
  // False when the transaction failed: the record, the cursor and the undo
  // history are as they were.
  bool Commit(std::unique_ptr<Tran> tran);
  bool CanUndo() const;
  bool Undo();
  bool CanRedo() const;
  bool Redo();
  // Counts the changes of the record (commits, undos and redos) since the
  // editor was made: a copy taken at one revision is stale at another.
  std::uint64_t revision() const { return revision_; }
  int undoTotalSize() const { return undo_.totalSize(); }
  int undoCount() const { return undo_.size(); }
  int undoIndex() const { return undo_.index(); }
  int navigationCount() const { return navigation_.size(); }
  int navigationIndex() const { return navigation_.index(); }

  // --- Editing (each refuses when editing is not allowed) ---
  bool EditAllowed() const;
  // Selecting the current tool again goes back to Alternate Move, and
  // reselecting Alternate Move swaps the colour to play.
  void ChooseTool(Tool tool);
  // A tap on the board with the current tool (or the awaited To Clicked point).
  void Click(Point point);
  bool PlayMove(Point point, bool white);
  bool CanPass() const { return EditAllowed(); }
  bool Pass();
  bool AddBranch();
  bool AddLabel(Point point);
  bool RemoveMarkup(Point point);
  bool CanDelete() const;
  bool Delete();
  bool DeleteAfterCurrent();
  bool CanSetNodeName() const { return EditAllowed() && CurrentNode() != nullptr; }
  bool SetNodeName(std::u16string_view name);
  bool SetComment(std::u16string_view comment, Node* node = nullptr);
  // Typing in the current node's comment: its characters [from, from +
  // removed) give way to added. Consecutive typing is one undo step until
  // EndTyping, another edit, an undo or a move to another node.
  bool TypeInComment(size_t from, size_t removed, std::u16string_view added);
  void EndTyping() { typing_ = nullptr; }
  bool typing() const { return typing_ != nullptr; }
  std::u16string NodeName() const;
  std::u16string Comment() const;
  bool CanSetMoveNumber() const { return EditAllowed() && cursorIndex_ >= 0; }
  // The number offered for the current node: its move's number, or the next.
  int SuggestedMoveNumber() const;
  bool SetMoveNumber(int number);
  bool CanUnsetMoveNumber() const;
  bool UnsetMoveNumber();
  bool AutoSetMoveNumbers(int every);
  bool UnsetAllMoveNumbers();
  // Replaces the whole record by tree as one transaction; the cursor goes to
  // target, or, with keepCursor, to the current path when it resolves in the
  // new tree (else its first node), or else to the new tree's first node.
  // A codePage given becomes the record's in the same transaction.
  bool ReplaceWholeRecord(std::unique_ptr<GameTree> tree, Node* target, bool keepCursor,
                          bool modifiedAfter, std::optional<int> codePage = std::nullopt);

  // --- Game information (on the record's first node) ---
  const Node* GameInfoNode() const { return record_ ? record_->NodeAt(0) : nullptr; }
  // Stores the edits as one transaction; a value equal to what the node
  // holds changes nothing. False, with nothing changed, when editing is not
  // allowed, an identifier is not one of game information, a value is
  // refused (CheckGameInfoValue), or nothing would change.
  bool SetGameInformation(std::span<const GameInfoEdit> edits);

  // --- Try-play ---
  bool StartTryPlay();
  bool StopTryPlay();
  bool CanSaveTryPlay() const;
  bool SaveTryPlay();
  void PlayMoveSound();

 private:
  void Install(std::unique_ptr<GameTree> root, int codePage);
  Node* NextTarget(int steps) const;
  Node* PreviousTarget(int steps) const;
  bool GoToClickedPoint(Point point);
  bool CommitPropertyAt(Property property, bool newBranch);
  bool CommitNodeCopy(Node& node, std::unique_ptr<Node> copy);
  bool SetNodeText(int id, std::u16string_view text, Node* node);
  bool ClickWithTool(Point point);
  bool AddBranchTree(std::unique_ptr<GameTree> tree, Node* target);

  Options& options_;
  MoveSounds* sounds_;
  bool soundOn_ = true;
  bool readOnly_ = false;
  bool branchMode_ = false;
  EditorMode mode_ = EditorMode::Normal;
  Tool tool_ = Tool::AlternateMove;
  std::unique_ptr<GameTree> record_;
  bool modified_ = false;
  std::uint64_t revision_ = 0;
  History undo_{History::Bound::Memory};
  // The open typing run: the action of the last undo step while it goes on.
  ActionTypeComment* typing_ = nullptr;
  History navigation_{History::Bound::Count};
  GameTree* cursorTree_ = nullptr;
  int cursorIndex_ = -1;
  bool tryPlayActive_ = false;
  std::unique_ptr<GameTree> savedTree_;
  TreePath savedPath_;
  bool savedModified_ = false;
  int codePage_ = 0;
  DiagnosticList readProblems_{kKeptReadProblems};
};

}  // namespace vantaro
