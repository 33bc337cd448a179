#include "cli/script_ui.h"

#include <cstdio>

#include "document/program_name.h"
#include "text/text_conversion.h"

namespace vantaro::cli {

void ScriptUi::ShowMessage(const std::u16string& text, Icon) {
  std::printf("message: %s\n", ToDisplayUtf8(text).c_str());
}

bool ScriptUi::AskYesNo(const std::u16string& text) {
  std::printf("question: %s\n", ToDisplayUtf8(text).c_str());
  return yes_;
}

DocumentUi::Answer ScriptUi::AskYesNoCancel(const std::u16string& text) {
  return AskYesNo(text) ? Answer::Yes : Answer::No;
}

std::optional<std::u16string> ScriptUi::PromptText(const std::u16string&, const std::u16string&) {
  return text_;
}

// File names keep their bytes, whatever they are.
std::optional<std::string> ScriptUi::PromptOpenFile() {
  return WideToBytes(text_, kUtf8CodePage);
}

std::optional<std::string> ScriptUi::PromptSaveFile(const std::string&) {
  return WideToBytes(text_, kUtf8CodePage);
}

void ScriptUi::ShowAbout() {
  std::printf("message: %s\n", AboutLine().c_str());
}

}  // namespace vantaro::cli
