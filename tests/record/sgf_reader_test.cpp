#include "record/sgf_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "record/read_diagnostics.h"
#include "record/record_format.h"
#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

const Property& Only(const Node& node) {
  EXPECT_EQ(node.properties().size(), 1u);
  return node.properties()[0];
}

TEST(SgfReader, VariationsBecomeChildTrees) {
  auto record = ReadSgfText("(;B[aa](;W[bb])(;W[cc]))");
  ASSERT_EQ(record.root->NodeCount(), 1);
  ASSERT_EQ(record.root->ChildCount(), 2);
  EXPECT_EQ(Only(*record.root->ChildAt(1)->NodeAt(0)).point(), (Point{2, 2}));
  EXPECT_EQ(record.root->ChildAt(1)->parent(), record.root.get());
}

TEST(SgfReader, EscapesAreRemoved) {
  auto record = ReadSgfText("(;C[a\\]b\\\\c\\:d\\\nline])");
  EXPECT_EQ(Only(*record.root->NodeAt(0)).text(), u"a]b\\c:d\nline");
}

TEST(SgfReader, NumbersThatAreNotNumbersKeepTheirText) {
  auto record = ReadSgfText("(;TE[Kisei title match]DM[]KM[abc]V[.5]MN[12])");
  const Node& node = *record.root->NodeAt(0);
  EXPECT_EQ(node.Find(kPropTE)->kind(), ValueKind::Verbatim);
  EXPECT_EQ(node.Find(kPropTE)->text(), u"Kisei title match");
  EXPECT_EQ(node.Find(kPropDM)->kind(), ValueKind::Verbatim);
  EXPECT_EQ(node.Find(kPropKM)->text(), u"abc");
  EXPECT_EQ(node.Find(24)->real(), 0.5);
  EXPECT_EQ(node.Find(kPropMN)->number(), 12);
}

// Which code page a record's text is read with, and what a text reads as.
struct Decoded {
  const char* name;
  std::string sgf;
  int defaultCodePage;
  bool dbcsAware;
  int codePage;
  int property;
  std::u16string text;
  int nodes = 1;
};

void PrintTo(const Decoded& decoded, std::ostream* out) {
  *out << decoded.name;
}

class SgfTextDecoding : public ::testing::TestWithParam<Decoded> {};

