#include "cli/record_loading.h"

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

}  // namespace vantaro::cli
