#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "record/record_format.h"
#include "test_support.h"
#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

// A character whose second byte is a backslash, in its code page.
struct TrailByteCase {
  int codePage;
  const char* label;
  const char* bytes;
  const char16_t* text;
};

class TrailByteValue : public ::testing::TestWithParam<TrailByteCase> {};

// Readers differ on whether such a trail byte is escaped: both spellings
// end the value at the bracket, labelled or detected.
TEST_P(TrailByteValue, EndsTheValueBeforeTheBracketWithOrWithoutTheWritersEscape) {
  const TrailByteCase& c = GetParam();
  for (const char* escape : {"", "\\"}) {
    for (const std::string& label : {std::string("CA[") + c.label + "]", std::string()}) {
      const std::string sgf = "(;" + label + "PB[" + WideToBytes(u"\u7533", c.codePage) + c.bytes +
                              escape + "]BR[9d];B[aa])";
      const ReadRecord record = ReadSgfText(sgf, 65001, false);
      const Node& root = *record.root->NodeAt(0);
      EXPECT_EQ(record.codePage, c.codePage) << sgf;
      ASSERT_NE(root.Find(kPropPB), nullptr) << sgf;
      EXPECT_EQ(root.Find(kPropPB)->text(), std::u16string(u"\u7533") + c.text) << sgf;
      ASSERT_NE(root.Find(kPropBR), nullptr) << sgf << ": the next property was swallowed";
      EXPECT_EQ(root.Find(kPropBR)->text(), u"9d");
      EXPECT_EQ(record.root->NodeCount(), 2);
    }
  }
}

TEST_P(TrailByteValue, WritesBackWhatItRead) {
  const TrailByteCase& c = GetParam();
  const std::string sgf =
      std::string("(;CA[") + c.label + "]C[a" + c.bytes + "\\b" + c.bytes + "\\]PB[x])";
  const ReadRecord record = ReadSgfText(sgf);
  EXPECT_EQ(record.root->NodeAt(0)->Find(kPropC)->text(),
            std::u16string(u"a") + c.text + u"b" + c.text);
  const std::string written = WriteSgfText(*record.root, record.codePage);
  EXPECT_EQ(ReadSgfText(written).root->NodeAt(0)->Find(kPropC)->text(),
            record.root->NodeAt(0)->Find(kPropC)->text());
}

// Lead '\' from a writer that leaves trail bytes alone, before each kind of
// SGF that can follow a value: the text is in the node's C or both its LB
// values, and no node is lost.
TEST_P(TrailByteValue, EndsTheValueBeforeAnySgfWithoutAnEscape) {
  const TrailByteCase& c = GetParam();
  const std::string t = WideToBytes(u"\u7533", c.codePage) + c.bytes;
  const std::string ca = std::string("(;CA[") + c.label + "]";
  const struct {
    std::string sgf;
    int node;
    int values;
    size_t nodes;
  } kCases[] = {{ca + "C[" + t + "];B[aa])", 0, 1, 2},
                {ca + ";C[" + t + "])", 1, 1, 2},
                {ca + ";C[" + t + "]\r\n(;B[aa])(;B[bb]))", 1, 1, 4},
                {ca + ";C[" + t + "](;B[aa]))", 1, 1, 3},
                {ca + ";LB[aa:" + t + "][bb:" + t + "];B[cc])", 1, 2, 3}};
  for (const auto& each : kCases) {
    const ReadRecord record = ReadSgfText(each.sgf);
    EXPECT_EQ(CountRecord(*record.root).nodes, each.nodes) << each.sgf;
    int values = 0;
    for (const Property& property : record.root->NodeAt(each.node)->properties()) {
      if (property.id() == kPropCA) continue;
      EXPECT_EQ(property.text(), std::u16string(u"\u7533") + c.text) << each.sgf;
      ++values;
    }
    EXPECT_EQ(values, each.values) << each.sgf;
  }
}

