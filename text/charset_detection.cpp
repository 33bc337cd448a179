#include "text/charset_detection.h"

#include <uchardet/uchardet.h>
#include <unicode/ucsdet.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "text/charset_plausibility.h"
#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// A code page a detector proposes, and how sure it is (0 to 1).
struct Opinion {
  int codePage;
  double confidence;
};

// The detectors name the supersets they recognise; the table knows the
// Windows code pages that cover them.
int CodePageOfDetectedName(std::string_view name) {
  if (name == "GB18030") return 936;
  if (name == "UHC") return 949;
  const int codePage = CharsetCodePageMap::Instance().CodePageOf(name);
  return codePage == kUtf8CodePage ? 0 : codePage;
}

struct UchardetDeleter {
  void operator()(uchardet_t detector) const { uchardet_delete(detector); }
};

// A detector takes longer to make than to judge a few KB, and a folder
// listing judges thousands of files: each thread keeps one and resets it.
uchardet_t ThreadUchardet() {
  thread_local std::unique_ptr<std::remove_pointer_t<uchardet_t>, UchardetDeleter> detector(
      uchardet_new());
  if (detector) uchardet_reset(detector.get());
  return detector.get();
}

std::vector<Opinion> UchardetOpinion(std::string_view bytes) {
  uchardet_t detector = ThreadUchardet();
  if (detector == nullptr || uchardet_handle_data(detector, bytes.data(), bytes.size()) != 0) {
    return {};
  }
  uchardet_data_end(detector);
  const char* name = uchardet_get_charset(detector);
  const int codePage = name != nullptr ? CodePageOfDetectedName(name) : 0;
  if (codePage == 0) return {};
  return {{codePage, 1.0}};
}

struct IcuDeleter {
  void operator()(UCharsetDetector* detector) const { ucsdet_close(detector); }
};

// ICU lists every charset the bytes are possible in; only the ones it
// actually recognises (confidence above the "not impossible" level) count.
std::vector<Opinion> IcuOpinions(std::string_view bytes) {
  constexpr int kMeaningfulConfidence = 20;
  UErrorCode status = U_ZERO_ERROR;
  thread_local std::unique_ptr<UCharsetDetector, IcuDeleter> detector(ucsdet_open(&status));
  if (!detector) return {};
  ucsdet_setText(detector.get(), bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  int32_t count = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
  if (U_FAILURE(status)) return {};
  std::vector<Opinion> opinions;
  for (int32_t i = 0; i < count; ++i) {
    const int confidence = ucsdet_getConfidence(matches[i], &status);
    const char* name = ucsdet_getName(matches[i], &status);
    if (U_FAILURE(status) || confidence < kMeaningfulConfidence || name == nullptr) continue;
    if (const int codePage = CodePageOfDetectedName(name)) {
      opinions.push_back({codePage, confidence / 100.0});
    }
  }
  return opinions;
}

size_t CountNonAscii(std::string_view bytes) {
  return static_cast<size_t>(std::count_if(
      bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
}

struct Candidate {
  int codePage;
  double bonus = 0;
};

void AddCandidate(std::vector<Candidate>& candidates, int codePage, double bonus) {
  if (codePage == 0 || codePage == kUtf8CodePage) return;
  if (CharsetCodePageMap::Instance().FindCodePage(codePage) == nullptr) return;
  for (Candidate& candidate : candidates) {
    if (candidate.codePage == codePage) {
      candidate.bonus += bonus;
      return;
    }
  }
  candidates.push_back({codePage, bonus});
}

}  // namespace

int DetectCodePage(std::string_view valueBytes, int fallbackCodePage) {
  const std::string_view sample = valueBytes.substr(0, kDetectionSampleSize);
  if (IsValidUtf8(valueBytes) || IsMostlyUtf8(sample)) return kUtf8CodePage;
  // A detector's choice is worth a quarter point per byte of non-ASCII text:
  // next to nothing for a two-character name, where only the plausibility
  // of the decoded characters can decide, and the deciding weight between
  // code pages that decode a long text equally well (two Cyrillic ones).
  const double weight = static_cast<double>(CountNonAscii(sample)) / 4;
  std::vector<Candidate> candidates;
  for (int codePage : {936, 950, 949, 932, 1252}) AddCandidate(candidates, codePage, 0);
  AddCandidate(candidates, fallbackCodePage, 0.25);
  for (const Opinion& opinion : UchardetOpinion(sample)) {
    AddCandidate(candidates, opinion.codePage, weight * opinion.confidence);
  }
  for (const Opinion& opinion : IcuOpinions(sample)) {
    AddCandidate(candidates, opinion.codePage, weight * opinion.confidence);
  }
  int best = fallbackCodePage;
  double bestScore = 0;
  bool first = true;
  for (const Candidate& candidate : candidates) {
    const double score = PlausibilityScore(sample, candidate.codePage) + candidate.bonus;
    if (first || score > bestScore) {
      best = candidate.codePage;
      bestScore = score;
      first = false;
    }
  }
  return best;
}

}  // namespace vantaro
