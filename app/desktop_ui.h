#pragma once

#include <functional>
#include <string>

#include "app/dialogs.h"
#include "document/document_ui.h"

namespace vantaro {
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class GameListWindow;
class RecentFiles;

// What the document asks of the desktop shell: its dialogs, the save
// question before unsaved edits would be lost, the recent-file list, the
// list of games, and what only the main window can do (closing it,
// printing, moving the keyboard between its panes).
class DesktopUi : public DocumentUi {
 public:
  struct FrameHooks {
    std::function<void()> recentFilesChanged;
    std::function<void()> exit;
    std::function<void(Output)> produce;  // printouts and pictures
    std::function<void(PaneStep)> moveKeyboard;
  };

  // All must outlive the shell.
  DesktopUi(Dialogs& dialogs, RecentFiles& recentFiles, Options& options);

  void SetFrameHooks(FrameHooks hooks) { frame_ = std::move(hooks); }
  // The list of games (null: none); it must outlive its use here.
  void SetGameList(GameListWindow* list) { gameList_ = list; }

  void ShowMessage(const std::u16string& text, Icon icon) override;
  bool AskYesNo(const std::u16string& text) override;
  Answer AskYesNoCancel(const std::u16string& text) override;
  SaveAnswer AskSaveChanges(const std::u16string& documentName) override;
  std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                           const std::u16string& initial) override;
  std::optional<std::string> PromptOpenFile() override;
  std::optional<std::string> PromptSaveFile(const std::string& defaultName) override;
  std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                               bool readOnly) override;
  void AddRecentFile(const std::string& path) override;
  void ShowAbout() override;
  void Exit() override;
  bool CanProduce(Output) const override { return static_cast<bool>(frame_.produce); }
  void Produce(Output output) override;
  bool CanListGames() const override { return gameList_ != nullptr; }
  void ShowGameList() override;
  void ListFolder() override;
  void ListGamesOf(const std::string& path, bool show) override;
  ListStep StepInGameList(int step) const override;
  bool CanMoveKeyboard() const override { return static_cast<bool>(frame_.moveKeyboard); }
  void MoveKeyboard(PaneStep step) override;
  std::optional<std::string> ClipboardText() override;

 private:
  Dialogs& dialogs_;
  RecentFiles& recentFiles_;
  Options& options_;
  FrameHooks frame_;
  GameListWindow* gameList_ = nullptr;
};

}  // namespace vantaro::app
