// The line-based importers (GIB, NGF, UGF and UGI): what each record reads
// as, shown as the record Save writes.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "record/importers.h"
#include "record/record_format.h"
#include "test_support.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

struct Imported {
  const char* name;
  RecordFormat format;
  std::string text;
  std::string saved;
};

void PrintTo(const Imported& imported, std::ostream* out) {
  *out << imported.name;
}

class TextImporter : public ::testing::TestWithParam<Imported> {};

TEST_P(TextImporter, ReadsTheRecordAsSaveWritesIt) {
  const Imported& imported = GetParam();
  GameTree tree;
  ReadContext context{false, 65001};
  ASSERT_TRUE(ReadRecordBuffer(tree, imported.format, imported.text, context).ok);
  EXPECT_EQ(test::SavedSgfText(tree, context.codePage), imported.saved);
}

// An NGF record: the header lines in their fixed places, then the moves.
std::string Ngf(std::string_view size, std::string_view handicap, std::string_view komi,
                std::string_view moves = "") {
  return "Name\n" + std::string(size) + "\nWhite\nBlack\nServer\n" + std::string(handicap) +
         "\n0\n" + std::string(komi) + "\n2017\n5\nB+R\n333\n" + std::string(moves);
}

const Imported kGib[] = {
    // A rank in brackets leaves the name; komi is the tag's G field in tenths.
    {"GibHeader", RecordFormat::Gib,
     "\\[GAMEBLACKNAME=Lee (9D)\\]\r\n\\[GAMEWHITENAME=Kim\\]\r\n\\[GAMEPLACE=Seoul\\]\r\n"
     "\\[GAMETAG=S0,R3,D0,G65,W0\\]\r\n",
     "(;SZ[19]PC[Seoul]PB[Lee ]BR[9D]PW[Kim]KM[6.500000]\r\n)"},
    // A pass after white is black's; a point off the board is a pass.
    {"GibMovesAndPasses", RecordFormat::Gib,
     "\\[GAMECOMMENT=first\nsecond\\] ignored\nSTO 0 1 1 3 3\nSTO 0 2 2 19 3\nSKI 0 3\nSTO 0 1\n",
     "(;SZ[19]GC[first second]\r\n;B[dd];W[];B[])"},
    {"GibPassAtTheStartIsWhites", RecordFormat::Gib, "SKI 0\n", "(;SZ[19]\r\n;W[])"},
    {"GibHandicapStones", RecordFormat::Gib, "INI 0 1 3\n", "(;AB[pd][dp][pp]SZ[19]\r\n)"},
    {"GibHandicapOfOneIsNoStone", RecordFormat::Gib, "INI 0 1 1\n", "(;SZ[19]\r\n)"},
    {"GibHandicapMissing", RecordFormat::Gib, "INI 0 1\n", "(;SZ[19]\r\n)"},
    // Text beyond ASCII: the saved record names the code page it was read in.
    {"GibKoreanNames", RecordFormat::Gib,
     "\\[GAMEBLACKNAME=\xc0\xcc\xbc\xbc\xb5\xb9 (9D)\\]\r\n"
     "\\[GAMEWHITENAME=\xbe\xcb\xc6\xc4\xb0\xed\\]\r\n\\[GAMEPLACE=\xbc\xad\xbf\xef\\]\r\n",
     "(;CA[ks_c_5601-1987]SZ[19]PC[\xbc\xad\xbf\xef]PB[\xc0\xcc\xbc\xbc\xb5\xb9 ]BR[9D]PW["
     "\xbe\xcb\xc6\xc4\xb0\xed]\r\n)"},
    {"GibAnythingElseIsAnEmptyRecord", RecordFormat::Gib, "this is not a GIB file\n(;B[aa])",
     "(;SZ[19]\r\n)"},
};
INSTANTIATE_TEST_SUITE_P(Gib, TextImporter, ::testing::ValuesIn(kGib),
                         [](const auto& info) { return info.param.name; });

const Imported kNgf[] = {
    // The move with colour X is skipped; the letter A lies off the board.
    {"NgfHeaderAndMoves", RecordFormat::Ngf,
     Ngf("19", "0", "6", "PMABBREER\nPMACWEEEE\nPMADXQRRQ\nPMAEWAEEE\nshort\n"),
     "(;SZ[19]GN[Name]DT[2017]PB[Black]PW[White]KM[6.500000]HA[0]RE[B+R]US[Server]\r\n;B[qd];W[dd];"
     "W[])"},
    {"NgfSizeClampedAbove", RecordFormat::Ngf, Ngf("40", "0", "0"),
     "(;SZ[30]GN[Name]DT[2017]PB[Black]PW[White]KM[0.500000]HA[0]RE[B+R]US[Server]\r\n)"},
    {"NgfSizeClampedBelow", RecordFormat::Ngf, Ngf("1", "0", "0"),
     "(;SZ[2]GN[Name]DT[2017]PB[Black]PW[White]KM[0.500000]HA[0]RE[B+R]US[Server]\r\n)"},
    {"NgfHandicapStonesOnNineteenLines", RecordFormat::Ngf, Ngf("19", "3", "0"),
     "(;AB[dd][pd][dp]SZ[19]GN[Name]DT[2017]PB[Black]PW[White]KM[0.500000]HA[3]RE[B+R]\r\nUS["
     "Server]\r\n)"},
    {"NgfNoHandicapStonesOnOtherSizes", RecordFormat::Ngf, Ngf("13", "3", "0"),
     "(;SZ[13]GN[Name]DT[2017]PB[Black]PW[White]KM[0.500000]HA[3]RE[B+R]US[Server]\r\n)"},
    {"NgfChineseNames", RecordFormat::Ngf,
     "Name\n19\n\xc0\xee\xca\xc0\xca\xaf\nBlack\nServer\n0\n0\n6\n2017\n5\nB+R\n333\n",
     "(;CA[gb2312]SZ[19]GN[Name]DT[2017]PB[Black]PW[\xc0\xee\xca\xc0\xca\xaf]KM[6.500000]HA[0]RE["
     "B+R]US[Server]\r\n)"},
    {"NgfEmptyLinesDoNotCount", RecordFormat::Ngf,
     "Name\n\n19\nWhite\nBlack\nServer\n0\n0\n6\n2017\n5\nB+R\n333\n",
     "(;SZ[19]GN[Name]DT[2017]PB[Black]PW[White]KM[6.500000]HA[0]RE[B+R]US[Server]\r\n)"},
};
INSTANTIATE_TEST_SUITE_P(Ngf, TextImporter, ::testing::ValuesIn(kNgf),
                         [](const auto& info) { return info.param.name; });

