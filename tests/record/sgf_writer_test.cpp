#include "record/sgf_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "test_support.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

std::string RoundTrip(std::string_view sgf, int codePage = 65001) {
  auto record = ReadSgfText(sgf, codePage);
  return test::WriteSgfText(*record.root, record.codePage);
}

TEST(SgfWriter, RootPropertiesInTableOrderWithCharsetFirst) {
  EXPECT_EQ(RoundTrip("(;GM[1]FF[4]SZ[19]CA[UTF-8]PB[x])"),
            "(;CA[UTF-8]FF[4]SZ[19]GM[1]PB[x]\r\n)");
}

TEST(SgfWriter, VariationsStartOnNewLines) {
  EXPECT_EQ(RoundTrip("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd](;W[ee])(;W[ff])))"),
            "(;SZ[9]\r\n;B[aa];W[bb]\r\n(;B[cc])\r\n(;B[dd]\r\n(;W[ee])\r\n(;W[ff])))");
}

TEST(SgfWriter, ListsShareTheirIdentifierAndOtherPropertiesRepeatIt) {
  EXPECT_EQ(RoundTrip("(;SZ[9];AB[aa]C[x]AB[bb][cc]C[y])"), "(;SZ[9]\r\n;AB[aa][bb][cc]C[x]C[y])");
}

TEST(SgfWriter, ValuesAreWrittenInTheirOwnFormat) {
  EXPECT_EQ(RoundTrip("(;KM[6.5]HA[2]SZ[17:15]AP[Vantaro:1.0]TE[final]PL[B];B[];W[ZA])"),
            "(;PL[B]TE[final]AP[Vantaro:1.0]SZ[17:15]KM[6.500000]HA[2]\r\n;B[];W[ZA])");
}

TEST(SgfWriter, TextIsEscapedAndKeepsItsLineBreaks) {
  EXPECT_EQ(RoundTrip("(;C[a\\]b:c\\\\d\r\nnext])"), "(;C[a\\]b\\:c\\\\d\r\nnext]\r\n)");
}

// A 0 in a text, as an importer may find in a binary record, would end the
// written file for every reader: it is left out and the moves after it stay.
TEST(SgfWriter, AZeroInATextIsLeftOutAndTheRestOfTheRecordStays) {
  auto record = ReadSgfText("(;RE[x];B[aa];W[bb])");
  record.root->NodeAt(0)->Find(kPropRE)->SetText(std::u16string(u"B+R\0 x", 6));
  const std::string written = test::WriteSgfText(*record.root);
  EXPECT_EQ(written.find('\0'), std::string::npos);
  const auto reread = ReadSgfText(written);
  EXPECT_EQ(reread.root->NodeCount(), 3);
  EXPECT_EQ(reread.root->NodeAt(0)->Find(kPropRE)->text(), u"B+R x");
}

// Text read as UTF-8 is written from the bytes it keeps: in every code page
// it must come out as the same text viewed first does, escapes, stray bytes
// alike, and the writing must not leave it widened; a 0 byte is left out.
TEST(SgfWriter, TextKeptAsUtf8IsWrittenAsItsViewedTextIs) {
  const std::string sgf = std::string("(;CA[UTF-8]AP[app:1]GN[a:b]C[\xe9\xbb\x91 [x\\] \\\\ ") +
                          "\xff caf\xc3\xa9];B[aa]C[\xe6\xa3\x8b])";
  for (const int codePage : {65001, 936, 1252}) {
    SCOPED_TRACE(codePage);
    auto kept = ReadSgfText(sgf);
    const auto keptBytes = [&] { return kept.root->NodeAt(0)->Find(kPropC)->utf8Text(); };
    ASSERT_TRUE(keptBytes().has_value());
    const std::string bytes(*keptBytes());
    const std::string written = test::WriteSgfText(*kept.root, codePage);
    auto viewed = ReadSgfText(sgf);
    for (const auto& node : viewed.root->nodes()) {
      for (Property& property : node->properties()) {
        if (property.kind() == ValueKind::Text) property.SetText(std::u16string(property.text()));
      }
    }
    ASSERT_FALSE(viewed.root->NodeAt(0)->Find(kPropC)->utf8Text().has_value());
    EXPECT_EQ(written, test::WriteSgfText(*viewed.root, codePage));
    EXPECT_EQ(keptBytes(), bytes) << "the writing leaves the text as it keeps it";
  }
  GameTree zero;
  zero.InsertNode(std::make_unique<Node>());
  zero.NodeAt(0)->Add(Property::WithUtf8Text(kPropC, std::string("a\0b", 3)));
  EXPECT_EQ(test::WriteSgfText(zero), "(;C[ab]\r\n)");
}

