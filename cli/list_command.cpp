#include "cli/list_command.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/command_line.h"
#include "cli/json_text.h"
#include "options/options.h"
#include "record/game_listing.h"
#include "record/record_folder.h"

namespace vantaro::cli {
namespace {

struct ListRequest {
  std::vector<std::string> paths;
  bool json = false;
  std::string match;
};

bool ParseListArguments(const std::vector<std::string>& arguments, ListRequest& request) {
  bool namesOnly = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && argument == "--json") {
      request.json = true;
    } else if (!namesOnly && argument == "--match") {
      if (i + 1 >= arguments.size()) {
        PrintError("list: --match needs a text");
        return false;
      }
      request.match = arguments[++i];
    } else if (!namesOnly && argument.starts_with('-') && argument != "-") {
      PrintError("list: unknown option " + argument);
      return false;
    } else {
      request.paths.push_back(argument);
    }
  }
  if (request.paths.empty()) {
    PrintError("usage: vantaro-cli list FILE|FOLDER... [--json] [--match TEXT]");
    return false;
  }
  return true;
}

// Tab-separated text: a tab or a line break inside a field is written as an escape.
void AppendTsvField(std::string_view text, std::string& out) {
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out.push_back(c);
    }
  }
}

// The rows of one file's games, formatted; with their count.
class RowWriter {
 public:
  RowWriter(bool json, const WordFilter& filter) : json_(json), filter_(filter) {}

  size_t Append(const std::string& file, const std::vector<GameSummary>& games,
                std::string& out) const {
    size_t rows = 0;
    for (const ListedGame& game : ListGames(games)) {
      if (!Keeps(filter_, file, game)) continue;
      if (json_) {
        AppendJson(file, game, out);
      } else {
        AppendTsv(file, game, out);
      }
      ++rows;
    }
    return rows;
  }

  void AppendError(const std::string& file, const std::string& error, std::string& out) const {
    if (!json_) return;
    out += "{\"file\":";
    AppendJsonString(file, out);
    out += ",\"error\":";
    AppendJsonString(error, out);
    out += "}";
  }

 private:
  static void AppendTsv(const std::string& file, const ListedGame& game, std::string& out) {
    AppendTsvField(file, out);
    out += '\t' + std::to_string(game.game);
    for (const std::string& text : game.info) {
      out += '\t';
      AppendTsvField(text, out);
    }
    out += '\t' + std::to_string(game.moves) + '\t' + BoardSizeText(game.size) + '\n';
  }

  static void AppendJson(const std::string& file, const ListedGame& game, std::string& out) {
    if (!out.empty()) out += ",\n";
    out += "{\"file\":";
    AppendJsonString(file, out);
    out += ",\"game\":" + std::to_string(game.game);
    for (size_t c = 0; c < kListedInfoCount; ++c) {
      out += ',';
      AppendJsonString(PropertyRow(kListedInfo[c]).name, out);
      out += ':';
      AppendJsonString(game.info[c], out);
    }
    out += ",\"moves\":" + std::to_string(game.moves) + ",\"SZ\":";
    AppendJsonString(BoardSizeText(game.size), out);
    out += '}';
  }

  bool json_;
  const WordFilter& filter_;
};

// What one file gave: its rows, formatted, or why it could not be read.
struct FileResult {
  std::string rows;
  std::string error;
};

// Reads the files on every core and hands their results over in the order of
// the files as soon as each is ready, so that only the results finished
// ahead of their turn wait in memory.
class ParallelLister {
 public:
  ParallelLister(const std::vector<std::string>& files, const RowWriter& writer)
      : files_(files), writer_(writer), results_(files.size()) {}

  // The calling thread reads files too, and hands over what is ready
  // between them.
  template <typename Take>
  void Run(Take take) {
    const std::thread::id caller = std::this_thread::get_id();
    size_t taken = 0;
    const auto takeReady = [&] {
      while (taken < files_.size()) {
        std::unique_ptr<FileResult> result = TakeIfReady(taken);
        if (!result) return;
        take(taken++, std::move(*result));
      }
    };
    SummarizeFiles(files_, MakeReadContext(GlobalOptions()), std::thread::hardware_concurrency(),
                   [&](size_t i, FileSummaries& read) {
                     Keep(i, read);
                     if (std::this_thread::get_id() == caller) takeReady();
                   });
    takeReady();
  }

 private:
  void Keep(size_t i, const FileSummaries& read) {
    auto result = std::make_unique<FileResult>();
    if (read.read.ok) {
      writer_.Append(files_[i], read.games, result->rows);
    } else {
      result->error = read.read.error;
    }
    const std::lock_guard lock(mutex_);
    results_[i] = std::move(result);
  }

  std::unique_ptr<FileResult> TakeIfReady(size_t i) {
    const std::lock_guard lock(mutex_);
    return std::move(results_[i]);
  }

  const std::vector<std::string>& files_;
  const RowWriter& writer_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<FileResult>> results_;  // null until read, and once taken
};

}  // namespace

int RunListCommand(const std::vector<std::string>& arguments) {
  ListRequest request;
  if (!ParseListArguments(arguments, request)) return 2;
  const std::vector<std::string> files = RecordFilesUnder(request.paths);
  const WordFilter filter(request.match);
  const RowWriter writer(request.json, filter);
  bool allRead = true;
  bool firstObject = true;
  std::fputs(request.json ? "[\n" : "file\tgame\tPB\tBR\tPW\tWR\tRE\tDT\tEV\tRO\tGN\tmoves\tSZ\n",
             stdout);
  ParallelLister(files, writer).Run([&](size_t i, FileResult result) {
    if (!result.error.empty()) {
      allRead = false;
      PrintError(files[i] + ": " + result.error);
      writer.AppendError(files[i], result.error, result.rows);
    }
    if (result.rows.empty()) return;
    if (request.json && !firstObject) std::fputs(",\n", stdout);
    firstObject = false;
    std::fwrite(result.rows.data(), 1, result.rows.size(), stdout);
  });
  std::fputs(request.json ? (firstObject ? "]\n" : "\n]\n") : "", stdout);
  std::fflush(stdout);
  return allRead ? 0 : 1;
}

}  // namespace vantaro::cli