const Imported kUgf[] = {
    {"UgfRowsCountFromTheTop", RecordFormat::Ugf, "[Data]\nPD,B1,1,0\n", "(;N[]\r\n;B[pd])"},
    {"UgiRowsCountFromTheBottom", RecordFormat::Ugi, "[Data]\nPD,B1,1,0\n", "(;N[]\r\n;B[pp])"},
    // Move number 0 is a setup stone; a point off the board is a pass.
    {"UgfSetupStones", RecordFormat::Ugf, "[Data]\nDD,B1,0,0\nEE,W1,0,0\nZZ,W2,2,0\nshort\n",
     "(;AB[dd]AW[ee]\r\n;W[])"},
    {"UgfHeaderKeysInAnyCase", RecordFormat::Ugf,
     "[header]\ntitle=abc,def\nHdcp=2,6.5\nPlayerB=Name,0\nplayerw=,5d\nSize=60\nWinner=W\n"
     "Place=Tokyo\nkey=with=equals\n",
     "(;SZ[19]GN[def]PC[Tokyo]PB[Name]WR[5d]KM[6.500000]HA[2]RE[W]\r\n)"},
    {"UgfTitleWithoutASecondFieldAndNoKomi", RecordFormat::Ugf, "[Header]\nTitle=abc\nHdcp=0\n",
     "(;HA[0]\r\n)"},
    // Text blocks join in the node of their move; a block for a move that
    // does not exist is dropped.
    {"UgfFigureTextBecomesCommentsAndLabels", RecordFormat::Ugf,
     "[Data]\nDD,B1,1,0\nPP,W1,2,0\nDP,B1,3,0\n[Figure]\n.Text,3\nfirst\nsecond\n"
     ".#,4,4,A\n.EndText\nignored\n.Text,3\nthird\n.EndText\n.Text,9\nnowhere\n",
     "(;N[]\r\n;B[dd];W[pp];B[dp]LB[dd:A]C[firstsecondthird])"},
    {"UgfUnknownSectionsAreSkipped", RecordFormat::Ugf,
     "[Header]\nPlace=here\n[ReviewNode]\nPD,B1,1,0\n[Data]\nQQ,B1,1,0\n", "(;PC[here]\r\n;B[qq])"},
    {"UgfJapaneseNames", RecordFormat::Ugf,
     "[Header]\nPlayerB=\x96\x7b\x88\xf6\x96\x56,9p\nPlace=\x93\x8c\x8b\x9e\n[Data]\nPD,B1,1,0\n",
     "(;CA[shift_jis]PC[\x93\x8c\x8b\x9e]PB[\x96\x7b\x88\xf6\x96\x56]BR[9p]\r\n;B[pd])"},
    {"UgfNothingUseful", RecordFormat::Ugf, "nothing useful", "(;N[]\r\n)"},
};
INSTANTIATE_TEST_SUITE_P(Ugf, TextImporter, ::testing::ValuesIn(kUgf),
                         [](const auto& info) { return info.param.name; });

TEST(NgfReader, AShortFileFailsWithItsReason) {
  GameTree tree;
  ReadContext context{false, 65001};
  const IoResult result = ReadNgf(tree, "one\ntwo\nthree\n", context);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "not an NGF record: fewer than 12 lines");
}

// Each text block counted the moves from the start to find its node, and each
// text line copied the whole comment so far: both quadratic in the file.
TEST(UgfReader, ManyTextBlocksAndLongTextsReadInOnePass) {
  constexpr int kMoves = 50000;
  std::string text = "[Data]\n";
  for (int i = 0; i < kMoves; ++i) text += i % 2 == 0 ? "DD,B1,1,0\n" : "EE,W1,1,0\n";
  text += "[Figure]\n";
  for (int i = 1; i <= kMoves; ++i)
    text += ".TEXT," + std::to_string(i) + "\nm" + std::to_string(i) + "\n";
  text += ".TEXT,1\n";
  for (int i = 0; i < 100000; ++i) text += "line\n";
  text += ".ENDTEXT\n.TEXT,2\nafter\n";
  GameTree tree;
  ReadContext context{false, 65001};
  ReadUgf(tree, text, false, context);
  ASSERT_EQ(tree.NodeCount(), kMoves + 1);
  EXPECT_EQ(tree.NodeAt(kMoves)->Find(kPropC)->text(), u"m" + FromUtf8(std::to_string(kMoves)));
  const std::u16string_view first = tree.NodeAt(1)->Find(kPropC)->text();
  EXPECT_EQ(first.size(), 2 + 4 * 100000u);
  EXPECT_TRUE(first.starts_with(u"m1line"));
  EXPECT_EQ(tree.NodeAt(2)->Find(kPropC)->text(), u"m2after");
}

}  // namespace
}  // namespace vantaro
