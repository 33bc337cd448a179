#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "document/document_ui.h"
#include "editor/go_editor.h"
#include "options/options.h"
#include "record/sgf_collection.h"

namespace vantaro {

class GameTreeModel;
class MoveSounds;

// The single document of the application: it owns the editor that holds the
// open record, makes a fresh editor for New and Open, writes the record for
// Save and Save As, and carries out the commands that need more than the
// editor (prompts, questions, messages through its DocumentUi).
class CVantaroCEDoc {
 public:
  // ui and options must outlive the document; sounds may be null.
  explicit CVantaroCEDoc(DocumentUi& ui, Options& options = GlobalOptions(),
                         MoveSounds* sounds = nullptr);
  ~CVantaroCEDoc();

  // The observers every new editor is attached to, in this order.
  void SetPanes(std::vector<UpdateSink*> panes);
  // The game tree the fold commands work on (null: none); it must be one of
  // the panes and outlive the document or be unset first.
  void SetTreeModel(GameTreeModel* model) { treeModel_ = model; }
  GameTreeModel* treeModel() const { return treeModel_; }

  GoEditor* editor() const { return editor_.get(); }
  DocumentUi& ui() const { return ui_; }
  Options& options() const { return options_; }
  const std::string& path() const { return path_; }
  // The file name of the path, or "Untitled".
  std::u16string Title() const;
  bool IsModified() const { return editor_ && editor_->modified(); }
  void SetModified(bool modified);

  // A new record in a new editor (the New command asks the shell first).
  bool OnNewDocument();
  // Game `game` (from 0) of a file in a new editor, added to the recent
  // files; on failure the previous record stays (or a new one is started
  // when there was none) and the user is told. The other games of the file
  // are kept for Save and SwitchToGame.
  IoResult OnOpenDocument(const std::string& path, std::size_t game = 0);
  // Another game of the file in a new editor (with its own undo history and
  // modified mark), as Open replaces the record: the shell is asked first (it
  // may offer to save unsaved edits). False when the game is the one open,
  // is not in the file, or the shell keeps the record.
  bool SwitchToGame(std::size_t game);
  // The game open (from 0) and the games of the file (1 for a new record or
  // an imported one).
  std::size_t gameIndex() const { return gameIndex_; }
  std::size_t GameCount() const { return collection_ ? collection_->GameCount() : 1; }

  void New();
  void Open();
  // Opens a file in place of the record as Open does once it has the name:
  // the shell is asked first (it may offer to save unsaved edits); nullopt
  // when it keeps the record.
  std::optional<IoResult> OpenFile(const std::string& path);
  // Before the record is replaced or closed: true when nothing would be
  // lost (no unsaved edits, the user saved them or chose to drop them).
  bool AllowReplacingRecord();
  // An SGF text (dropped or pasted, so already Unicode: read as UTF-8
  // whatever its CA says) as a new, unsaved record in place of the current
  // one, asking the shell first. A text that holds no game says so and
  // keeps the record.
  bool OpenText(std::string_view utf8);
  // Paste Record: the clipboard's text as OpenText opens it.
  void PasteRecord();
  // Writes SGF to the path, asking for a name first when saveAs is set or the
  // record came from another format; false when nothing was written. In a
  // file of several games the game open is written in its place, and every
  // other byte of the file as it was.
  bool Save(bool saveAs);
  bool CanReload() const;
  // Reads the file again and replaces the record as one undoable step; the
  // code page found by the new reading becomes the record's in that step.
  void Reload();
  // Reload decoding every value with codePage (double-byte aware where it is
  // one), whatever the file's CA says or its bytes look like. The code page
  // becomes the record's and the root's CA names it, so that Save writes the
  // same bytes back. A code page that is not loaded is refused with a
  // message. False when the record did not change. Enabled as Reload is.
  bool ReopenWithEncoding(int codePage);
  // The same with the code page number the user types.
  void PromptReopenWithEncoding();
  // Asks, then starts a new game of that size as New does; the size becomes
  // the stored one only when the record is replaced.
  void ChangeBoardSize(int width, int height);
  void CustomSize();
  void EditNodeName();
  void SetMoveNumber();
  void AutoSetMoveNumbers();
  void ToMoveNumber();
  // Shows the record's game information (read-only where the record may not
  // be edited) and stores what the user changed as one undoable step.
  void EditGameInformation();

 private:
  std::unique_ptr<GoEditor> MakeEditor();
  // Reads game `game` of the file at path_ again (in codePage when given) and
  // replaces the record as one undoable step; false when it cannot be read.
  bool ReloadGame(std::optional<int> codePage);
  void AttachPanes(GoEditor* editor);
  std::optional<int> PromptNumber(int stringId, const std::u16string& initial);

  DocumentUi& ui_;
  Options& options_;
  MoveSounds* sounds_;
  std::vector<UpdateSink*> panes_;
  GameTreeModel* treeModel_ = nullptr;
  std::unique_ptr<GoEditor> editor_;
  std::string path_;
  std::unique_ptr<SgfCollection> collection_;  // null for a new or imported record
  std::size_t gameIndex_ = 0;
};

// Numbers typed into a prompt: the leading decimal digits, 0 when there are none.
int TypedNumber(std::u16string_view text);

// One item of the Reopen With Encoding submenu.
struct EncodingChoice {
  int codePage;
  std::string_view menuText;  // the code page's description, "Japanese (Shift-JIS)"
};
// Every loaded code page, in the order of the code page table.
std::vector<EncodingChoice> EncodingChoices();

}  // namespace vantaro
