#include "cli/printed_game.h"

#include "cli/command_line.h"
#include "cli/path_text.h"
#include "figures/figure_line.h"

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
  } else {
    request.pathText = value;
    request.path = ParsePath(value);
    if (!request.path) return Fail(command, "--path needs a path such as 0.1/3");
  }
  return true;
}

}  // namespace

bool ParsePrintRequest(std::string_view command, const std::vector<std::string>& arguments,
                       bool withOutput, PrintRequest& request) {
  bool namesOnly = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool takesValue = argument == "--path" || (withOutput && argument == "-o");
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && argument == "--game") {
      if (!ParseGameOption(command, arguments, i, request.game)) return false;
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
  LoadRequest load;
  load.game = request.game;
  PrintedGame printed{LoadRecordOrReport(request.input, load), {}};
  if (!printed.record.root) return std::nullopt;
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
