#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/game_info_dialog.h"
#include "test_support.h"

namespace vantaro::test {

// Every test program of the desktop shell runs under one QApplication on the
// offscreen platform, with its settings (QSettings, both scopes) in a
// temporary folder of its own.
class QtTest : public ::testing::Test {
 protected:
  QtTest();
  ~QtTest() override;

  // The settings folders of the current user and of the machine.
  std::filesystem::path UserSettings() const { return directory_.path() / "user"; }
  std::filesystem::path MachineSettings() const { return directory_.path() / "machine"; }
  // Runs the event loop until the posted events (commands, refreshes) are done.
  static void ProcessEvents();

  TemporaryDirectory directory_;
};

// The dialogs answered from queues, with what they showed written down.
class ScriptedDialogs : public app::Dialogs {
 public:
  void ShowMessage(const std::u16string& text, DocumentUi::Icon icon) override;
  bool AskYesNo(const std::u16string& text) override;
  DocumentUi::Answer AskYesNoCancel(const std::u16string& text) override;
  SaveAnswer AskSaveChanges(const std::u16string& documentName) override;
  std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                           const std::u16string& initial) override;
  std::optional<std::string> PromptOpenFile(const std::string& folder) override;
  std::optional<std::string> PromptSaveFile(const std::string& defaultName) override;
  std::optional<std::string> PromptFolder(const std::string& folder) override;
  // The real dialog, filled in by gameInfo as a user would; then OK is
  // clicked when gameInfo returns true (and OK can be clicked), else Cancel.
  std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                               bool readOnly) override;
  std::optional<std::string> PromptExportFile(const std::string& defaultName,
                                              const std::string& filter) override;
  void ShowAbout() override { shown.push_back("about"); }
  // The printer prints to the next of files as PDF; cancelled when there is none.
  bool ChoosePrinter(QPrinter& printer) override;
  // Paints the preview's pages once, into the next of files as PDF.
  void ShowPrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
  // The next of settingsEdits applied; cancelled when there is none.
  bool EditPrintSettings(Options& options) override;

  // What was shown, one line each: "message: TEXT", "question: TEXT",
  // "save changes: NAME", "prompt: TEXT [INITIAL]", "open", "open folder", "save as: NAME",
  // "game information" (with " read-only"), "export: NAME [FILTER]", "print",
  // "preview", "page setup".
  std::vector<std::string> shown;
  bool yes = true;
  std::deque<DocumentUi::Answer> answers;              // Yes, No or Cancel; Cancel when empty
  std::deque<SaveAnswer> saveAnswers;                  // Cancel when empty
  std::deque<std::u16string> texts;                    // cancelled when empty
  std::deque<std::string> files;                       // cancelled when empty
  std::function<bool(app::GameInfoDialog&)> gameInfo;  // cancelled when empty
  std::deque<std::function<void(Options&)>> settingsEdits;
};

}  // namespace vantaro::test
