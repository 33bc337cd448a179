#include "text/code_page_table.h"

#include <gtest/gtest.h>

namespace vantaro {
namespace {

struct LabelCase {
  const char* label;
  int codePage;
};

class CodePageOfLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CodePageOfLabel, MatchesTheLoadedRows) {
  EXPECT_EQ(CharsetCodePageMap::Instance().CodePageOf(GetParam().label), GetParam().codePage)
      << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Labels, CodePageOfLabel,
    ::testing::Values(
        // Case does not matter.
        LabelCase{"big5", 950}, LabelCase{"BiG5", 950}, LabelCase{"GBK", 936},
        LabelCase{"euc-kr", 949}, LabelCase{"utf-8", 65001}, LabelCase{"Windows-1252", 1252},
        LabelCase{"shift_jis", 932}, LabelCase{"ms_kanji", 932},
        // A later row takes over a label an earlier row also lists.
        LabelCase{"iso-8859-1", 1252}, LabelCase{"latin1", 1252}, LabelCase{"cp819", 1252},
        LabelCase{"ISO-8859-8", 1255}, LabelCase{"visual", 1255}, LabelCase{"latin5", 1254},
        LabelCase{"iso-ir-148", 1254}, LabelCase{"l5", 28599}, LabelCase{"csISO", 28591},
        // Rows that are not loaded, and nonsense.
        LabelCase{"x-mac-arabic", 0}, LabelCase{"unicode", 0}, LabelCase{"utf-7", 0},
        LabelCase{"us-ascii", 1252}, LabelCase{"iso-8859-15", 0}, LabelCase{"", 0},
        LabelCase{" big5 ", 0}));

TEST(CharsetLabel, CaValuesAreTrimmedBeforeTheLookup) {
  EXPECT_EQ(CodePageOfCharsetLabel("  big5 \t"), 950);
  EXPECT_EQ(CodePageOfCharsetLabel("\r\nUTF-8\r\n"), 65001);
  EXPECT_EQ(CodePageOfCharsetLabel("unknown"), 0);
}

}  // namespace
}  // namespace vantaro
