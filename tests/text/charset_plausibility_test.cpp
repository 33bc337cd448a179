#include "text/charset_plausibility.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// Detection skips the detectors where no code page's ceiling comes near the
// leader, so a ceiling below the score would change which code page a
// record is read in.
TEST(PlausibilityCeiling, IsNeverBelowTheScoreInAnyCodePage) {
  const std::vector<std::u16string> texts = {
      u"M\u00fcller spielt gut, Gr\u00f6\u00dfe \u00e0 retenir \u2013 tr\u00e8s bon",
      u"\u00c6\u00d8\u00c5\u00e6\u00f8\u00e5\u00e9\u00e8\u00ea",
      u"\u0427\u0451\u0440\u043d\u044b\u0435 \u0438\u0433\u0440\u0430\u044e\u0442",
      u"\u039a\u03b1\u03bb\u03ae \u03c0\u03b1\u03c1\u03c4\u03af\u03b4\u03b1",
      u"\u05e9\u05dc\u05d5\u05dd \u0645\u0631\u062d\u0628\u0627",
      u"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 ja\u017a\u0144",
      u"Vi\u1ec7t Nam c\u1edd v\u00e2y",
      u"\u9ed1\u68cb\u5148\u884c\uff0c\u767d\u68cb\u5728\u53f3\u4e0a\u89d2",
      u"\u9ed2\u304c\u53f3\u4e0a\u306e\u96c5\u306b\u6253\u3061\u3001",
      u"\ud751\uc774 \uc6b0\uc0c1\uadc0\uc5d0 \ub450\uace0",
      u"\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35"};
  std::set<int> codePages;
  for (const auto& row : CharsetCodePageMap::Instance().rows()) codePages.insert(row->codePage);
  std::vector<std::string> samples;
  for (int codePage : codePages) {
    for (const std::u16string& text : texts) samples.push_back(WideToBytes(text, codePage));
  }
  std::mt19937 random(7);
  for (int i = 0; i < 300; ++i) {
    std::string bytes(1 + random() % 200, '\0');
    for (char& byte : bytes) {
      byte = static_cast<char>(random() % 4 == 0 ? 0x20 + random() % 0x60 : 0x80 + random() % 0x80);
    }
    samples.push_back(bytes);
  }
  for (const std::string& sample : samples) {
    for (int codePage : codePages) {
      ASSERT_GE(PlausibilityCeiling(CountNonAsciiRuns(sample), codePage),
                PlausibilityScore(sample, codePage))
          << "code page " << codePage << ", " << sample.size() << " bytes";
    }
  }
}

}  // namespace
}  // namespace vantaro
