#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "game/game_info.h"

namespace vantaro {

// What the document needs of the application around it: message boxes,
// questions, text prompts and file-name prompts. The desktop shell answers
// with dialogs; vantaro-cli answers from its script.
// A game of a file, as a list of games names it.
struct GamePlace {
  std::string path;
  std::size_t game = 0;  // from 0
  bool operator==(const GamePlace&) const = default;
};

class DocumentUi {
 public:
  enum class Icon { Exclamation, Stop, Question, Information };
  enum class Answer { Yes, No, Cancel };
  enum class SaveAnswer { Save, Discard, Cancel };

  virtual ~DocumentUi() = default;

  virtual void ShowMessage(const std::u16string& text, Icon icon) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::u16string& text) = 0;
  // A question with Yes, No and Cancel.
  virtual Answer AskYesNoCancel(const std::u16string& text) = 0;
  // Unsaved edits of the record named documentName are about to be lost:
  // save them, drop them, or keep the record.
  virtual SaveAnswer AskSaveChanges(const std::u16string& documentName) = 0;
  // The one-line input dialog; nullopt when it is cancelled.
  virtual std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                                   const std::u16string& initial) = 0;
  // File-name prompts; nullopt when cancelled.
  virtual std::optional<std::string> PromptOpenFile() = 0;
  virtual std::optional<std::string> PromptSaveFile(const std::string& defaultName) = 0;
  // The Game Information dialog over the node that holds it (alive while it
  // runs). nullopt when cancelled, and always when readOnly; otherwise the
  // values of the fields the user changed, which the document stores.
  virtual std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                                       bool readOnly) = 0;
  virtual void AddRecentFile(const std::string& path) = 0;
  virtual void ShowAbout() = 0;
  virtual void Exit() = 0;

  // The printout of the current line and the pictures of the board: the
  // shell prints, previews, edits the print settings and writes the files
  // with dialogs of its own. A shell without them can produce none, and
  // their commands stay disabled.
  enum class Output { PageSetup, PrintPreview, Print, ExportPdf, BoardPng, BoardSvg };
  virtual bool CanProduce(Output) const { return false; }
  virtual void Produce(Output) {}

  // The list of games, of the open file or of a folder's files, sorted and
  // filtered as the user likes. A shell without one lists nothing, and the
  // commands that show it stay disabled.
  virtual bool CanListGames() const { return false; }
  virtual void ShowGameList() {}
  // Asks for a folder and lists the games of every record file below it.
  virtual void ListFolder() {}
  // A file was opened other than from the list: from now on the list holds
  // its games, and shows itself when `show` is set.
  virtual void ListGamesOf(const std::string& /*path*/, bool /*show*/) {}
  // Where the list goes `step` rows on from the open game (back when
  // negative), as it is sorted and filtered; from outside the list, its
  // first or last row. listing: the list holds games now; target: the game
  // there, when there is one.
  struct ListStep {
    bool listing = false;
    std::optional<GamePlace> target;
  };
  virtual ListStep StepInGameList(int /*step*/) const { return {}; }
  // The keyboard goes to the next or the previous pane of the window. A
  // shell of one pane has nowhere to move it, and the commands stay disabled.
  enum class PaneStep { Next, Previous };
  virtual bool CanMoveKeyboard() const { return false; }
  virtual void MoveKeyboard(PaneStep) {}
  // The clipboard's text in UTF-8; nullopt where there is no clipboard.
  virtual std::optional<std::string> ClipboardText() { return std::nullopt; }
};

}  // namespace vantaro
