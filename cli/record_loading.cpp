#include "cli/record_loading.h"

#include <charconv>
#include <vector>

#include "cli/command_line.h"
#include "options/options.h"

namespace vantaro::cli {

bool ParseEncodingOption(std::string_view command, const std::vector<std::string>& arguments,
                         size_t& i, std::optional<int>& encoding) {
  const std::string name = std::string(command) + ": --encoding";
  if (i + 1 >= arguments.size()) {
    PrintError(name + " needs a code page number");
    return false;
  }
  const std::string& text = arguments[++i];
  int codePage = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
  if (error != std::errc() || end != text.data() + text.size() ||
      CharsetCodePageMap::Instance().FindCodePage(codePage) == nullptr) {
    PrintError(name + " " + text + ": not a loaded code page");
    return false;
  }
  encoding = codePage;
  return true;
}

bool ParseGameOption(std::string_view command, const std::vector<std::string>& arguments, size_t& i,
                     std::size_t& game) {
  const std::string name = std::string(command) + ": --game";
  if (i + 1 >= arguments.size()) {
    PrintError(name + " needs a game number");
    return false;
  }
  const std::string& text = arguments[++i];
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number == 0) {
    PrintError(name + " " + text + ": not a game number (1 is the first game)");
    return false;
  }
  game = number - 1;
  return true;
}

LoadedRecord LoadRecordOrReport(const std::string& path, const LoadRequest& request,
                                DiagnosticSink* diagnostics) {
  LoadedRecord record;
  auto root = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(GlobalOptions());
  if (request.encoding) {
    context.codePage = *request.encoding;
    context.forceCodePage = true;
  }
  GameChoice choice;
  choice.index = request.game;
  choice.keepCollection = request.keepCollection;
  const IoResult result = LoadRecordFile(*root, path, context, diagnostics, &choice);
  if (!result.ok) {
    PrintError(path + ": " + result.error);
    return record;
  }
  if (request.encoding) LabelRecordCodePage(*root, *request.encoding);
  record.root = std::move(root);
  record.codePage = context.codePage;
  record.format = DetectFormat(path);
  record.games = choice.count;
  record.collection = std::move(choice.collection);
  return record;
}

void KeepUntilExit(LoadedRecord record) {
  // Never destroyed, and reachable to the end, so that leak checkers see the
  // record as kept rather than lost.
  static auto& kept = *std::make_unique<std::vector<std::unique_ptr<GameTree>>>().release();
  kept.push_back(std::move(record.root));
}

}  // namespace vantaro::cli
