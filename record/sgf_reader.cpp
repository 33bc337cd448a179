#include "record/sgf_reader.h"

#include <atomic>
#include <functional>
#include <future>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "record/root_variation_finder.h"
#include "record/sgf_parser.h"
#include "text/ascii.h"
#include "text/double_byte.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// Below this size checking the text first costs too little to overlap.
constexpr size_t kCheckAlongsideSize = 1 << 20;

// UTF-16 records are saved in UTF-8, and their CA says so from now on.
void LabelUtf16AsUtf8(GameTree& root, const SgfText& text) {
  if (Node* first = root.NodeAt(0); text.fromUtf16() && first != nullptr && first->Has(kPropCA)) {
    first->Find(kPropCA)->SetText(u"UTF-8");
  }
}

// The reading of a large game's root variations is shared with a helper
// thread when nothing is reported. The helper runs ahead, looking at values
// and parentheses only, to the first root variation that leaves it as much
// text to read as the reader has left before it, claims it and reads from
// there to the end. Measured against where the reader is, not at a fixed
// share, so that a helper that gets less of the processor takes less of the
// work.
void ReadLastRootVariations(std::string_view text, VariationHandOver& handOver) {
  const std::function<bool(std::size_t)> halfOfWhatIsLeft = [&](std::size_t offset) {
    const std::size_t reader = handOver.readerAt();
    return offset > reader && offset - reader >= text.size() - offset;
  };
  const std::size_t first = FindRootVariation(text, halfOfWhatIsLeft, handOver.finished());
  if (first == std::string_view::npos || !handOver.Claim(first)) return;
  HandedOverVariations handed;
  std::size_t at = first;
  while (at < text.size() && text[at] == '(') {
    auto tree = std::make_unique<GameTree>();
    SgfParser parser(text, at, SgfParser::Mode::Build, nullptr, kUtf8CodePage);
    parser.StopWhen(handOver.finished());
    const std::size_t end = parser.ReadRootVariation(*tree);
    handed.trees.emplace_back(std::move(tree), at);
    at = end;
    while (at < text.size() && IsAsciiSpace(text[at])) ++at;
  }
  handed.end = at;
  handOver.Deliver(std::move(handed));
}

void ClearRecord(GameTree& root) {
  while (root.ChildCount() > 0) root.DetachChild(root.ChildCount() - 1);
  while (root.NodeCount() > 0) root.DetachNode(root.NodeCount() - 1);
}

// A large record labelled UTF-8, or not labelled, is nearly always valid
// UTF-8: its first game is read as such while a second thread checks that
// (and finds the other games), instead of after a pass over the whole text.
// True when the reading stands: the label allows UTF-8, a thread could be
// started and the whole text is UTF-8. Otherwise root is left empty, and
// games holds the games when the check found them.
bool ReadFirstAsUtf8WhileChecking(GameTree& root, const SgfText& text, ReadContext& context,
                                  const FileInput* input, std::vector<GameSpan>* games) {
  const std::string_view bytes = text.text();
  SgfParser scanner(bytes, 0, SgfParser::Mode::Skim, nullptr, kUtf8CodePage);
  const RootFacts rootFacts = scanner.ScanRoot();
  const int labelled = rootFacts.charset ? CodePageOfCharsetLabel(*rootFacts.charset) : 0;
  if (labelled != 0 && labelled != kUtf8CodePage) return false;
  // A record without a label is as often in a legacy code page: the check
  // finds that out long before the reading ends, and stops it.
  // The games after the first are found once the first has been read, so
  // that a single large game is not walked twice.
  std::atomic<bool> notUtf8 = false;
  std::promise<std::size_t> firstRead;
  std::future<std::size_t> firstEnd = firstRead.get_future();
  const auto check = [bytes, &notUtf8, &context, games, &firstEnd] {
    const bool valid = MeasureText(bytes).validUtf8;
    if (!valid) notUtf8.store(true);
    const std::size_t end = firstEnd.get();
    const char* start = FindFirstGameStart(bytes.data(), bytes.data() + bytes.size());
    if (valid && games != nullptr && start != nullptr) {
      *games = {{static_cast<std::size_t>(start - bytes.data()), end, kUtf8CodePage}};
      std::vector<GameSpan> others = FindGameTrees(
          bytes, context, true, std::numeric_limits<std::size_t>::max(), nullptr, end);
      games->insert(games->end(), others.begin(), others.end());
    }
    return valid;
  };
  std::future<bool> checked;
  try {
    checked = std::async(std::launch::async, check);
  } catch (const std::system_error&) {
    return false;
  }
  // What the reading repairs is handed on only once the reading stands.
  DiagnosticList reports;
  SgfParser parser(bytes, 0, SgfParser::Mode::Build, nullptr, kUtf8CodePage,
                   text.isFileBytes() ? input : nullptr,
                   text.sink() != nullptr ? &reports : nullptr);
  parser.SetBoardSize(rootFacts.boardSize);
  parser.StopWhen(notUtf8);
  VariationHandOver handOver;
  std::future<void> helper;
  if (text.sink() == nullptr) {
    try {
      helper = std::async(std::launch::async, ReadLastRootVariations, bytes, std::ref(handOver));
      parser.TakeRootVariationsFrom(handOver);
    } catch (const std::system_error&) {
    }
  }
  firstRead.set_value(parser.ReadRecord(root));
  handOver.Finish();
  if (helper.valid()) helper.get();
  if (checked.get()) {
    context.codePage = kUtf8CodePage;
    if (DiagnosticSink* sink = text.sink()) {
      ReportCharset(rootFacts, kUtf8CodePage, text.fromUtf16(), ReadReport(sink, bytes));
      for (const Diagnostic& each : reports.entries()) sink->Report(each.offset, each.message);
    }
    return true;
  }
  ClearRecord(root);
  return false;
}

}  // namespace

