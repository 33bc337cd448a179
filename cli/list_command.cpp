#include "cli/list_command.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/command_line.h"
#include "cli/json_text.h"
#include "options/options.h"
#include "record/game_listing.h"
#include "record/record_format.h"
#include "text/text_conversion.h"

namespace vantaro::cli {
namespace {

namespace fs = std::filesystem;

// The game-information columns, after the file and the game's number.
constexpr int kInfoColumns[] = {kPropPB, kPropBR, kPropPW, kPropWR, kPropRE,
                                kPropDT, kPropEV, kPropRO, kPropGN};

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

// A folder stands for every record file below it that Open reads, in the
// order of their paths; a file named on the command line is read whatever
// its name.
std::vector<std::string> ExpandPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    const auto first = static_cast<std::ptrdiff_t>(files.size());
    for (fs::recursive_directory_iterator
             entry(path, fs::directory_options::skip_permission_denied, error),
         end;
         !error && entry != end; entry.increment(error)) {
      if (entry->is_regular_file(error) &&
          DetectFormat(entry->path().native()) != RecordFormat::Unknown) {
        files.push_back(entry->path().string());
      }
    }
    std::sort(files.begin() + first, files.end());
  }
  return files;
}

std::string InfoText(const GameSummary& game, int id) {
  for (const GameInfoEntry& entry : game.gameInfo) {
    if (entry.id == id) return ToDisplayUtf8(entry.text);
  }
  return {};
}

std::string SizeText(Point size) {
  if (size.x == size.y) return std::to_string(size.x);
  return std::to_string(size.x) + ":" + std::to_string(size.y);
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
    std::vector<std::string> info(std::size(kInfoColumns));
    std::vector<std::string_view> fields;
    for (size_t g = 0; g < games.size(); ++g) {
      for (size_t c = 0; c < info.size(); ++c) info[c] = InfoText(games[g], kInfoColumns[c]);
      if (!filter_.empty()) {
        fields.assign(info.begin(), info.end());
        fields.push_back(file);
        if (!filter_.Matches(fields)) continue;
      }
      if (json_) {
        AppendJson(file, g + 1, info, games[g], out);
      } else {
        AppendTsv(file, g + 1, info, games[g], out);
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
  static void AppendTsv(const std::string& file, size_t number,
                        const std::vector<std::string>& info, const GameSummary& game,
                        std::string& out) {
    AppendTsvField(file, out);
    out += '\t' + std::to_string(number);
    for (const std::string& text : info) {
      out += '\t';
      AppendTsvField(text, out);
    }
    out += '\t' + std::to_string(game.moves) + '\t' + SizeText(game.boardSize) + '\n';
  }

  static void AppendJson(const std::string& file, size_t number,
                         const std::vector<std::string>& info, const GameSummary& game,
                         std::string& out) {
    if (!out.empty()) out += ",\n";
    out += "{\"file\":";
    AppendJsonString(file, out);
    out += ",\"game\":" + std::to_string(number);
    for (size_t c = 0; c < info.size(); ++c) {
      out += ',';
      AppendJsonString(PropertyRow(kInfoColumns[c]).name, out);
      out += ':';
      AppendJsonString(info[c], out);
    }
    out += ",\"moves\":" + std::to_string(game.moves) + ",\"SZ\":";
    AppendJsonString(SizeText(game.boardSize), out);
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
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers = std::min<size_t>(cores, files_.size()) - (files_.empty() ? 0 : 1);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < helpers; ++i) threads.emplace_back([this] { Work(nullptr); });
    size_t taken = 0;
    const auto takeReady = [&] {
      while (taken < files_.size()) {
        std::unique_ptr<FileResult> result = TakeIfReady(taken);
        if (!result) return;
        take(taken++, std::move(*result));
      }
    };
    Work(takeReady);
    for (; taken < files_.size(); ++taken) take(taken, Wait(taken));
    for (std::thread& thread : threads) thread.join();
  }

 private:
  void Work(const std::function<void()>& betweenFiles) {
    const ReadContext context = MakeReadContext(GlobalOptions());
    std::string bytes;
    std::vector<GameSummary> games;
    for (size_t i = next_++; i < files_.size(); i = next_++) {
      FileResult result;
      const IoResult read = SummarizeRecordFile(files_[i], context, games, bytes);
      if (read.ok) {
        writer_.Append(files_[i], games, result.rows);
      } else {
        result.error = read.error;
      }
      auto done = std::make_unique<FileResult>(std::move(result));
      {
        const std::lock_guard lock(mutex_);
        results_[i] = std::move(done);
      }
      ready_.notify_all();
      if (betweenFiles) betweenFiles();
    }
  }

  std::unique_ptr<FileResult> TakeIfReady(size_t i) {
    const std::lock_guard lock(mutex_);
    return std::move(results_[i]);
  }

  FileResult Wait(size_t i) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [&] { return results_[i] != nullptr; });
    FileResult result = std::move(*results_[i]);
    results_[i].reset();
    return result;
  }

  const std::vector<std::string>& files_;
  const RowWriter& writer_;
  std::atomic<size_t> next_ = 0;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<std::unique_ptr<FileResult>> results_;  // null until read, and once taken
};

}  // namespace

int RunListCommand(const std::vector<std::string>& arguments) {
  ListRequest request;
  if (!ParseListArguments(arguments, request)) return 2;
  const std::vector<std::string> files = ExpandPaths(request.paths);
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
