#include "record/sgf_games.h"


#include "record/sgf_value_sample.h"
#include "text/ascii.h"
#include "text/charset_detection.h"
#include "text/double_byte.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

bool HasNonAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

const char* NextGameStart(std::string_view text, std::size_t from, bool first) {
  const char* end = text.data() + text.size();
  return first ? FindFirstGameStart(text.data() + from, end)
               : FindGameTreeStart(text.data() + from, end);
}

}  // namespace

std::vector<GameSpan> FindGameTrees(std::string_view text, const ReadContext& context,
                                    bool validUtf8, std::size_t limit,
                                    std::vector<GameSummary>* summaries, std::size_t after) {
  std::vector<GameSpan> games;
  std::size_t from = after;
  while (games.size() < limit && from < text.size()) {
    const char* start = NextGameStart(text, from, games.empty() && after == 0);
    if (start == nullptr) break;
    GameSpan game;
    game.begin = static_cast<std::size_t>(start - text.data());
    // Valid UTF-8 text is read as UTF-8 whatever the game's label says,
    // unless it is all ASCII, which reads the same in every code page: its
    // summary can come with the first walk.
    GameSummary summary;
    const bool summaryNow = summaries != nullptr && validUtf8 && !context.forceCodePage;
    SgfParser plain(text, game.begin, SgfParser::Mode::Skim, nullptr, kUtf8CodePage);
    game.end = plain.SkimGame(summaryNow ? &summary : nullptr);
    const std::string_view bytes = text.substr(game.begin, game.end - game.begin);
    game.codePage = ChooseCodePage(bytes, validUtf8 || MeasureText(bytes).validUtf8, context,
                                   plain.rootFacts());
    // A ']' after a lead byte may end no value in a double-byte code page.
    const LeadByteTable* leadBytes = LeadBytesOf(game.codePage);
    if (leadBytes != nullptr || (summaries != nullptr && !summaryNow)) {
      SgfParser again(text, game.begin, SgfParser::Mode::Skim, leadBytes, game.codePage);
      summary = GameSummary{};
      game.end = again.SkimGame(summaries != nullptr ? &summary : nullptr);
    }
    games.push_back(game);
    if (summaries != nullptr) summaries->push_back(std::move(summary));
    from = game.end;
  }
  return games;
}

// The charset label wins when the bytes agree with it.
int ChooseCodePage(std::string_view game, bool validUtf8, const ReadContext& context,
                   const RootFacts& root) {
  if (context.forceCodePage) return context.codePage;
  const int labelled = root.charset ? CodePageOfCharsetLabel(*root.charset) : 0;
  if (labelled == 0 || (labelled == kUtf8CodePage && !validUtf8)) {
    if (validUtf8) return kUtf8CodePage;
    return DetectCodePage(SgfValueSample(game), context.dbcsAware ? 950 : context.codePage);
  }
  // Text that is valid UTF-8 beyond ASCII is UTF-8 whatever the label says:
  // legacy multi-byte text practically never forms valid UTF-8 sequences.
  return validUtf8 && HasNonAscii(game) ? kUtf8CodePage : labelled;
}

// A UTF-16 file that says so is read as UTF-8 text: its label is no news.
void ReportCharset(const RootFacts& root, int codePage, bool fromUtf16, const ReadReport& report) {
  if (!root.charset) return;
  if (fromUtf16 && AsciiUpper(TrimAsciiSpace(*root.charset)).starts_with("UTF")) return;
  const int labelled = CodePageOfCharsetLabel(*root.charset);
  const std::string used = "code page " + std::to_string(codePage);
  if (labelled == 0) {
    report.At(root.charsetAt,
              "unknown charset " + Quoted(*root.charset) + ": text read as " + used);
  } else if (labelled != codePage) {
    report.At(root.charsetAt,
              "text does not match its charset " + Quoted(*root.charset) + ": read as " + used);
  }
}

}  // namespace vantaro
