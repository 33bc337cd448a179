#include "cli/info_command.h"

#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/json_text.h"
#include "cli/record_loading.h"
#include "game/record_summary.h"
#include "property/value_syntax.h"
#include "text/text_conversion.h"

namespace vantaro::cli {
namespace {

std::string MoveText(const MainLineMove& move) {
  std::string text = move.white ? "W" : "B";
  if (move.point.x >= 0) {
    text += ' ';
    AppendPoint(move.point, text);
  }
  return text;
}

std::string PlainReport(const LoadedRecord& record, const RecordSummary& summary) {
  std::string out;
  out += "format: " + std::string(FormatName(record.format)) + "\n";
  out += "width: " + std::to_string(summary.boardSize.x) + "\n";
  out += "height: " + std::to_string(summary.boardSize.y) + "\n";
  out += "codePage: " + std::to_string(record.codePage) + "\n";
  out += "games: " + std::to_string(record.games) + "\n";
  out += "nodes: " + std::to_string(summary.counts.nodes) + "\n";
  out += "trees: " + std::to_string(summary.counts.trees) + "\n";
  out += "moves: " + std::to_string(summary.mainLineMoves.size()) + "\n";
  for (const GameInfoEntry& entry : summary.gameInfo) {
    out += std::string(PropertyRow(entry.id).name) + ": " + ToDisplayUtf8(entry.text) + "\n";
  }
  return out;
}

std::string JsonReport(const LoadedRecord& record, const RecordSummary& summary) {
  std::string out = "{\"format\":";
  AppendJsonString(FormatName(record.format), out);
  out += ",\"width\":" + std::to_string(summary.boardSize.x);
  out += ",\"height\":" + std::to_string(summary.boardSize.y);
  out += ",\"codePage\":" + std::to_string(record.codePage);
  out += ",\"games\":" + std::to_string(record.games);
  out += ",\"nodes\":" + std::to_string(summary.counts.nodes);
  out += ",\"trees\":" + std::to_string(summary.counts.trees);
  out += ",\"moves\":[";
  for (size_t i = 0; i < summary.mainLineMoves.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(MoveText(summary.mainLineMoves[i]), out);
  }
  out += "],\"gameInfo\":{";
  for (size_t i = 0; i < summary.gameInfo.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(PropertyRow(summary.gameInfo[i].id).name, out);
    out += ':';
    AppendJsonString(ToDisplayUtf8(summary.gameInfo[i].text), out);
  }
  out += "}}\n";
  return out;
}

}  // namespace

int RunInfoCommand(const std::vector<std::string>& arguments) {
  bool json = false;
  bool namesOnly = false;
  LoadRequest request;
  std::vector<std::string> files;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && argument == "--json") {
      json = true;
    } else if (!namesOnly && argument == "--encoding") {
      if (!ParseEncodingOption("info", arguments, i, request.encoding)) return 2;
    } else if (!namesOnly && argument == "--game") {
      if (!ParseGameOption("info", arguments, i, request.game)) return 2;
    } else if (!namesOnly && argument.starts_with('-') && argument != "-") {
      PrintError("info: unknown option " + argument);
      return 2;
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 1) {
    PrintError("usage: vantaro-cli info FILE [--game N] [--json] [--encoding N]");
    return 2;
  }
  LoadedRecord record = LoadRecordOrReport(files.front(), request);
  if (!record.root) return 1;
  const RecordSummary summary = SummarizeRecord(*record.root);
  const std::string report = json ? JsonReport(record, summary) : PlainReport(record, summary);
  std::fwrite(report.data(), 1, report.size(), stdout);
  KeepUntilExit(std::move(record));
  return 0;
}

}  // namespace vantaro::cli
