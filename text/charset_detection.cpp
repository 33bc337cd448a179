#include "text/charset_detection.h"

#include <uchardet/uchardet.h>
#include <unicode/ucsdet.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
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
    // Matches come best first; a code page named twice (a charset and its
    // Windows superset) has its say once.
    const int codePage = CodePageOfDetectedName(name);
    if (codePage != 0 && std::none_of(opinions.begin(), opinions.end(), [codePage](Opinion o) {
          return o.codePage == codePage;
        })) {
      opinions.push_back({codePage, confidence / 100.0});
    }
  }
  return opinions;
}

// Every code page a detector can make a candidate of.
const std::vector<int>& LoadedCodePages() {
  static const std::vector<int> codePages = [] {
    std::vector<int> pages;
    for (const auto& row : CharsetCodePageMap::Instance().rows()) {
      if (row->codePage != kUtf8CodePage &&
          std::find(pages.begin(), pages.end(), row->codePage) == pages.end()) {
        pages.push_back(row->codePage);
      }
    }
    return pages;
  }();
  return codePages;
}

// A code page in the running, with its plausibility and what the fallback
// rule and the detectors add to it.
struct Candidate {
  int codePage;
  double plausibility;
  double bonus = 0;
  double score() const { return plausibility + bonus; }
};

class Candidates {
 public:
  explicit Candidates(std::string_view sample)
      : sample_(sample), runs_(CountNonAsciiRuns(sample)) {}

  const NonAsciiRuns& runs() const { return runs_; }

  void Add(int codePage, double bonus) {
    if (codePage == 0 || codePage == kUtf8CodePage) return;
    if (CharsetCodePageMap::Instance().FindCodePage(codePage) == nullptr) return;
    for (Candidate& candidate : running_) {
      if (candidate.codePage == codePage) {
        candidate.bonus += bonus;
        return;
      }
    }
    running_.push_back({codePage, Plausibility(codePage), bonus});
  }

  // The best score; the earlier candidate wins a tie.
  const Candidate* Best() const {
    const Candidate* best = running_.empty() ? nullptr : &running_.front();
    for (const Candidate& candidate : running_) {
      if (candidate.score() > best->score()) best = &candidate;
    }
    return best;
  }

  // Whether bonuses of up to `most` on each code page could give another
  // one the lead.
  bool CouldChange(double most) {
    const Candidate* best = Best();
    if (best == nullptr) return true;
    const double margin = best->score() - most - 1e-9;
    for (const Candidate& candidate : running_) {
      if (&candidate != best && candidate.score() >= margin) return true;
    }
    for (int codePage : LoadedCodePages()) {
      if (codePage == best->codePage || Running(codePage)) continue;
      if (PlausibilityCeiling(runs_, codePage) >= margin && Plausibility(codePage) >= margin) {
        return true;
      }
    }
    return false;
  }

 private:
  bool Running(int codePage) const {
    return std::any_of(running_.begin(), running_.end(),
                       [codePage](const Candidate& c) { return c.codePage == codePage; });
  }

  double Plausibility(int codePage) {
    for (const auto& [known, score] : plausibility_) {
      if (known == codePage) return score;
    }
    const double score = PlausibilityScore(sample_, codePage);
    plausibility_.emplace_back(codePage, score);
    return score;
  }

  std::string_view sample_;
  NonAsciiRuns runs_;
  std::vector<Candidate> running_;
  std::vector<std::pair<int, double>> plausibility_;
};

}  // namespace

int DetectCodePage(std::string_view valueBytes, int fallbackCodePage) {
  const std::string_view sample = valueBytes.substr(0, kDetectionSampleSize);
  if (IsValidUtf8(valueBytes) || IsMostlyUtf8(sample)) return kUtf8CodePage;
  // A detector's choice is worth a quarter point per byte of non-ASCII text:
  // next to nothing for a two-character name, where only the plausibility
  // of the decoded characters can decide, and the deciding weight between
  // code pages that decode a long text equally well (two Cyrillic ones).
  Candidates candidates(sample);
  const double weight = static_cast<double>(candidates.runs().bytes) / 4;
  for (int codePage : {936, 950, 949, 932, 1252}) candidates.Add(codePage, 0);
  candidates.Add(fallbackCodePage, 0.25);
  // The detectors cost more than everything else together, and where the
  // leader is ahead of every code page they could name by more than their
  // whole say, they cannot change the outcome: each gives a code page at
  // most `weight`.
  if (!candidates.CouldChange(2 * weight)) {
    return candidates.Best()->codePage;
  }
  for (const Opinion& opinion : UchardetOpinion(sample)) {
    candidates.Add(opinion.codePage, weight * opinion.confidence);
  }
  if (candidates.CouldChange(weight)) {
    for (const Opinion& opinion : IcuOpinions(sample)) {
      candidates.Add(opinion.codePage, weight * opinion.confidence);
    }
  }
  const Candidate* best = candidates.Best();
  return best != nullptr ? best->codePage : fallbackCodePage;
}

}  // namespace vantaro
