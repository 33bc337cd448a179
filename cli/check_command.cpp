#include "cli/check_command.h"

#include <algorithm>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/record_loading.h"

namespace vantaro::cli {
namespace {

enum class CheckResult { Clean, Repaired, Unreadable };

CheckResult CheckOne(const std::string& path, bool lastFile) {
  DiagnosticList diagnostics;
  LoadedRecord record = LoadRecordOrReport(path, {}, &diagnostics);
  if (!record.root) return CheckResult::Unreadable;
  if (lastFile) KeepUntilExit(std::move(record));
  for (const Diagnostic& each : diagnostics.ByOffset()) {
    std::printf("%s:%zu: %s\n", path.c_str(), each.offset, each.message.c_str());
  }
  return diagnostics.entries().empty() ? CheckResult::Clean : CheckResult::Repaired;
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& arguments) {
  bool namesOnly = false;
  std::vector<std::string> files;
  for (const std::string& argument : arguments) {
    if (!namesOnly && argument == "--") {
      namesOnly = true;
    } else if (!namesOnly && argument.starts_with('-') && argument != "-") {
      PrintError("check: unknown option " + argument);
      return 2;
    } else {
      files.push_back(argument);
    }
  }
  if (files.empty()) {
    PrintError("usage: vantaro-cli check FILE...");
    return 2;
  }
  CheckResult worst = CheckResult::Clean;
  for (const std::string& file : files) {
    worst = std::max(worst, CheckOne(file, &file == &files.back()));
  }
  std::fflush(stdout);
  switch (worst) {
    case CheckResult::Clean:
      return 0;
    case CheckResult::Repaired:
      return 1;
    case CheckResult::Unreadable:
      return 2;
  }
  return 2;
}

}  // namespace vantaro::cli
