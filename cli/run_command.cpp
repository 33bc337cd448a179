#include "cli/run_command.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/command_line.h"
#include "cli/path_text.h"
#include "cli/record_loading.h"
#include "cli/script_ui.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/vantaro_doc.h"
#include "editor/game_tree_model.h"
#include "property/game_info_syntax.h"
#include "record/sgf_writer.h"
#include "text/ascii.h"
#include "text/text_conversion.h"

namespace vantaro::cli {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t start = 0;
  while (true) {
    while (start < line.size() && IsAsciiSpace(line[start])) ++start;
    if (start >= line.size()) return words;
    size_t stop = start;
    while (stop < line.size() && !IsAsciiSpace(line[stop])) ++stop;
    words.push_back(line.substr(start, stop - start));
    start = stop;
  }
}

// Script text as stored: "\n" is a line break, CR LF as the comment pane writes it.
std::u16string StoredScriptText(std::string_view text) {
  std::string stored(text);
  for (size_t at = stored.find("\\n"); at != std::string::npos; at = stored.find("\\n", at + 2)) {
    stored.replace(at, 2, "\r\n");
  }
  return FromUtf8(stored);
}

// A value on one line: each CR LF, lone CR and lone LF written as "\n".
std::string OneLine(std::u16string_view text) {
  std::u16string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    line += text[i] == u'\r' || text[i] == u'\n' ? std::u16string_view(u"\\n")
                                                 : std::u16string_view(&text[i], 1);
  }
  return ToDisplayUtf8(line);
}

bool TakesQuestionAnswer(int id) {
  return id == command::kBoard19 || id == command::kBoard9 || id == command::kCustomSize ||
         id == command::kSave;
}

bool WorksOnTheTree(int id) {
  return id == command::kFoldHere || id == command::kUnfoldHere || id == command::kUnfoldAll;
}

// Runs one script line after another against a document.
class ScriptRunner {
 public:
  // The tree is laid out only once a line asks for it.
  ScriptRunner(CVantaroCEDoc& document, GameTreeModel& tree, ScriptUi& ui, std::string scriptName)
      : doc_(document),
        tree_(tree),
        table_(document),
        ui_(ui),
        scriptName_(std::move(scriptName)) {}

  // False (after printing why) when the line is in error.
  bool RunLine(std::string_view line, int number);
  bool finished() const { return ui_.exitRequested(); }

 private:
  bool Fail(int number, const std::string& message) const {
    PrintError(scriptName_ + ":" + std::to_string(number) + ": " + message);
    return false;
  }
  bool RunCommand(const Command& command, std::string_view answer);
  bool Click(const std::vector<std::string_view>& words, int number);
  bool Print(const std::vector<std::string_view>& words, std::string_view rest, int number);
  // info ID=VALUE: one game-information value stored as the dialog's OK does.
  bool StoreInfo(std::string_view assignment, int number);
  void PrintInfo() const;
  void PrintBoard() const;
  void PrintStatus() const;
  void PrintTree();
  bool Fold(const std::vector<std::string_view>& words, int number);
  // The longest command name the line starts with, and where its answer begins.
  const Command* MatchCommand(std::string_view line, std::string_view& answer) const;

  CVantaroCEDoc& doc_;
  GameTreeModel& tree_;
  CommandTable table_;
  ScriptUi& ui_;
  std::string scriptName_;
};

const Command* ScriptRunner::MatchCommand(std::string_view line, std::string_view& answer) const {
  const std::vector<std::string_view> words = Words(line);
  for (size_t count = std::min<size_t>(words.size(), 4); count > 0; --count) {
    const char* end = words[count - 1].data() + words[count - 1].size();
    const std::string_view prefix(line.data(), static_cast<size_t>(end - line.data()));
    std::string name;
    for (const std::string_view word : Words(prefix))
      name += (name.empty() ? "" : " ") + std::string(word);
    if (const Command* command = table_.FindByName(name)) {
      answer = TrimAsciiSpace(line.substr(prefix.size()));
      return command;
    }
  }
  return nullptr;
}

