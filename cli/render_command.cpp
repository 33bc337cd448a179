#include "cli/render_command.h"

#include <charconv>
#include <optional>

#include "cli/command_line.h"
#include "cli/path_text.h"
#include "cli/qt_messages.h"
#include "cli/record_loading.h"
#include "editor/go_editor.h"
#include "figures/figure_line.h"
#include "render/board_drawer.h"
#include "render/board_picture.h"
#include "render/figure_picture.h"
#include "render/headless_gui.h"

namespace vantaro::cli {
namespace {

constexpr const char* kUsage =
    "usage: vantaro-cli render [--set NAME=VALUE]... FILE [--game N] [--move N | --path P] "
    "[--size W[xH]] [--figure A-B] -o OUT.png|OUT.svg|OUT.pdf";
constexpr int kLargestSide = 8192;

struct MoveRange {
  int first = 0;
  int last = 0;
};

struct RenderRequest {
  std::string input;
  std::size_t game = 0;
  std::optional<int> move;
  std::optional<MoveRange> figure;
  std::string pathText;
  std::optional<TreePath> path;
  int width = 600;
  int height = 600;
  std::string output;
};

std::optional<int> ParseNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

bool ParseSize(std::string_view text, RenderRequest& request) {
  const size_t cross = text.find('x');
  const std::optional<int> width = ParseNumber(text.substr(0, cross));
  const std::optional<int> height =
      cross == std::string_view::npos ? width : ParseNumber(text.substr(cross + 1));
  const auto fits = [](std::optional<int> side) {
    return side && *side >= 1 && *side <= kLargestSide;
  };
  if (!fits(width) || !fits(height)) return false;
  request.width = *width;
  request.height = *height;
  return true;
}

bool Fail(const std::string& message) {
  PrintError("render: " + message);
  return false;
}

// Reads one option's value; false after reporting what is wrong with it.
bool TakeOption(const std::string& option, const std::string& value, RenderRequest& request) {
  if (option == "-o") {
    request.output = value;
  } else if (option == "--move") {
    request.move = ParseNumber(value);
    if (!request.move || *request.move < 1) return Fail("--move needs a move number of 1 or more");
  } else if (option == "--figure") {
    const size_t dash = value.find('-');
    const std::optional<int> first = ParseNumber(std::string_view(value).substr(0, dash));
    const std::optional<int> last = dash == std::string::npos
                                        ? std::nullopt
                                        : ParseNumber(std::string_view(value).substr(dash + 1));
    if (!first || !last || *first < 1 || *last < *first) {
      return Fail("--figure needs moves A-B with 1 <= A <= B");
    }
    request.figure = MoveRange{*first, *last};
  } else if (option == "--path") {
    request.pathText = value;
    request.path = ParsePath(value);
    if (!request.path) return Fail("--path needs a path such as 0.1/3 (as print status shows)");
  } else if (!ParseSize(value, request)) {
    return Fail("--size needs W or WxH, each from 1 to " + std::to_string(kLargestSide));
  }
  return true;
}

bool ParseRenderArguments(const std::vector<std::string>& arguments, RenderRequest& request) {
  bool namesOnly = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool takesValue = argument == "-o" || argument == "--move" || argument == "--path" ||
                            argument == "--size" || argument == "--figure";
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && argument == "--game") {
      if (!ParseGameOption("render", arguments, i, request.game)) return false;
    } else if (!namesOnly && takesValue) {
      if (i + 1 >= arguments.size()) return Fail(argument + " needs a value");
      if (!TakeOption(argument, arguments[++i], request)) return false;
    } else if (!namesOnly && argument.starts_with('-') && argument != "-") {
      return Fail("unknown option " + argument);
    } else if (request.input.empty()) {
      request.input = argument;
    } else {
      return Fail("one record at a time: " + argument);
    }
  }
  if (request.move && request.path) return Fail("--move and --path exclude each other");
  if (request.move && request.figure) return Fail("--move and --figure exclude each other");
  if (request.input.empty() || request.output.empty()) {
    PrintError(kUsage);
    return false;
  }
  return true;
}

// Moves the editor's cursor where the request asks; false after reporting
// that the record has no such place.
bool GoToRequestedNode(GoEditor& editor, const RenderRequest& request) {
  if (request.move) {
    if (!editor.ToMoveNumber(*request.move) && editor.moveNumber() != *request.move) {
      PrintError(request.input + ": no move " + std::to_string(*request.move));
      return false;
    }
  } else if (request.path) {
    const std::optional<Position> position = GameTree::Resolve(*editor.recordRoot(), *request.path);
    if (!position || position->node() == nullptr) {
      PrintError(request.input + ": no node at path " + request.pathText);
      return false;
    }
    editor.GoToNode(position->node());
  }
  return true;
}

// The moves of the request's figure on the line through its path (or the
// main line), drawn as a printed figure.
int RenderFigure(GameTree& root, const RenderRequest& request, PictureFormat format) {
  const GameTree* tree = &root;
  if (request.path) {
    const std::optional<Position> position = GameTree::Resolve(root, *request.path);
    if (!position || position->node() == nullptr) {
      PrintError(request.input + ": no node at path " + request.pathText);
      return 1;
    }
    tree = position->tree;
  }
  const std::optional<Figure> figure =
      FigureOfMoves(root, LineThrough(*tree), request.figure->first, request.figure->last);
  if (!figure) {
    PrintError(request.input + ": no move " + std::to_string(request.figure->first));
    return 1;
  }
  FigurePicture picture(root, GlobalOptions());
  if (!SaveBoardPicture(picture.Show(*figure), request.width, request.height, request.output,
                        format)) {
    PrintError(request.output + ": cannot write the picture");
    return 1;
  }
  return 0;
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& arguments) {
  RenderRequest request;
  if (!ParseRenderArguments(arguments, request)) return 2;
  // Any other name gets a PNG picture, as it always has.
  const PictureFormat format = PictureFormatOf(request.output).value_or(PictureFormat::Png);
  ShowQtErrorsOnly();
  const HeadlessGui gui;
  LoadRequest load;
  load.game = request.game;
  LoadedRecord record = LoadRecordOrReport(request.input, load);
  if (!record.root) return 1;
  if (request.figure) return RenderFigure(*record.root, request, format);
  GoEditor editor(GlobalOptions());
  editor.InstallRecord(std::move(record.root), record.codePage);
  if (!GoToRequestedNode(editor, request)) return 1;

  CBoardDrawer drawer(GlobalOptions());
  drawer.SetBoard(&editor);
  if (!SaveBoardPicture(drawer, request.width, request.height, request.output, format)) {
    PrintError(request.output + ": cannot write the picture");
    return 1;
  }
  return 0;
}

}  // namespace vantaro::cli
