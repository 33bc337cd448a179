#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/document_ui.h"

class QPrinter;

namespace vantaro {
struct Options;
}

namespace vantaro::app {

// The modal dialogs of the desktop shell. The program shows real windows
// (QtDialogs); tests answer them from a script.
class Dialogs {
 public:
  using SaveAnswer = DocumentUi::SaveAnswer;

  virtual ~Dialogs() = default;

  virtual void ShowMessage(const std::u16string& text, DocumentUi::Icon icon) = 0;
  // Yes and No; true for Yes.
  virtual bool AskYesNo(const std::u16string& text) = 0;
  // Unsaved edits of the record named documentName: save them, drop them, or keep the record.
  virtual SaveAnswer AskSaveChanges(const std::u16string& documentName) = 0;
  // The one-line input dialog; nullopt when cancelled.
  virtual std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                                   const std::u16string& initial) = 0;
  // File names in the file system's encoding; nullopt when cancelled.
  virtual std::optional<std::string> PromptOpenFile(const std::string& folder) = 0;
  virtual std::optional<std::string> PromptSaveFile(const std::string& defaultName) = 0;
  // Game Information over the node (DocumentUi::EditGameInformation).
  virtual std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                                       bool readOnly) = 0;
  // A file to write a printout or picture to, of the filter's kind
  // ("PDF Files (*.pdf)"); nullopt when cancelled.
  virtual std::optional<std::string> PromptExportFile(const std::string& defaultName,
                                                      const std::string& filter) = 0;
  virtual void ShowAbout() = 0;
  // The platform's print dialog, which sets the printer up; false when cancelled.
  virtual bool ChoosePrinter(QPrinter& printer) = 0;
  // The print preview, which has its pages painted on the printer as often as it needs them.
  virtual void ShowPrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
  // The page setup dialog on the print settings; false when cancelled (nothing changed).
  virtual bool EditPrintSettings(Options& options) = 0;
};

// The question before unsaved edits would be lost.
std::u16string SaveChangesQuestion(const std::u16string& documentName);

// Dialogs as windows over the active window.
class QtDialogs : public Dialogs {
 public:
  void ShowMessage(const std::u16string& text, DocumentUi::Icon icon) override;
  bool AskYesNo(const std::u16string& text) override;
  SaveAnswer AskSaveChanges(const std::u16string& documentName) override;
  std::optional<std::u16string> PromptText(const std::u16string& prompt,
                                           const std::u16string& initial) override;
  std::optional<std::string> PromptOpenFile(const std::string& folder) override;
  std::optional<std::string> PromptSaveFile(const std::string& defaultName) override;
  std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                               bool readOnly) override;
  std::optional<std::string> PromptExportFile(const std::string& defaultName,
                                              const std::string& filter) override;
  void ShowAbout() override;
  bool ChoosePrinter(QPrinter& printer) override;
  void ShowPrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
  bool EditPrintSettings(Options& options) override;
};

}  // namespace vantaro::app