bool ScriptRunner::RunLine(std::string_view rawLine, int number) {
  const std::string_view line = TrimAsciiSpace(rawLine);
  if (line.empty() || line.front() == '#') return true;
  const std::vector<std::string_view> words = Words(line);
  if (words[0] == "click") return Click(words, number);
  if (words[0] == "comment") {
    // The comment pane stores what it holds; where editing is not allowed
    // the store refuses silently.
    if (GoEditor* editor = doc_.editor(); editor != nullptr && editor->EditAllowed()) {
      editor->SetComment(StoredScriptText(TrimAsciiSpace(line.substr(7))));
    }
    return true;
  }
  if (words[0] == "info") return StoreInfo(TrimAsciiSpace(line.substr(4)), number);
  if (words[0] == "print") return Print(words, line, number);
  if (words[0] == "fold" || words[0] == "unfold") return Fold(words, number);
  std::string_view answer;
  const Command* command = MatchCommand(line, answer);
  if (command == nullptr) return Fail(number, "unknown command: " + std::string(line));
  return RunCommand(*command, answer);
}

bool ScriptRunner::RunCommand(const Command& command, std::string_view answer) {
  bool yes = true;
  if (TakesQuestionAnswer(command.id)) {
    const std::vector<std::string_view> words = Words(answer);
    if (!words.empty() && (words.back() == "yes" || words.back() == "no")) {
      yes = words.back() == "yes";
      answer = TrimAsciiSpace(
          answer.substr(0, static_cast<size_t>(words.back().data() - answer.data())));
    }
  }
  ui_.SetAnswers(FromUtf8(answer), yes);
  if (WorksOnTheTree(command.id)) tree_.SetActive(true);
  if (!command.IsEnabled()) {
    std::printf("refused: %s\n", CommandName(command.menuText).c_str());
    return true;
  }
  command.run();
  return true;
}

bool ScriptRunner::Click(const std::vector<std::string_view>& words, int number) {
  int coordinates[2];
  for (int i = 0; i < 2; ++i) {
    if (words.size() != 3) return Fail(number, "usage: click X Y");
    const std::string_view word = words[1 + static_cast<size_t>(i)];
    const auto [end, error] =
        std::from_chars(word.data(), word.data() + word.size(), coordinates[i]);
    if (error != std::errc() || end != word.data() + word.size()) {
      return Fail(number, "click: not a number: " + std::string(word));
    }
  }
  if (GoEditor* editor = doc_.editor()) editor->Click(Point{coordinates[0], coordinates[1]});
  return true;
}

bool ScriptRunner::Print(const std::vector<std::string_view>& words, std::string_view line,
                         int number) {
  GoEditor* editor = doc_.editor();
  const std::string_view what = words.size() > 1 ? words[1] : "";
  if (what == "board" && words.size() == 2) {
    PrintBoard();
  } else if (what == "status" && words.size() == 2) {
    PrintStatus();
  } else if (what == "info" && words.size() == 2) {
    PrintInfo();
  } else if (what == "node" && words.size() == 2) {
    Node* node = editor->CurrentNode();
    std::printf("%s\n", node != nullptr ? WriteSgfNode(*node, editor->codePage()).c_str() : "");
  } else if (what == "sgf" && words.size() == 2) {
    std::string sgf;
    WriteSgf(*editor->recordRoot(), editor->codePage(), sgf);
    std::printf("%s\n", sgf.c_str());
  } else if (what == "tree" && words.size() == 2) {
    PrintTree();
  } else if (what == "state" && words.size() > 2) {
    const std::string_view name =
        TrimAsciiSpace(line.substr(static_cast<size_t>(words[2].data() - line.data())));
    const Command* command = table_.FindByName(name);
    if (command == nullptr)
      return Fail(number, "print state: unknown command: " + std::string(name));
    std::printf("%s %s\n", command->IsEnabled() ? "enabled" : "disabled",
                command->IsChecked() ? "checked" : "unchecked");
  } else {
    return Fail(number, "usage: print board | status | info | node | sgf | tree | state NAME");
  }
  return true;
}

void ScriptRunner::PrintBoard() const {
  std::fputs(doc_.editor()->StonesAsText().c_str(), stdout);
}

void ScriptRunner::PrintTree() {
  tree_.SetActive(true);
  std::string out;
  tree_.ForEachCell([&out](const CellRecord& cell) {
    out += FormatPath(cell.path) + " " + std::to_string(cell.cell.row) + " " +
           std::to_string(cell.cell.column);
    if (cell.hidden >= 0) out += " folded " + std::to_string(cell.hidden);
    out += '\n';
  });
  std::fputs(out.c_str(), stdout);
}