std::size_t ReadSgfGameAt(GameTree& root, const SgfText& text, const std::vector<GameSpan>& games,
                          std::size_t index, ReadContext& context, const FileInput* input) {
  const std::string_view bytes = text.text();
  const GameSpan& game = games[index];
  SgfParser scanner(bytes, game.begin, SgfParser::Mode::Skim, nullptr, kUtf8CodePage);
  const RootFacts rootFacts = scanner.ScanRoot();
  // A code page the user chose overrides the label without repairing anything.
  if (!context.forceCodePage) {
    ReportCharset(rootFacts, game.codePage, text.fromUtf16(), ReadReport(text.sink(), bytes));
  }
  // The file stays in memory for the parser, which gives it back as it goes:
  // the record outgrows the file read so far, so that costs no peak memory,
  // and giving it all back now would make the parser fault every page in again.
  SgfParser parser(bytes, index == 0 ? 0 : game.begin, SgfParser::Mode::Build,
                   LeadBytesOf(game.codePage), game.codePage, text.isFileBytes() ? input : nullptr,
                   text.sink());
  parser.SetBoardSize(rootFacts.boardSize);
  const std::size_t end = parser.ReadRecord(root);
  context.codePage = game.codePage;
  LabelUtf16AsUtf8(root, text);
  return end;
}

IoResult ReadSgfGame(GameTree& root, const SgfText& text, std::size_t index, ReadContext& context,
                     const FileInput* input, std::vector<GameSpan>* games) {
  std::vector<GameSpan> found;
  const bool large = text.text().size() >= kCheckAlongsideSize;
  if (index == 0 && large && !context.forceCodePage) {
    if (ReadFirstAsUtf8WhileChecking(root, text, context, input,
                                     games != nullptr ? &found : nullptr)) {
      if (games != nullptr) *games = std::move(found);
      LabelUtf16AsUtf8(root, text);
      return IoResult::Success();
    }
  }
  if (found.empty()) {
    const std::size_t wanted =
        games != nullptr ? std::numeric_limits<std::size_t>::max() : index + 1;
    found = FindGameTrees(text.text(), context, false, wanted);
  }
  if (index >= found.size() && index > 0) {
    return IoResult::Failure(NoSuchGameError(index, found.size()));
  }
  if (found.empty()) {
    // Nothing to read, which the parser reports as it says.
    const std::string_view bytes = text.text();
    context.codePage = ChooseCodePage(bytes, MeasureText(bytes).validUtf8, context, {});
    SgfParser(bytes, 0, SgfParser::Mode::Build, nullptr, context.codePage, nullptr, text.sink())
        .ReadRecord(root);
  } else {
    ReadSgfGameAt(root, text, found, index, context, input);
  }
  if (games != nullptr) *games = std::move(found);
  return IoResult::Success();
}

std::string NoSuchGameError(std::size_t index, std::size_t count) {
  return "there is no game " + std::to_string(index + 1) + ": the file holds " +
         std::to_string(count) + (count == 1 ? " game" : " games");
}

void ReadSgf(GameTree& root, std::string_view bytes, ReadContext& context,
             DiagnosticSink* diagnostics, const FileInput* input) {
  const SgfText text(bytes, diagnostics);
  ReadSgfGame(root, text, 0, context, input);
}

}  // namespace vantaro