// A name cut off after the first byte of a character ends in a lone lead
// byte: the ']' after it closes the value when SGF follows, and is the
// character's second byte when text does.
TEST(TrailBracketText, ALoneLeadByteBeforeTheBracketEndsTheValueWhenSgfFollows) {
  const ReadRecord cut = ReadSgfText("(;CA[Shift_JIS]PB[Lee\x83]BR[9d];B[aa])");
  const Node& root = *cut.root->NodeAt(0);
  ASSERT_NE(root.Find(kPropBR), nullptr) << "the next property was swallowed";
  EXPECT_EQ(root.Find(kPropBR)->text(), u"9d");
  EXPECT_EQ(cut.root->NodeCount(), 2);
  const ReadRecord trail = ReadSgfText("(;CA[Shift_JIS]C[\x83] x];B[aa])");
  EXPECT_EQ(trail.root->NodeAt(0)->Find(kPropC)->text(), u"\u30be x");
}

// Characters whose trail byte is ']', followed by text that reads like what
// comes after a value: written and read back, the text and the tree stay.
TEST(TrailBracketText, SurvivesWritingAndReadingBack) {
  const struct {
    int codePage;
    const char* label;
    const char16_t* character;
  } kPages[] = {
      {932, "Shift_JIS", u"\u30be"}, {936, "GB2312", u"\u4e5a"}, {950, "Big5", u"\u4e5f"}};
  const char16_t* kAfter[] = {u"",  u")(;B[aa])", u" \r\n;B[aa]", u"BR[9d]", u"[bb:x]", u"\\",
                              u"]", u"  ",        u"(;",          u") x",    u"\u7533", u"x"};
  for (const auto& page : kPages) {
    ASSERT_EQ(WideToBytes(page.character, page.codePage).substr(1), "]") << page.label;
    for (const char16_t* after : kAfter) {
      const std::u16string text = std::u16string(page.character) + after;
      ReadRecord record = ReadSgfText(std::string("(;CA[") + page.label + "]C[x]LB[aa:x];B[aa])");
      Node& root = *record.root->NodeAt(0);
      root.Find(kPropC)->SetText(text);
      root.Find(kPropLB)->SetText(text);
      const std::string written = WriteSgfText(*record.root, record.codePage);
      const ReadRecord reread = ReadSgfText(written);
      const Node& readRoot = *reread.root->NodeAt(0);
      EXPECT_EQ(reread.root->NodeCount(), 2) << written;
      ASSERT_NE(readRoot.Find(kPropC), nullptr) << written;
      EXPECT_EQ(readRoot.Find(kPropC)->text(), text) << written;
      ASSERT_NE(readRoot.Find(kPropLB), nullptr) << written;
      EXPECT_EQ(readRoot.Find(kPropLB)->text(), text) << written;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, TrailByteValue,
    ::testing::Values(TrailByteCase{932, "Shift_JIS", "\x83\x5c", u"\u30bd"},  // so
                      TrailByteCase{932, "Shift_JIS", "\x95\x5c", u"\u8868"},  // hyou
                      TrailByteCase{932, "Shift_JIS", "\x94\x5c", u"\u80fd"},  // nou
                      TrailByteCase{936, "GB2312", "\x81\x5c", u"\u4e57"},     // cheng
                      TrailByteCase{950, "Big5", "\xb3\x5c", u"\u8a31"}));     // hsu

// Player names of two or three characters, with no CA, in each code page.
struct ShortName {
  int codePage;
  const char16_t* black;
  const char16_t* white;
};

class ShortNameWithoutCharset : public ::testing::TestWithParam<ShortName> {};

TEST_P(ShortNameWithoutCharset, ReadsInItsOwnCodePage) {
  const ShortName& name = GetParam();
  const std::string sgf = "(;PB[" + WideToBytes(name.black, name.codePage) + "]PW[" +
                          WideToBytes(name.white, name.codePage) + "];B[pd])";
  const ReadRecord record = ReadSgfText(sgf, 65001);
  EXPECT_EQ(record.codePage, name.codePage);
  EXPECT_EQ(record.root->NodeAt(0)->Find(kPropPB)->text(), name.black);
  EXPECT_EQ(record.root->NodeAt(0)->Find(kPropPW)->text(), name.white);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShortNameWithoutCharset,
    ::testing::Values(ShortName{949, u"\uc774\ucc3d\ud638", u"\uc870\ud6c8\ud604"},
                      ShortName{949, u"\ubc15\uc815\ud658", u"\ucd5c\uc815"},
                      ShortName{950, u"\u5468\u4fca\u52f3", u"\u738b\u7acb\u8aa0"},
                      ShortName{950, u"\u6797\u6d77\u5cf0", u"\u5f35\u6829"},
                      ShortName{936, u"\u53e4\u529b", u"\u5e38\u660a"},
                      ShortName{936, u"\u67ef\u6d01", u"\u767d"},
                      ShortName{932, u"\u4e95\u5c71\u88d5\u592a", u"\u6cb3\u91ce\u81e8"},
                      ShortName{932, u"\u4e00\u529b\u907c", u"\u79c0\u7b56"}));

// Every record of the corpus that is neither UTF-8 nor labelled: some node
// holds a text that starts as shown.
struct CorpusRecord {
  const char* path;
  int codePage;
  int property;
  const char16_t* textStart;
};

class CorpusRecordWithoutCharset : public ::testing::TestWithParam<CorpusRecord> {};

TEST_P(CorpusRecordWithoutCharset, ComesOutInItsRealEncoding) {
  VANTARO_REQUIRE_SHARED();
  const CorpusRecord& c = GetParam();
  GameTree tree;
  ReadContext context{false, 65001};
  ASSERT_TRUE(LoadRecordFile(tree, (SharedDir() / "corpus" / c.path).string(), context).ok);
  EXPECT_EQ(context.codePage, c.codePage);
  bool found = false;
  ForEachTree(tree, [&](const GameTree& each) {
    for (const auto& node : each.nodes()) {
      const Property* property = node->Find(c.property);
      found = found || (property != nullptr && property->text().starts_with(c.textStart));
    }
  });
  EXPECT_TRUE(found) << ToDisplayUtf8(c.textStart);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CorpusRecordWithoutCharset,
    ::testing::Values(
        CorpusRecord{"sgf/sabaki-sgf/nihon-kiin.sgf", 932, kPropPB, u"\u7533\u771e\u30bd"},
        CorpusRecord{"sgf/gnugo/9handicap.sgf", 936, kPropPW, u"\u767d"},
        CorpusRecord{"sgf/gnugo/trevor_trevor_42.sgf", 936, kPropPW, u"FunGo"},
        // The comment that says pan mian.
        CorpusRecord{"sgf/gnugo/trevor_trevor_42.sgf", 936, kPropC, u"\u76d8\u9762"},
        CorpusRecord{"sgf/sabaki-sgf/no-ca.sgf", 936, kPropC,
                     u"\u3010\u7b2c\u4e09\u578b\u3011 \u9ed1\u5148"},
        CorpusRecord{"sgf/gnugo/tg-gg.sgf", 1252, kPropPW, u"TurboGo v5.01"},
        CorpusRecord{"sgf/gnugo/nicklas_nicklas12.sgf", 1252, kPropPW, u"kossa"},
        CorpusRecord{"gib/sabaki/GB2312_China_even.gib", 936, kPropPB,
                     u"\u73bb\u7483\u4e2d\u56fd\u98ce"},
        CorpusRecord{"gib/sabaki/gb2312.gib", 936, kPropPB, u"\u77f3\u4e0b\u4e4b\u81e3"},
        CorpusRecord{"gib/sabaki/euc-kr.gib", 949, kPropRE, u"\ud751 \uc2dc\uac04\uc2b9"},
        CorpusRecord{"ngf/sabaki/gb2312.ngf", 936, kPropPW, u"GI\u674e\u8f7d\u96c4 \u4e94\u6bb5"}));

}  // namespace
}  // namespace vantaro::test
