// What the readers report about damaged input, and what they recover from it.
#include "record/read_diagnostics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/record_format.h"
#include "record/sgf_reader.h"
#include "test_support.h"

namespace vantaro {

void PrintTo(const Diagnostic& diagnostic, std::ostream* out) {
  *out << diagnostic.offset << ": " << diagnostic.message;
}

namespace {

struct Damaged {
  const char* name;
  std::string bytes;
  std::vector<Diagnostic> reported;
  std::string recovered;  // the record as the writer saves it
  RecordFormat format = RecordFormat::Sgf;
};

void PrintTo(const Damaged& damaged, std::ostream* out) {
  *out << damaged.name;
}

class ReadDiagnostics : public ::testing::TestWithParam<Damaged> {};

TEST_P(ReadDiagnostics, ReportWhatWasRepairedAndKeepWhatWasRead) {
  const Damaged& damaged = GetParam();
  GameTree reported;
  DiagnosticList diagnostics;
  ReadContext context{false, 65001};
  ReadRecordBuffer(reported, damaged.format, damaged.bytes, context, &diagnostics);
  EXPECT_EQ(diagnostics.ByOffset(), damaged.reported);
  EXPECT_EQ(test::WriteSgfText(reported, context.codePage), damaged.recovered);

  // Reporting changes nothing in what is read.
  GameTree silent;
  ReadContext again{false, 65001};
  ReadRecordBuffer(silent, damaged.format, damaged.bytes, again);
  EXPECT_EQ(test::WriteSgfText(silent, again.codePage), damaged.recovered);
}

std::string Utf16LittleEndian(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

const Damaged kSgf[] = {
    {"Clean", "(;GM[1]FF[4]SZ[9];B[ee];W[tt])", {}, "(;GM[1]FF[4]SZ[9]\r\n;B[ee];W[tt])"},
    {"JunkBeforeTheRecord",
     "\xEF\xBB\xBF  junk(;B[aa])",
     {{5, "text before the game tree skipped"}},
     "(;B[aa]\r\n)"},
    {"NoGameTree", "hello", {{0, "no game tree found"}}, "(;N[]\r\n)"},
    {"UnterminatedValue",
     "(;B[aa];W[bb]C[abc",
     {{14, "unterminated value lost"}, {18, "game tree not closed at the end of the input"}},
     "(;B[aa]\r\n;W[bb])"},
    {"LoneBackslashAtTheEnd",
     "(;B[aa];C[x\\",
     {{9, "the input ends after a '\\' in a value: property C dropped"},
      {12, "game tree not closed at the end of the input"}},
     "(;B[aa]\r\n)"},
    {"PropertyWithoutValue",
     "(;B[aa]C;W[bb])",
     {{7, "C without a value dropped"}},
     "(;B[aa]\r\n;W[bb])"},
    {"UnknownPropertyOnceEach",
     "(;XY[1];XY[2]ZZ[3])",
     {{2, "unknown property XY kept"}, {13, "unknown property ZZ kept"}},
     "(;XY[1]\r\n;XY[2]ZZ[3])"},
    {"RootPropertyOutsideTheRoot",
     "(;B[aa];CA[UTF-8]GM[1])",
     {{8, "root property CA outside the root node kept"},
      {17, "root property GM outside the root node kept"}},
     "(;B[aa]\r\n;CA[UTF-8]GM[1])"},
    {"PointOffTheBoard",
     "(;SZ[9];B[jj];W[tt];AB[aa][ak])",
     {{9, "B value \"jj\" lies off the 9x9 board"}, {26, "AB value \"ak\" lies off the 9x9 board"}},
     "(;SZ[9]\r\n;B[jj];W[tt];AB[aa][ak])"},
    {"BadPointSplitsItsNode",
     "(;B[a]C[x])",
     {{3, "B value \"a\" is not a point: dropped, and the rest of the node starts a new node"}},
     "(;C[x]\r\n)"},
    {"BadPointInAList",
     "(;AB[aa][b]LB[cc][dd:x][ee:][a:x][ff:A:B])",
     {{8, "AB value \"b\" is not a point: value dropped"},
      {13, "LB value \"cc\" has no ':' before its text: value dropped"},
      {28, "LB value \"a:x\" is not a point and a text: value dropped"}},
     "(;AB[aa]LB[dd:x][ee:][ff:A\\:B]\r\n)"},
    {"CompressedPointListExpandedRowByRow",
     "(;AB[ac:ba]AW[dd])",
     {},
     "(;AB[aa][ba][ab][bb][ac][bc]AW[dd]\r\n)"},
    {"LongIdentifiersKeepTheirCapitals",
     "(;AddBlack[aa][bb]Comment[x])",
     {},
     "(;AB[aa][bb]C[x]\r\n)"},
    {"ASpaceClosesAnIdentifier",
     "(;A B[aa])",
     {{2, "unknown property A kept"}, {4, "stray text skipped"}},
     "(;A[aa]\r\n)"},
    {"SeveralValuesForOne",
     "(;KM[6.5][7])",
     {{9, "KM has 2 values: all but the first dropped"}},
     "(;KM[6.500000]\r\n)"},
    {"NotANumber",
     "(;KM[six])",
     {{4, "KM value \"six\" is not a number: kept as text"}},
     "(;KM[six]\r\n)"},
    {"BoardSizeOutOfRange",
     "(;SZ[60])",
     {{4, "SZ value \"60\" is not a size of 2 to 52 lines: the board is 52x52"}},
     "(;SZ[60]\r\n)"},
    {"EmptyNodes",
     "(;;B[aa];)",
     {{1, "empty node dropped"}, {8, "empty node dropped"}},
     "(;B[aa]\r\n)"},
    {"EmptyVariationAndNodesAfterIt",
     "(;B[aa]() ;W[bb]\r\n(;B[cc]))",
     {{7, "empty variation dropped"}, {10, "text between variations skipped"}},
     "(;B[aa]\r\n\r\n(;B[cc]))"},
    {"ForkWithoutNodes",
     "(;B[aa]((;W[bb])(;W[cc])))",
     {{7, "variation without nodes given an empty node"}},
     "(;B[aa]\r\n\r\n(;N[]\r\n(;W[bb])\r\n(;W[cc])))"},
    {"StrayText",
     "(;B[aa]]] ;W[bb]x)",
     {{7, "stray text skipped"}, {16, "stray text skipped"}},
     "(;B[aa]\r\n;W[bb])"},
    {"TextAfterTheRecord",
     "(;B[aa]))\nwin rate",
     {{8, "text after the game tree ignored"}},
     "(;B[aa]\r\n)"},
    // A 0 byte used to end the input, and Save lost everything after it.
    {"ZeroBytesAreSkippedAndTheReadingGoesOn",
     std::string("(;C[a\0b]\0\0;B[aa])\0x", 19),
     {{5, "a 0 byte skipped"},
      {8, "2 0 bytes skipped"},
      {17, "a 0 byte skipped"},
      {18, "text after the game tree ignored"}},
     "(;C[ab]\r\n;B[aa])"},
    {"ZeroBytesBetweenGames",
     std::string("(;B[aa])\0(;W[bb])", 17),
     {{8, "a 0 byte skipped"}},
     "(;B[aa]\r\n)"},
    {"UnknownCharset",
     "(;CA[foo]C[x])",
     {{4, "unknown charset \"foo\": text read as code page 65001"}},
     "(;CA[foo]C[x]\r\n)"},
    {"UndecodableText",
     "(;CA[Shift_JIS]C[a\\]\x82\xA0\xFD])",
     {{22, "undecodable text in code page 932"}},
     "(;CA[Shift_JIS]C[a\\]\x82\xA0\xFD]\r\n)"},
    // A trail byte '\' left unescaped and a trail byte ']' escaped before it.
    {"UndecodableTextAfterTrailBytesOfBothConventions",
     "(;CA[Shift_JIS]C[\x83\\x\x83\\]y\xFD])",
     {{24, "undecodable text in code page 932"}},
     "(;CA[Shift_JIS]C[\x83\\\\x\x83\\]y\xFD]\r\n)"},
    // A large record is read as UTF-8 while a second thread checks that it
    // is; its reports are those of the reading that stands, each once.
    {"LargeUtf8Record",
     "(;CA[foo]XY[1]C[" + std::string(1 << 20, 'x') + "];B[zz])",
     {{4, "unknown charset \"foo\": text read as code page 65001"},
      {9, "unknown property XY kept"},
      {(1 << 20) + 19, "B value \"zz\" lies off the 19x19 board"}},
     "(;CA[foo]C[" + std::string(1 << 20, 'x') + "]\r\nXY[1]\r\n;B[zz])"},
    {"LargeRecordThatIsNotUtf8",
     "(;XY[1]C[" + std::string(1 << 20, 'x') + "\xE9];B[zz])",
     {{2, "unknown property XY kept"},
      {(1 << 20) + 9, "undecodable text in code page 65001"},
      {(1 << 20) + 13, "B value \"zz\" lies off the 19x19 board"}},
     "(;XY[1]C[" + std::string(1 << 20, 'x') + "\xE9]\r\n;B[zz])"},
    {"Utf16OffsetsAreFileOffsets",
     Utf16LittleEndian("(;B[aa]C;W[bb])"),
     {{16, "C without a value dropped"}},
     "(;B[aa]\r\n;W[bb])"},
};
INSTANTIATE_TEST_SUITE_P(Sgf, ReadDiagnostics, ::testing::ValuesIn(kSgf),
                         [](const auto& info) { return info.param.name; });

const Damaged kImported[] = {
    {"GibZeroByteSkipped",
     std::string("\\[GAMEBLACKNAME=L\0ee\\]\nSTO 0 1 1 3 3\n", 37),
     {{17, "a 0 byte skipped"}},
     "(;SZ[19]PB[Lee]\r\n;B[dd])",
     RecordFormat::Gib},
    {"GibShortAndOffBoardMoves",
     "\\[GAMECOMMENT=first\nsecond\\]\nSTO 0 1 1 3\nSTO 0 2 2 19 3\n",
     {{0, "header entry not closed on its line: joined with the next"},
      {29, "move line with fewer than six numbers skipped"},
      {41, "move off the 19x19 board read as a pass"}},
     "(;SZ[19]GC[first second]\r\n;W[])",
     RecordFormat::Gib},
    {"UgfSkippedLinesAndSections",
     "[Header]\nSize=60\nA=b=c\n[Data]\nZZ,B1,1,0\nPD\n[ReviewNode]\nx\n",
     {{14, "board size \"60\" read as 19"},
      {17, "header line \"A=b=c\" with a second '=' skipped"},
      {30, "point \"ZZ\" off the board read as a pass"},
      {40, "data line \"PD\" skipped"},
      {43, "section \"[ReviewNode]\" skipped"}},
     "(;SZ[19]\r\n;B[])",
     RecordFormat::Ugf},
    {"NgfMoveOffTheBoard",
     "Game\n9\nW\nB\nU\n0\n0\n6\n2020\n0\nW+R\n0\nPMABBCCCC\nPMACWZZZZ\nPMADBAAAA\nPMx\n",
     {{42, "move \"PMACWZZZZ\" off the board read as a pass"}, {62, "move line \"PMx\" skipped"}},
     "(;SZ[9]GN[Game]DT[2020]PB[B]PW[W]KM[6.500000]HA[0]RE[W+R]US[U]\r\n;B[bb];W[];B[])",
     RecordFormat::Ngf},
};
INSTANTIATE_TEST_SUITE_P(Imported, ReadDiagnostics, ::testing::ValuesIn(kImported),
                         [](const auto& info) { return info.param.name; });

TEST(ReadDiagnostics, NestingPastTheLimitIsReportedOnce) {
  std::string deep;
  for (int i = 0; i < kMaxVariationDepth + 3; ++i) deep += "(;B[aa]";
  deep.append(static_cast<size_t>(kMaxVariationDepth) + 3, ')');
  GameTree tree;
  DiagnosticList diagnostics;
  ReadContext context{false, 65001};
  ReadRecordBuffer(tree, RecordFormat::Sgf, deep, context, &diagnostics);
  const auto reports = diagnostics.ByOffset();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0],
            (Diagnostic{7 * kMaxVariationDepth,
                        "variations nested deeper than 10000 levels joined into one sequence"}));
}

TEST(Quoted, ShowsBytesOutsideTextAsHexAndCutsLongPieces) {
  EXPECT_EQ(Quoted("ab\"c"), "\"ab\\x22c\"");
  EXPECT_EQ(Quoted("\xC1\xA6"), "\"\\xC1\\xA6\"");
  EXPECT_EQ(Quoted("\xEC\xA0\x9C"), "\"\xEC\xA0\x9C\"");
  EXPECT_EQ(Quoted(std::string(30, 'x')), "\"" + std::string(24, 'x') + "...\"");
}

}  // namespace
}  // namespace vantaro
