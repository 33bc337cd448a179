#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document_ui.h"
#include "document/file_stamp.h"
#include "editor/go_editor.h"
#include "options/options.h"
#include "record/sgf_collection.h"

namespace vantaro {

class GameTreeModel;
class MoveSounds;
class RecoveryJournal;
struct RecoveredRecord;

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

  // A new record in a new editor (the New command asks about unsaved edits first).
  bool OnNewDocument();
  // Game `game` (from 0) of a file in a new editor, added to the recent
  // files. An empty file (or one of white space) starts a new record under
  // its name. On failure, and for a file in which nothing reads as a node,
  // the previous record stays (or a new one is started when there was none)
  // and the user is told why; the result is then not ok. The other games of
  // the file are kept for Save and SwitchToGame.
  IoResult OnOpenDocument(const std::string& path, std::size_t game = 0);
  // Another game of the file in a new editor (with its own undo history and
  // modified mark), as Open replaces the record, asking about unsaved edits
  // first. False when the game is the one open, is not in the file, or the
  // record is kept.
  bool SwitchToGame(std::size_t game);
  // The game open (from 0) and the games of the file (1 for a new record or
  // an imported one).
  std::size_t gameIndex() const { return gameIndex_; }
  std::size_t GameCount() const { return collection_ ? collection_->GameCount() : 1; }
  // A game as the list of games opens it: another game of the open file as
  // SwitchToGame does, a game of another file as Open does (the shell is
  // asked first) but leaving the list as it is. False when nothing opened;
  // true when the game is the one open.
  bool OpenListedGame(const GamePlace& place);
  // The game `step` places on from the open one (back when negative): in
  // the shell's list as it is sorted and filtered while it lists games,
  // else in the order of the file. nullopt when there is none or it is the
  // one open.
  std::optional<GamePlace> NeighbourGame(int step) const;
  // Opens NeighbourGame(step) as the list opens a game; false when nothing opened.
  bool OpenNeighbourGame(int step);

  void New();
  void Open();
  // True when nothing would be lost by replacing the record (New, Open,
  // another game, closing the window): it has no unsaved edits, the user
  // saved them, or chose to drop them. False keeps the record.
  bool AllowReplacingRecord();
  // Opens a file in place of the record as Open does once it has the name,
  // asking about unsaved edits first; nullopt when the record is kept.
  std::optional<IoResult> OpenFile(const std::string& path);
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
  // other byte of the file as it was. Text that the record's code page
  // cannot hold makes it a UTF-8 record (the user is told), and the CA
  // written names the code page of the text (see PlanSave). Before the file
  // is overwritten in place after another program changed it, the user is
  // asked.
  bool Save(bool saveAs);
  bool CanReload() const;
  // Reads the file again and replaces the record as one undoable step; the
  // code page found by the new reading becomes the record's in that step.
  // Nothing changes when the file no longer holds a record.
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

  // --- The file on disk ---
  // Looks whether another program changed or removed the file since it was
  // opened, saved or last looked at. A changed file of an unmodified record
  // is offered for reloading; a modified one is left to Save's question. A
  // removed file makes the record modified, since what the window shows is
  // then the only copy.
  void CheckFileOnDisk();

  // --- Recovery copies (the desktop program keeps them; vantaro-cli not) ---
  // journal must outlive the document; null for none.
  void SetRecoveryJournal(RecoveryJournal* journal) { journal_ = journal; }
  // Hands the journal a copy of the record when it has unsaved edits that
  // the last copy lacks; has the copy removed when nothing is unsaved.
  void KeepRecoveryCopy();
  // Asks about each copy left by a program that ended without saving it,
  // oldest first: Yes opens it in place of the record, modified, under its
  // file's path and in its place among the file's games; No deletes it;
  // Cancel keeps it for the next start. The questions end with the first
  // record restored.
  void OfferRecoveredRecords();

 private:
  std::unique_ptr<GoEditor> MakeEditor();
  // OnOpenDocument without telling the list.
  IoResult OpenGameOfFile(const std::string& path, std::size_t game);
  // Reads game `game` of the file at path_ again (in codePage when given) and
  // replaces the record as one undoable step; false when it cannot be read
  // or no longer holds a record.
  bool ReloadGame(std::optional<int> codePage);
  void AttachPanes(GoEditor* editor);
  // Makes editor the document's, showing its record under path.
  void TakeEditor(std::unique_ptr<GoEditor> editor, const std::string& path);
  // Starts a new game in editor, telling the user when the template failed.
  void StartNewGame(GoEditor& editor);
  std::optional<int> PromptNumber(int stringId, const std::u16string& initial);
  // False when the user would rather not overwrite a file that another
  // program changed since it was opened or saved.
  bool MayOverwrite();
  bool Restore(const RecoveredRecord& recovered);
  void DiscardRecoveryCopy();

  DocumentUi& ui_;
  Options& options_;
  MoveSounds* sounds_;
  std::vector<UpdateSink*> panes_;
  GameTreeModel* treeModel_ = nullptr;
  std::unique_ptr<GoEditor> editor_;
  std::string path_;
  std::unique_ptr<SgfCollection> collection_;  // null for a new or imported record
  std::size_t gameIndex_ = 0;
  // The file as this program last read, wrote or looked at it; nullopt
  // when there was none.
  std::optional<FileStamp> diskStamp_;
  bool askingAboutDisk_ = false;
  RecoveryJournal* journal_ = nullptr;
  // The editor's revision that needs no newer copy: the copy holds it, or
  // the user dropped its edits.
  std::optional<std::uint64_t> journaledRevision_;
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
