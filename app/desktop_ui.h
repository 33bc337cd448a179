#pragma once

#include <functional>
#include <string>

#include "app/dialogs.h"
#include "document/document_ui.h"

namespace vantaro {
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class RecentFiles;

// What the document asks of the desktop shell: its dialogs, the save
// question before unsaved edits would be lost, the recent-file list, and
// what only the main window can do (closing it, printing).
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

  void ShowMessage(const std::u16string& text, Icon icon) override;
  bool AskYesNo(const std::u16string& text) override;
  std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                           const std::u16string& initial) override;
  std::optional<std::string> PromptOpenFile() override;
  std::optional<std::string> PromptSaveFile(const std::string& defaultName) override;
  std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                               bool readOnly) override;
  SaveAnswer AskSaveChanges(const std::u16string& documentName) override;
  void AddRecentFile(const std::string& path) override;
  void ShowAbout() override;
  void Exit() override;
  bool CanProduce(Output) const override { return static_cast<bool>(frame_.produce); }
  void Produce(Output output) override;
  bool CanMoveKeyboard() const override { return static_cast<bool>(frame_.moveKeyboard); }
  void MoveKeyboard(PaneStep step) override;
  std::optional<std::string> ClipboardText() override;

 private:
  Dialogs& dialogs_;
  RecentFiles& recentFiles_;
  Options& options_;
  FrameHooks frame_;
};

}  // namespace vantaro::app
