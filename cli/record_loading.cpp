#include "cli/record_loading.h"

#include <vector>

#include "cli/command_line.h"
#include "options/options.h"

namespace vantaro::cli {

LoadedRecord LoadRecordOrReport(const std::string& path, DiagnosticSink* diagnostics) {
  LoadedRecord record;
  auto root = std::make_unique<GameTree>();
  ReadContext context = MakeReadContext(GlobalOptions());
  const IoResult result = LoadRecordFile(*root, path, context, diagnostics);
  if (!result.ok) {
    PrintError(path + ": " + result.error);
    return record;
  }
  record.root = std::move(root);
  record.codePage = context.codePage;
  record.format = DetectFormat(path);
  return record;
}

void KeepUntilExit(LoadedRecord record) {
  // Never destroyed, and reachable to the end, so that leak checkers see the
  // record as kept rather than lost.
  static auto& kept = *std::make_unique<std::vector<std::unique_ptr<GameTree>>>().release();
  kept.push_back(std::move(record.root));
}

}  // namespace vantaro::cli
