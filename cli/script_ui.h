#pragma once

#include <optional>
#include <string>

#include "document/document_ui.h"

namespace vantaro::cli {

// The document's prompts and questions answered from a script line: the
// words after a command name answer its prompt (no words: an empty text),
// and a final "yes" or "no" answers a question (yes unless told). Messages
// and questions are printed on standard output.
class ScriptUi : public DocumentUi {
 public:
  void SetAnswers(std::u16string text, bool yes) {
    text_ = std::move(text);
    yes_ = yes;
  }
  bool exitRequested() const { return exitRequested_; }

  void ShowMessage(const std::u16string& text, Icon icon) override;
  bool AskYesNo(const std::u16string& text) override;
  Answer AskYesNoCancel(const std::u16string& text) override;
  // A script's New or Open drops unsaved edits without a question.
  SaveAnswer AskSaveChanges(const std::u16string&) override { return SaveAnswer::Discard; }
  std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                           const std::u16string& initial) override;
  std::optional<std::string> PromptOpenFile() override;
  std::optional<std::string> PromptSaveFile(const std::string& defaultName) override;
  // A script edits game information with "info ID=VALUE": the dialog is cancelled.
  std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node&, bool) override {
    return std::nullopt;
  }
  void AddRecentFile(const std::string&) override {}
  void ShowAbout() override;
  void Exit() override { exitRequested_ = true; }

 private:
  std::u16string text_;
  bool yes_ = true;
  bool exitRequested_ = false;
};

}  // namespace vantaro::cli
