#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/document_ui.h"
#include "text/text_conversion.h"

namespace vantaro::test {

// Answers prompts from a queue and writes down what the document shows.
class FakeUi : public DocumentUi {
 public:
  void ShowMessage(const std::u16string& text, Icon) override {
    shown.push_back(ToDisplayUtf8(text));
  }
  bool AskYesNo(const std::u16string& text) override {
    shown.push_back("? " + ToDisplayUtf8(text));
    return yes;
  }
  Answer AskYesNoCancel(const std::u16string& text) override {
    shown.push_back("? " + ToDisplayUtf8(text));
    if (choices.empty()) return Answer::Cancel;
    const Answer answer = choices.front();
    choices.pop_front();
    return answer;
  }
  SaveAnswer AskSaveChanges(const std::u16string& name) override {
    shown.push_back("save changes: " + ToDisplayUtf8(name));
    return saveAnswer;
  }
  std::optional<std::u16string> PromptText(const std::u16string& text,
                                           const std::u16string& initial) override {
    prompt = ToDisplayUtf8(text);
    prompted.push_back(ToDisplayUtf8(initial));
    if (answers.empty()) return std::nullopt;
    std::u16string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> PromptOpenFile() override { return fileName; }
  std::optional<std::string> PromptSaveFile(const std::string& defaultName) override {
    prompted.push_back(defaultName);
    return fileName;
  }
  std::optional<std::vector<GameInfoEdit>> EditGameInformation(const Node& node,
                                                               bool readOnly) override {
    shown.push_back(readOnly ? "game information read-only" : "game information");
    shownPlayer = GameInfoValue(node, "PB").value_or(u"");
    return gameInfoEdits;
  }
  void AddRecentFile(const std::string& path) override { recent.push_back(path); }
  void ShowAbout() override {}
  void Exit() override {}
  bool CanProduce(Output) const override { return true; }
  void Produce(Output output) override { produced.push_back(output); }
  void ListGamesOf(const std::string& path, bool show) override {
    listed.push_back(path + (show ? " shown" : ""));
  }
  // The shell's list answers each step with the game of its row that far on.
  ListStep StepInGameList(int step) const override {
    if (listOrder.empty()) return {};
    const auto open = std::find(listOrder.begin(), listOrder.end(), openGame());
    const std::ptrdiff_t at = open == listOrder.end()
                                  ? (step > 0 ? step - 1 : std::ssize(listOrder) + step)
                                  : open - listOrder.begin() + step;
    if (at < 0 || at >= std::ssize(listOrder)) return {true, std::nullopt};
    return {true, listOrder[static_cast<size_t>(at)]};
  }

  bool yes = true;
  std::deque<Answer> choices;  // Cancel when empty
  SaveAnswer saveAnswer = SaveAnswer::Discard;
  std::deque<std::u16string> answers;
  std::optional<std::string> fileName;
  std::string prompt;                                // the text of the last input prompt
  std::vector<std::string> shown, prompted, recent;  // prompted: the values offered
  std::optional<std::vector<GameInfoEdit>> gameInfoEdits;  // the dialog's answer
  std::u16string shownPlayer;                              // PB as the dialog showed it
  std::vector<Output> produced;
  std::vector<std::string> listed;   // ListGamesOf's files, " shown" when asked to show
  std::vector<GamePlace> listOrder;  // empty: the shell lists nothing
  std::function<GamePlace()> openGame;
};

}  // namespace vantaro::test