// fold PATH and unfold PATH: the node must have variations.
bool ScriptRunner::Fold(const std::vector<std::string_view>& words, int number) {
  const bool fold = words[0] == "fold";
  if (words.size() != 2)
    return Fail(number, std::string("usage: ") + (fold ? "fold" : "unfold") + " PATH");
  const std::optional<TreePath> path = ParsePath(words[1]);
  GoEditor* editor = doc_.editor();
  const auto position = path ? GameTree::Resolve(*editor->recordRoot(), *path) : std::nullopt;
  if (!position)
    return Fail(number, std::string(words[0]) + ": no node at " + std::string(words[1]));
  tree_.SetActive(true);
  const Node& node = *position->node();
  if (!TreeLayout::HasVariations(node)) {
    std::printf("refused: %s\n", fold ? "fold" : "unfold");
  } else if (fold) {
    tree_.Fold(node);
  } else {
    tree_.Unfold(node);
  }
  return true;
}

void ScriptRunner::PrintStatus() const {
  const GoEditor& editor = *doc_.editor();
  std::printf(
      "move=%d toPlay=%c modified=%d readOnly=%d tryPlay=%d path=%s capturesB=%d capturesW=%d\n",
      editor.moveNumber(), editor.blackToPlay() ? 'B' : 'W', editor.modified() ? 1 : 0,
      editor.readOnly() ? 1 : 0, editor.tryPlayActive() ? 1 : 0,
      FormatPath(editor.CurrentPath()).c_str(), editor.capturesByBlack(), editor.capturesByWhite());
}

void ScriptRunner::PrintInfo() const {
  const Node* node = doc_.editor()->GameInfoNode();
  if (node == nullptr) return;
  for (const std::string_view identifier : GameInfoIdentifiers()) {
    if (const auto value = GameInfoValue(*node, identifier)) {
      std::printf("%.*s: %s\n", static_cast<int>(identifier.size()), identifier.data(),
                  OneLine(*value).c_str());
    }
  }
}

bool ScriptRunner::StoreInfo(std::string_view assignment, int number) {
  const size_t equals = assignment.find('=');
  if (equals == std::string_view::npos) return Fail(number, "usage: info ID=VALUE");
  const std::string name(TrimAsciiSpace(assignment.substr(0, equals)));
  const std::optional<std::string_view> identifier = FindGameInfoIdentifier(name);
  if (!identifier) {
    std::printf("refused: %s is not a game information property\n", name.c_str());
    return true;
  }
  GoEditor& editor = *doc_.editor();
  if (!editor.EditAllowed()) {
    std::printf("refused: the record may not be edited\n");
    return true;
  }
  const std::u16string value = StoredScriptText(TrimAsciiSpace(assignment.substr(equals + 1)));
  const ValueCheck check = CheckGameInfoValue(*identifier, value);
  if (check.verdict != ValueVerdict::Accepted) {
    std::printf("%s: %s\n", check.verdict == ValueVerdict::Refused ? "refused" : "warning",
                ToDisplayUtf8(check.reason).c_str());
    if (check.verdict == ValueVerdict::Refused) return true;
  }
  const GameInfoEdit edit{*identifier, value};
  editor.SetGameInformation({&edit, 1});
  return true;
}

}  // namespace

int RunScriptCommand(const std::vector<std::string>& arguments) {
  std::vector<std::string> names;
  std::size_t game = 0;
  bool namesOnly = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (!namesOnly && arguments[i] == "--") {
      namesOnly = true;
    } else if (!namesOnly && arguments[i] == "--game") {
      if (!ParseGameOption("run", arguments, i, game)) return 2;
    } else {
      names.push_back(arguments[i]);
    }
  }
  if (names.empty() || names.size() > 2) {
    PrintError("usage: vantaro-cli run [--set NAME=VALUE]... FILE [--game N] [SCRIPT]");
    return 2;
  }
  std::ifstream scriptFile;
  if (names.size() == 2) {
    scriptFile.open(names[1], std::ios::binary);
    if (!scriptFile) {
      PrintError(names[1] + ": cannot read the script");
      return 1;
    }
  }
  std::istream& script = names.size() == 2 ? scriptFile : std::cin;
  ScriptUi ui;
  GameTreeModel tree;
  tree.SetActive(false);
  CVantaroCEDoc document(ui);
  document.SetPanes({&tree});
  document.SetTreeModel(&tree);
  const IoResult opened = document.OnOpenDocument(names[0], game);
  if (!opened.ok) {
    PrintError(names[0] + ": " + opened.error);
    return 1;
  }
  ScriptRunner runner(document, tree, ui, names.size() == 2 ? names[1] : "stdin");
  std::string line;
  for (int number = 1; !runner.finished() && std::getline(script, line); ++number) {
    if (!runner.RunLine(line, number)) return 1;
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace vantaro::cli
