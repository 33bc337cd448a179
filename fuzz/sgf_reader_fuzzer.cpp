#include "game/record_summary.h"
#include "record/game_listing.h"
#include "record/sgf_reader.h"
#include "record_fuzzing.h"

namespace {

// The games a scan finds end where their readings end, and what a list shows
// of each is what its reading shows.
void ScanAgreesWithReading(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vantaro::ReadContext context{size > 0 && data[0] % 2 == 1, 65001};
  std::vector<vantaro::GameSummary> listed;
  vantaro::SummarizeRecordBytes("x.sgf", bytes, context, listed);
  const vantaro::SgfText text(bytes);
  const std::vector<vantaro::GameSpan> games = vantaro::FindGameTrees(text.text(), context);
  if (listed.size() != games.size()) std::abort();
  for (size_t i = 0; i < games.size(); ++i) {
    vantaro::GameTree root;
    vantaro::ReadContext reading = context;
    if (vantaro::ReadSgfGameAt(root, text, games, i, reading) != games[i].end) std::abort();
    const vantaro::RecordSummary read = vantaro::SummarizeRecord(root);
    if (read.mainLineMoves.size() != listed[i].moves) std::abort();
    if (read.boardSize != listed[i].boardSize) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantaro::fuzz::ReadWriteRead(vantaro::RecordFormat::Sgf, data, size);
  ScanAgreesWithReading(data, size);
  return 0;
}
