// How Save chooses the code page and the CA of a record: text that fits is
// written as it was read, text that does not makes the record UTF-8, and CA
// always names the code page the text is in.
#include "record/save_encoding.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "text/code_page_table.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// Bytes of text beyond ASCII that the code page reads and writes back the
// same: the first of a few that do, or else a byte kept as it is (the code
// pages without a converter keep their bytes).
std::string TextThatFits(int codePage) {
  for (const char* bytes :
       {"\xC4\xE9", "\x82\xA0", "\xB0\xA1", "\xA4\xA4", "\x1b$B$\"\x1b(B", "\xe4\xb8\xad"}) {
    const std::u16string text = BytesToWide(bytes, codePage);
    const bool beyondAscii =
        std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x80; });
    if (beyondAscii && std::none_of(text.begin(), text.end(), IsByteEscape) &&
        WideToBytes(text, codePage) == bytes) {
      return bytes;
    }
  }
  return "\xC4";
}

class EveryCodePage : public ::testing::TestWithParam<int> {};

TEST_P(EveryCodePage, TextThatFitsIsSavedAsItWasRead) {
  const int codePage = GetParam();
  const std::string label = CharsetCodePageMap::Instance().LabelOf(codePage);
  ASSERT_EQ(CharsetCodePageMap::Instance().CodePageOf(label), codePage) << label;
  const std::string sgf = "(;CA[" + label + "]C[" + TextThatFits(codePage) + "]\r\n)";
  test::ReadRecord record = test::ReadSgfText(sgf);
  ASSERT_EQ(record.codePage, codePage);
  const SavePlan plan = PlanSave(*record.root, codePage);
  EXPECT_FALSE(plan.toUtf8);
  EXPECT_EQ(plan.output.codePage, codePage);
  EXPECT_EQ(test::SavedSgfText(*record.root, codePage), sgf);
}

// The bytes of a code page without a converter are kept as they were, which
// UTF-8 cannot hold: only the plan is checked for those.
TEST_P(EveryCodePage, TextThatDoesNotFitMakesTheRecordUtf8) {
  const int codePage = GetParam();
  const std::string label = CharsetCodePageMap::Instance().LabelOf(codePage);
  const std::string fits = TextThatFits(codePage);
  test::ReadRecord record = test::ReadSgfText("(;CA[" + label + "]C[" + fits + "])");
  Property& comment = *record.root->NodeAt(0)->Find(kPropC);
  const std::u16string text = std::u16string(comment.text()) + u"\U0001F600";
  comment.SetText(text);
  const SavePlan plan = PlanSave(*record.root, codePage);
  EXPECT_EQ(plan.toUtf8, codePage != kUtf8CodePage);
  EXPECT_EQ(plan.output.codePage, kUtf8CodePage);
  const std::string saved = test::SavedSgfText(*record.root, codePage);
  const std::string expectedLabel = codePage == kUtf8CodePage ? label : "UTF-8";
  EXPECT_TRUE(saved.starts_with("(;CA[" + expectedLabel + "]C[")) << saved;
  if (fits == "\xC4") return;
  const test::ReadRecord back = test::ReadSgfText(saved, 1252);
  EXPECT_EQ(back.codePage, kUtf8CodePage);
  EXPECT_EQ(back.root->NodeAt(0)->Find(kPropC)->text(), text);
}

std::vector<int> LoadedCodePages() {
  std::vector<int> codePages;
  for (const auto& row : CharsetCodePageMap::Instance().rows()) codePages.push_back(row->codePage);
  return codePages;
}

INSTANTIATE_TEST_SUITE_P(Table, EveryCodePage, ::testing::ValuesIn(LoadedCodePages()),
                         [](const auto& info) { return std::to_string(info.param); });

// Saving again after the CA was put right in memory gives the same bytes,
// whether the CA was replaced or added among other root properties.
TEST(SavePlan, AppliedTheRecordSaysWhatItsFileSays) {
  for (const char* sgf : {"(;FF[4]GM[1]CA[klingon]PB[Jos\xe9])", "(;FF[4]GM[1]PB[Jos\xe9])"}) {
    test::ReadRecord record = test::ReadSgfText(sgf, 1252);
    const SavePlan plan = PlanSave(*record.root, record.codePage);
    const std::string saved = test::SavedSgfText(*record.root, record.codePage);
    EXPECT_EQ(saved, "(;CA[Windows-1252]GM[1]FF[4]PB[Jos\xe9]\r\n)");
    ApplySavePlan(*record.root, plan);
    EXPECT_EQ(record.root->NodeAt(0)->Find(kPropCA)->text(), u"Windows-1252");
    EXPECT_FALSE(PlanSave(*record.root, record.codePage).output.charset);
    EXPECT_EQ(test::WriteSgfText(*record.root, 1252), saved);
  }
}

}  // namespace
}  // namespace vantaro
