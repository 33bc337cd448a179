#include "record/game_listing.h"

#include "game/record_summary.h"
#include "record/file_input.h"
#include "record/record_format.h"
#include "record/sgf_games.h"
#include "record/sgf_text.h"
#include "text/ascii.h"
#include "text/case_folding.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

GameSummary SummaryOfTree(const GameTree& root) {
  RecordSummary full = SummarizeRecord(root);
  GameSummary summary;
  summary.boardSize = full.boardSize;
  summary.moves = full.mainLineMoves.size();
  for (GameInfoEntry& entry : full.gameInfo) {
    if (PropertyRow(entry.id).valueType == ValueType::Text)
      summary.gameInfo.push_back(std::move(entry));
  }
  return summary;
}

}  // namespace

IoResult SummarizeRecordBytes(const std::string& path, std::string_view bytes,
                              const ReadContext& context, std::vector<GameSummary>& games) {
  games.clear();
  const RecordFormat format = DetectFormat(path);
  if (format != RecordFormat::Sgf && format != RecordFormat::Unknown) {
    GameTree root;
    ReadContext reading = context;
    const IoResult read = ReadRecordBuffer(root, format, bytes, reading);
    if (read.ok) games.push_back(SummaryOfTree(root));
    return read;
  }
  const SgfText text(bytes);
  const TextExtent extent = MeasureText(text.text());
  FindGameTrees(text.text(), context, extent.validUtf8, std::numeric_limits<std::size_t>::max(),
                &games);
  return IoResult::Success();
}

IoResult SummarizeRecordFile(const std::string& path, const ReadContext& context,
                             std::vector<GameSummary>& games, std::string& bytes) {
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) return IoResult::Failure(error);
  return SummarizeRecordBytes(path, bytes, context, games);
}

WordFilter::WordFilter(std::string_view text) {
  const std::string folded = FoldCase(text);
  size_t start = 0;
  while (start < folded.size()) {
    while (start < folded.size() && IsAsciiSpace(folded[start])) ++start;
    size_t stop = start;
    while (stop < folded.size() && !IsAsciiSpace(folded[stop])) ++stop;
    if (stop > start) words_.push_back(folded.substr(start, stop - start));
    start = stop;
  }
}

bool WordFilter::Matches(const std::vector<std::string_view>& fields) const {
  if (words_.empty()) return true;
  std::string folded;
  for (const std::string_view field : fields) {
    folded += FoldCase(field);
    folded += '\n';
  }
  for (const std::string& word : words_) {
    if (folded.find(word) == std::string::npos) return false;
  }
  return true;
}

}  // namespace vantaro
