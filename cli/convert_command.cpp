#include "cli/convert_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "cli/command_line.h"
#include "cli/record_loading.h"
#include "record/record_save.h"
#include "record/sgf_writer.h"

namespace vantaro::cli {
namespace {

namespace fs = std::filesystem;

struct ConvertRequest {
  std::vector<std::string> inputs;
  std::string output;     // -o
  std::string outputDir;  // -d
  std::optional<int> encoding;
  std::optional<std::size_t> game;  // --game: that game alone
};

bool ParseConvertArguments(const std::vector<std::string>& arguments, ConvertRequest& request) {
  bool namesOnly = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && (argument == "-o" || argument == "-d")) {
      if (i + 1 >= arguments.size()) {
        PrintError("convert: " + argument + " needs a path");
        return false;
      }
      (argument == "-o" ? request.output : request.outputDir) = arguments[++i];
    } else if (!namesOnly && argument == "--encoding") {
      if (!ParseEncodingOption("convert", arguments, i, request.encoding)) return false;
    } else if (!namesOnly && argument == "--game") {
      std::size_t game = 0;
      if (!ParseGameOption("convert", arguments, i, game)) return false;
      request.game = game;
    } else if (!namesOnly && argument.starts_with('-') && argument != "-") {
      PrintError("convert: unknown option " + argument);
      return false;
    } else {
      request.inputs.push_back(argument);
    }
  }
  if (request.inputs.empty() || (!request.output.empty() && !request.outputDir.empty()) ||
      (!request.output.empty() && request.inputs.size() > 1)) {
    PrintError(
        "usage: vantaro-cli convert IN... [-o OUT | -d OUTDIR] [--game N] [--encoding N] (-o "
        "takes one input)");
    return false;
  }
  return true;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

// Writes one record read from input, with the other games of its file
// around it as they are unless it was chosen alone; false after reporting
// why it failed.
bool WriteConverted(const LoadedRecord& record, const std::string& input, const std::string& output,
                    const std::vector<std::string>& inputs) {
  const std::string_view before = record.collection ? record.collection->Before(0) : "";
  const std::string_view after = record.collection ? record.collection->After(0) : "";
  if (output.empty() || output == "-") {
    std::string sgf(before);
    WriteSgf(*record.root, record.codePage, sgf);
    sgf += after;
    if (std::fwrite(sgf.data(), 1, sgf.size(), stdout) != sgf.size() || std::fflush(stdout) != 0) {
      PrintError(input + ": cannot write to standard output");
      return false;
    }
    return true;
  }
  for (const std::string& other : inputs) {
    if (IsSameFile(output, other)) {
      PrintError(output + ": refusing to overwrite an input file");
      return false;
    }
  }
  const IoResult saved = SaveRecordFile(*record.root, record.codePage, output, before, after);
  if (!saved.ok) {
    PrintError(output + ": " + saved.error);
    return false;
  }
  return true;
}

// Converts one input; false after reporting why it failed.
bool ConvertOne(const std::string& input, const std::string& output, const ConvertRequest& request,
                bool lastInput) {
  LoadRequest load;
  load.encoding = request.encoding;
  load.game = request.game.value_or(0);
  load.keepCollection = !request.game;
  LoadedRecord record = LoadRecordOrReport(input, load);
  if (!record.root) return false;
  const bool written = WriteConverted(record, input, output, request.inputs);
  if (lastInput) KeepUntilExit(std::move(record));
  return written;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& arguments) {
  ConvertRequest request;
  if (!ParseConvertArguments(arguments, request)) return 2;
  if (!request.outputDir.empty()) {
    std::error_code error;
    fs::create_directories(request.outputDir, error);
    if (!fs::is_directory(request.outputDir, error)) {
      PrintError(request.outputDir + ": not a directory");
      return 1;
    }
  }
  bool allConverted = true;
  std::set<std::string> written;
  for (const std::string& input : request.inputs) {
    std::string output = request.output;
    if (!request.outputDir.empty()) {
      output = (fs::path(request.outputDir) / fs::path(input).stem()).string() + ".sgf";
      if (!written.insert(output).second) {
        PrintError(input + ": " + output + " was already written by this call");
        allConverted = false;
        continue;
      }
    }
    const bool lastInput = &input == &request.inputs.back();
    allConverted = ConvertOne(input, output, request, lastInput) && allConverted;
  }
  return allConverted ? 0 : 1;
}

}  // namespace vantaro::cli
