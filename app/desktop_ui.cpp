#include "app/desktop_ui.h"

#include <QClipboard>
#include <QGuiApplication>

#include <filesystem>

#include "app/game_list_window.h"
#include "app/recent_files.h"
#include "options/options.h"
#include "text/text_conversion.h"

namespace vantaro::app {

DesktopUi::DesktopUi(Dialogs& dialogs, RecentFiles& recentFiles, Options& options)
    : dialogs_(dialogs), recentFiles_(recentFiles), options_(options) {}

void DesktopUi::ShowMessage(const std::u16string& text, Icon icon) {
  dialogs_.ShowMessage(text, icon);
}

bool DesktopUi::AskYesNo(const std::u16string& text) {
  return dialogs_.AskYesNo(text);
}

std::optional<std::u16string> DesktopUi::PromptText(const std::u16string& prompt,
                                                    const std::u16string& initial) {
  return dialogs_.PromptText(prompt, initial);
}

std::optional<std::string> DesktopUi::PromptOpenFile() {
  const auto chosen = dialogs_.PromptOpenFile(WideToBytes(options_.lastOpenDir, kUtf8CodePage));
  if (chosen) {
    options_.lastOpenDir = FromUtf8(std::filesystem::path(*chosen).parent_path().string());
  }
  return chosen;
}

std::optional<std::string> DesktopUi::PromptSaveFile(const std::string& defaultName) {
  return dialogs_.PromptSaveFile(defaultName);
}

std::optional<std::vector<GameInfoEdit>> DesktopUi::EditGameInformation(const Node& node,
                                                                        bool readOnly) {
  return dialogs_.EditGameInformation(node, readOnly);
}

DocumentUi::Answer DesktopUi::AskYesNoCancel(const std::u16string& text) {
  return dialogs_.AskYesNoCancel(text);
}

DocumentUi::SaveAnswer DesktopUi::AskSaveChanges(const std::u16string& documentName) {
  return dialogs_.AskSaveChanges(documentName);
}

void DesktopUi::AddRecentFile(const std::string& path) {
  recentFiles_.Add(path);
  if (frame_.recentFilesChanged) frame_.recentFilesChanged();
}

void DesktopUi::ShowAbout() {
  dialogs_.ShowAbout();
}

void DesktopUi::Produce(Output output) {
  if (frame_.produce) frame_.produce(output);
}

void DesktopUi::ShowGameList() {
  if (gameList_ != nullptr) gameList_->ShowList();
}

void DesktopUi::ListFolder() {
  if (gameList_ == nullptr) return;
  const auto chosen = dialogs_.PromptFolder(WideToBytes(options_.lastOpenDir, kUtf8CodePage));
  if (!chosen) return;
  options_.lastOpenDir = FromUtf8(*chosen);
  gameList_->ListFolder(*chosen);
}

void DesktopUi::ListGamesOf(const std::string& path, bool show) {
  if (gameList_ != nullptr) gameList_->ListFile(path, show);
}

DocumentUi::ListStep DesktopUi::StepInGameList(int step) const {
  return gameList_ != nullptr ? gameList_->Step(step) : ListStep{};
}

void DesktopUi::MoveKeyboard(PaneStep step) {
  if (frame_.moveKeyboard) frame_.moveKeyboard(step);
}

std::optional<std::string> DesktopUi::ClipboardText() {
  return QGuiApplication::clipboard()->text().toStdString();
}

void DesktopUi::Exit() {
  if (frame_.exit) frame_.exit();
}

}  // namespace vantaro::app