TEST_P(SgfTextDecoding, ReadsTheTextInTheRightCodePage) {
  const Decoded& c = GetParam();
  auto record = ReadSgfText(c.sgf, c.defaultCodePage, c.dbcsAware);
  EXPECT_EQ(record.codePage, c.codePage);
  ASSERT_EQ(record.root->NodeCount(), c.nodes);
  ASSERT_NE(record.root->NodeAt(0)->Find(c.property), nullptr);
  EXPECT_EQ(record.root->NodeAt(0)->Find(c.property)->text(), c.text);
}

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text)
    bytes += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    SgfReader, SgfTextDecoding,
    ::testing::Values(
        // 0xA5 0x5C is one character; the backslash after it is its escape.
        Decoded{"Big5TrailBackslash", "(;CA[big5]C[\xa5\\\\])", 1252, true, 950, kPropC, u"\u529f"},
        Decoded{"Big5TrailBracket", "(;CA[big5]C[\xa5]])", 1252, true, 950, kPropC, u"\u5305"},
        // Big5 text reads right whatever the option says.
        Decoded{"Big5WithoutTheOption", "(;CA[big5]C[\xa5]])", 1252, false, 950, kPropC, u"\u5305"},
        // U+6253 ends in 0x93, a Big5 lead byte; the bracket after it closes the value.
        Decoded{"Utf8IsNotTouchedByTheTrailByteRule", "(;CA[UTF-8]C[\xe6\x89\x93]PB[x])", 1252,
                true, 65001, kPropC, u"\u6253"},
        Decoded{"Utf8ValueClosedBeforeTheNextProperty", "(;CA[UTF-8]C[\xe6\x89\x93]PB[x])", 1252,
                true, 65001, kPropPB, u"x"},
        Decoded{"TextBeforeTheCharsetDecodesWithIt", "(;PB[\xba\xda]CA[GB2312]C[\xc6\xe5])", 1252,
                false, 936, kPropPB, u"\u9ed1"},
        Decoded{"TextAfterTheCharset", "(;PB[\xba\xda]CA[GB2312]C[\xc6\xe5])", 1252, false, 936,
                kPropC, u"\u68cb"},
        Decoded{"UnlabelledValidUtf8IsUtf8", "(;PB[\xe9\xbb\x91])", 1252, false, 65001, kPropPB,
                u"\u9ed1"},
        Decoded{"UnlabelledAsciiIsUtf8", "(;PB[Lee])", 1252, false, 65001, kPropPB, u"Lee"},
        Decoded{"Utf8TextWinsOverALegacyLabel", "(;CA[Shift_JIS]PB[\xe9\xbb\x92])", 1252, false,
                65001, kPropPB, u"\u9ed2"},
        Decoded{"Utf16WithoutAMark", Utf16LittleEndian(u"(;CA[UTF-16]PB[\u9ed1];B[pd])"), 1252,
                false, 65001, kPropPB, u"\u9ed1", 2},
        // Saved as UTF-8, so CA says so from now on.
        Decoded{"Utf16WithoutAMarkIsLabelledUtf8", Utf16LittleEndian(u"(;CA[UTF-16];B[pd])"), 1252,
                false, 65001, kPropCA, u"UTF-8", 2},
        // Taken for 8-bit text, such a file ended at its first zero byte.
        Decoded{"Utf16WithoutAMarkBehindALongCjkComment",
                Utf16LittleEndian(u"(;C[" + std::u16string(700, u'\u68cb') + u"];B[pd])"), 1252,
                false, 65001, kPropC, std::u16string(700, u'\u68cb'), 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SgfReader, DeepNestingIsReadWithoutRecursion) {
  std::string deep;
  const int depth = kMaxVariationDepth + 5000;
  for (int i = 0; i < depth; ++i) deep += "(;B[aa]";
  deep.append(static_cast<size_t>(depth), ')');
  auto record = ReadSgfText(deep);
  EXPECT_EQ(CountRecord(*record.root).nodes, static_cast<size_t>(depth));
  int nesting = 1;
  for (const GameTree* tree = record.root.get(); tree->ChildCount() > 0; tree = tree->ChildAt(0)) {
    ++nesting;
  }
  EXPECT_EQ(nesting, kMaxVariationDepth);

  const std::string hostile(1000000, '(');
  EXPECT_EQ(CountRecord(*ReadSgfText(hostile).root).nodes, 0u);
}

// 200,000 levels once took half a minute: every level past the limit copied
// the whole deepest sequence to append its node. The test's time limit in
// CMake catches that; the benchmark measures it.
TEST(SgfReader, NestingFarPastTheLimitIsJoinedWithoutCopyingTheSequence) {
  constexpr int kLevels = 200000;
  std::string hostile = "(;B[aa]";
  for (int i = 0; i < kLevels; ++i) hostile += "(;W[bb]";
  hostile.append(kLevels + 1, ')');
  auto record = ReadSgfText(hostile);
  EXPECT_EQ(CountRecord(*record.root).nodes, static_cast<size_t>(kLevels + 1));
  const GameTree* deepest = record.root.get();
  while (deepest->ChildCount() > 0) deepest = deepest->ChildAt(0);
  ASSERT_EQ(deepest->NodeCount(), kLevels + 2 - kMaxVariationDepth);
  EXPECT_EQ(deepest->NodeAt(deepest->NodeCount() - 1)->Find(kPropW)->point(), (Point{1, 1}));

  const std::string written = test::WriteSgfText(*record.root);
  auto reread = ReadSgfText(written);
  EXPECT_TRUE(test::SameTree(*record.root, *reread.root));
  EXPECT_TRUE(test::SameTree(*record.root, *record.root->Clone()));
}

// A record of a megabyte or more is read as UTF-8 while its text is checked;
// one that turns out not to be, or to hold a 0 byte, must come out as the
// careful reading (the one that reports repairs, and checks first) makes it.
TEST(SgfReader, ALargeRecordThatIsNotUtf8OrHoldsAZeroReadsAsTheCarefulReading) {
  std::string gb2312 = "(;CA[UTF-8]PB[\xba\xda]";
  std::string withZero = "(;PB[x]";
  for (int i = 0; i < 100000; ++i) {
    gb2312 += ";B[aa]C[\xc6\xe5]";
    withZero += i == 40000 ? std::string(";B[bb]\0", 8) : ";B[aa]C[\xe6\xa3\x8b]";
  }
  gb2312 += ")";
  withZero += ")\n(;W[cc])";
  ASSERT_GT(gb2312.size(), size_t{1} << 20);
  for (const std::string& sgf : {gb2312, withZero}) {
    const auto fast = ReadSgfText(sgf);
    GameTree careful;
    DiagnosticList diagnostics;
    ReadContext context{false, 65001};
    ReadRecordBuffer(careful, RecordFormat::Sgf, sgf, context, &diagnostics);
    EXPECT_EQ(fast.codePage, context.codePage);
    EXPECT_TRUE(test::SameTree(*fast.root, careful));
    EXPECT_EQ(test::WriteSgfText(*fast.root, fast.codePage),
              test::WriteSgfText(careful, context.codePage));
  }
  const auto whole = ReadSgfText(withZero);
  EXPECT_EQ(whole.root->NodeCount(), 100001) << "the nodes after the 0 byte are read";
  EXPECT_EQ(whole.codePage, 65001);
  EXPECT_NE(ReadSgfText(gb2312).codePage, 65001);
}

// A large record's last root variations are read by a second thread while
// the reader reads the first ones, when nothing is reported: whatever the
// variations hold, the record must come out as one reader makes it.
TEST(SgfReader, RootVariationsReadOnTwoThreadsComeOutAsOneReaderReadsThem) {
  const auto variation = [](int i) {
    std::string text = "(;B[" + std::string{char('a' + i % 19), char('a' + i / 19 % 19)} + "]";
    for (int k = 0; k < 40; ++k) text += k % 2 == 0 ? ";W[cc]" : ";B[dd]C[a (note\\] b) \\\\]";
    return text + "(;W[ee])(;W[ff];B[gg]))";
  };
  const std::vector<std::pair<const char*, std::string>> hostile = {
      {"an empty variation", "()"},
      {"a variation with only variations", "((;B[aa])(;W[bb]))"},
      {"text between variations", " junk ;B[zz] "},
      {"parentheses in a comment", "(;C[(;B[aa])(])"},
      {"nesting past the limit", std::string(10005, '(') + ";B[aa]" + std::string(10005, ')')},
      {"a stray closing parenthesis", ")(;B[aa])"},
      {"an unclosed variation at the end", "(;B[aa];W[bb]"},
  };
  for (const auto& [name, oddity] : hostile) {
    SCOPED_TRACE(name);
    std::string sgf = "(;GM[1]CA[UTF-8]SZ[19]";
    for (int i = 0; i < 2000; ++i) sgf += variation(i) + (i == 1200 || i == 1700 ? oddity : "") + "\n";
    sgf += ")\n(;W[aa])";
    ASSERT_GT(sgf.size(), size_t{1} << 20);
    const auto shared = ReadSgfText(sgf);
    GameTree alone;
    DiagnosticList diagnostics;
    ReadContext context{false, 65001};
    ReadRecordBuffer(alone, RecordFormat::Sgf, sgf, context, &diagnostics);
    EXPECT_TRUE(test::SameTree(*shared.root, alone));
    EXPECT_EQ(test::WriteSgfText(*shared.root), test::WriteSgfText(alone));
  }
}

}  // namespace
}  // namespace vantaro