TEST(SgfWriter, LongLinesBreakBeforeNodesAtColumn79) {
  std::string sgf = "(;SZ[19]";
  for (int i = 0; i < 60; ++i) sgf += i % 2 ? ";W[pd]" : ";B[dp]";
  sgf += ")";
  const std::string written = RoundTrip(sgf);
  std::istringstream lines(written);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "(;SZ[19]\r");
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    EXPECT_LE(line.size(), 78u + 6u) << line;
    EXPECT_EQ(line.front(), ';') << line;
  }
  EXPECT_EQ(RoundTrip(written), written);
}

TEST(SgfWriter, LongNodesBreakBeforeAPropertyOrAContinuedListValue) {
  std::string points;
  for (int i = 0; i < 30; ++i)
    points += std::string{'[', char('a' + i % 19), char('a' + i / 19), ']'};
  const std::string comment(90, 'x');
  const std::string sgf = "(;SZ[19];B[pd]AB" + points + "C[" + comment + "]N[name];W[dp])";
  // The line holding 79 bytes or more breaks before the next item: a list
  // value, then a property, never inside a value.
  const std::string expected = "(;SZ[19]\r\n;B[pd]AB" + points.substr(0, 18 * 4) + "\r\n" +
                               points.substr(18 * 4) + "C[" + comment + "]\r\nN[name];W[dp])";
  const std::string written = RoundTrip(sgf);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(RoundTrip(written), written);
}

struct LegacyText {
  int codePage;
  std::string_view charset;  // the record's CA
  std::u16string text;
  std::string bytes;  // as written: a ']' or '\\' byte is escaped, trail bytes too
};

void PrintTo(const LegacyText& c, std::ostream* out) {
  *out << "code page " << c.codePage;
}

class LegacyCodePageTest : public ::testing::TestWithParam<LegacyText> {};

TEST_P(LegacyCodePageTest, TextIsWrittenInTheRecordsCodePageByteForByte) {
  const LegacyText& c = GetParam();
  GameTree root;
  root.InsertNode(std::make_unique<Node>());
  root.NodeAt(0)->Add(Property::WithText(kPropC, c.text));
  root.NodeAt(0)->Add(Property::WithText(kPropCA, FromUtf8(c.charset)));
  std::string written;
  WriteSgf(root, c.codePage, written);
  EXPECT_EQ(written, "(;CA[" + std::string(c.charset) + "]C[" + c.bytes + "]\r\n)");
  const auto reread = ReadSgfText(written, 65001, true);
  EXPECT_EQ(reread.codePage, c.codePage);
  EXPECT_EQ(reread.root->NodeAt(0)->Find(kPropC)->text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    SgfWriter, LegacyCodePageTest,
    ::testing::Values(LegacyText{936, "gb2312", u"\u56F4\u68CB \u4E2D\u6587",
                                 "\xCE\xA7\xC6\xE5 \xD6\xD0\xCE\xC4"},
                      LegacyText{949, "ks_c_5601-1987", u"\uBC14\uB451 \uD55C\uAD6D",
                                 "\xB9\xD9\xB5\xCF \xC7\xD1\xB1\xB9"},
                      // The two characters after the space both end in the byte '\'.
                      LegacyText{932, "shift_jis", u"\u56F2\u7881 \u8868\u30BD",
                                 "\x88\xCD\x8C\xE9 \x95\\\\\x83\\\\"},
                      LegacyText{1252, "Windows-1252", u"Caf\u00E9 \u2013 5\u20AC ]",
                                 "Caf\xE9 \x96 5\x80 \\]"}));

TEST(SgfWriter, NodeAlone) {
  auto record = ReadSgfText("(;B[pd]C[hi]LB[aa:A][bb:B])");
  EXPECT_EQ(WriteSgfNode(*record.root->NodeAt(0), 65001), ";B[pd]LB[aa:A][bb:B]C[hi]");
}

// Sorting a node's properties moved each one past all the greater ones before
// it: quadratic in the size of the node.
TEST(SgfWriter, ANodeOfManyPropertiesOutOfOrderIsSortedStably) {
  std::string sgf = "(;";
  for (int i = 0; i < 100000; ++i)
    sgf += i % 2 == 0 ? "W[aa]" : "C[" + std::to_string(i) + "]B[bb]";
  sgf += ")";
  const std::string written = RoundTrip(sgf);
  const size_t firstW = written.find("W[aa]");
  EXPECT_EQ(written.find("B[bb]", firstW), std::string::npos);  // every B before the first W
  EXPECT_LT(written.find("C[1]"), written.find("C[3]"));        // each kind in its own order
  EXPECT_LT(written.find("C[99997]"), written.find("C[99999]"));
}

}  // namespace
}  // namespace vantaro
