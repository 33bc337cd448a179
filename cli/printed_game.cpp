#include "cli/printed_game.h"

#include <charconv>

#include "cli/command_line.h"
#include "cli/path_text.h"
#include "figures/figure_line.h"
#include "options/options.h"
#include "record/record_format.h"

namespace vantaro::cli {
namespace {

bool Fail(std::string_view command, const std::string& message) {
  PrintError(std::string(command) + ": " + message);
  return false;
}

bool TakeOption(std::string_view command, const std::string& option, const std::string& value,
                PrintRequest& request) {
  if (option == "-o") {
    request.output = value;
  } else if (option == "--path") {
    request.pathText = value;
    request.path = ParsePath(value);
    if (!request.path) return Fail(command, "--path needs a path such as 0.1/3");
  } else {
    const auto [end, error] =
        std::from_chars(value.data(), value.data() + value.size(), request.game);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
        request.game < 1) {
      return Fail(command, "--game needs a game number of 1 or more");
    }
  }
  return true;
}

// Games after the first are kept as the text that followed it: each is read
// from the text its predecessor left.
bool SelectGame(LoadedRecord& record, int game) {
  for (int number = 2; number <= game; ++number) {
    const std::string* rest = record.root->collectionTail();
    if (rest == nullptr || rest->find('(') == std::string::npos) return false;
    auto next = std::make_unique<GameTree>();
    ReadContext context = MakeReadContext(GlobalOptions());
    if (!ReadRecordBuffer(*next, RecordFormat::Sgf, *rest, context).ok || next->NodeCount() == 0) {
      return false;
    }
    KeepUntilExit({std::move(record.root)});
    record.root = std::move(next);
    record.codePage = context.codePage;
  }
  return true;
}

}  // namespace

bool ParsePrintRequest(std::string_view command, const std::vector<std::string>& arguments,
                       bool withOutput, PrintRequest& request) {
  bool namesOnly = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool takesValue =
        argument == "--path" || argument == "--game" || (withOutput && argument == "-o");
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && takesValue) {
      if (i + 1 >= arguments.size()) return Fail(command, argument + " needs a value");
      if (!TakeOption(command, argument, arguments[++i], request)) return false;
    } else if (!namesOnly && argument.starts_with('-') && argument != "-") {
      return Fail(command, "unknown option " + argument);
    } else if (request.input.empty()) {
      request.input = argument;
    } else {
      return Fail(command, "one record at a time: " + argument);
    }
  }
  if (request.input.empty() || (withOutput && request.output.empty())) {
    PrintError(std::string("usage: vantaro-cli ") + std::string(command) +
               " [--set NAME=VALUE]... FILE [--game N] [--path P]" +
               (withOutput ? " -o OUT.pdf" : ""));
    return false;
  }
  return true;
}

std::optional<PrintedGame> LoadPrintedGame(const PrintRequest& request) {
  PrintedGame printed{LoadRecordOrReport(request.input), {}};
  if (!printed.record.root) return std::nullopt;
  if (!SelectGame(printed.record, request.game)) {
    PrintError(request.input + ": no game " + std::to_string(request.game));
    return std::nullopt;
  }
  GameTree& root = *printed.record.root;
  const GameTree* tree = &root;
  if (request.path) {
    const std::optional<Position> position = GameTree::Resolve(root, *request.path);
    if (!position || position->node() == nullptr) {
      PrintError(request.input + ": no node at path " + request.pathText);
      return std::nullopt;
    }
    tree = position->tree;
  }
  printed.line = LineThrough(*tree);
  return printed;
}

}  // namespace vantaro::cli
