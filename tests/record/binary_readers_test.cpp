// The binary importers, fed with files built byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "record/importers.h"
#include "test_support.h"

namespace vantaro {
namespace {

void Put(std::string& bytes, size_t offset, std::string_view text) {
  if (bytes.size() < offset + text.size()) bytes.resize(offset + text.size(), '\0');
  std::memcpy(bytes.data() + offset, text.data(), text.size());
}

void PutLittle(std::string& bytes, size_t offset, uint32_t value, int width) {
  for (int i = 0; i < width; ++i)
    bytes[offset + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
}

std::string LengthPrefixed(std::string_view text) {
  std::string bytes{static_cast<char>(text.size() >> 8), static_cast<char>(text.size() & 0xFF)};
  return bytes + std::string(text);
}

std::vector<std::pair<bool, Point>> Moves(const GameTree& tree) {
  std::vector<std::pair<bool, Point>> moves;
  for (int i = 1; i < tree.NodeCount(); ++i) {
    const Property* move = tree.NodeAt(i)->FindMove();
    if (move == nullptr) {
      ADD_FAILURE() << "node " << i << " has no move";
      continue;
    }
    moves.emplace_back(move->id() == kPropW, move->point());
  }
  return moves;
}

// A GOS file: header fields, the move count and handicap, then 16-bit moves.
std::string GosFile(uint32_t moveCount, uint32_t handicap, std::vector<uint16_t> moves) {
  std::string bytes(228, '\0');
  Put(bytes, 8, "2024-01-01");
  Put(bytes, 36, "Final");
  Put(bytes, 100, "Lee");
  Put(bytes, 120, "9d");
  Put(bytes, 140, "Kim");
  Put(bytes, 160, "8d");
  PutLittle(bytes, 180, moveCount, 4);
  PutLittle(bytes, 184, handicap, 4);
  for (uint16_t move : moves)
    bytes += std::string{static_cast<char>(move), static_cast<char>(move >> 8)};
  return bytes;
}

std::string Saved(GameTree& tree) {
  return test::WriteSgfText(tree);
}

TEST(GosReader, HeaderAndMoves) {
  GameTree tree;
  ReadContext context{false, 65001};
  ASSERT_TRUE(ReadGos(tree, GosFile(3, 0, {60, 399, 0}), context).ok);
  EXPECT_EQ(Saved(tree),
            "(;GN[Final]DT[2024-01-01]PB[Lee (9d)]PW[Kim (8d)]HA[0]\r\n;B[ad];W[];B[aa])");
}

TEST(GosReader, HandicapStonesAreBlackMoves) {
  GameTree tree;
  ReadContext context{false, 65001};
  ASSERT_TRUE(ReadGos(tree, GosFile(4, 2, {60, 61, 62, 63}), context).ok);
  EXPECT_TRUE(Saved(tree).ends_with(";B[ad];B[bd];W[cd];B[dd])")) << Saved(tree);
}

TEST(GosReader, ShortOrOverlongFilesFail) {
  GameTree tree;
  ReadContext context{false, 65001};
  EXPECT_FALSE(ReadGos(tree, std::string(227, '\0'), context).ok);
  EXPECT_FALSE(ReadGos(tree, GosFile(1, 0, {60, 61}), context).ok);
}

TEST(GosReader, ACountBeyondTheFileReadsTheMovesThatAreThere) {
  GameTree tree;
  ReadContext context{false, 65001};
  DiagnosticList diagnostics;
  ASSERT_TRUE(ReadGos(tree, GosFile(5, 0, {60, 61}), context, &diagnostics).ok);
  EXPECT_EQ(tree.NodeCount(), 3);
  EXPECT_EQ(diagnostics.ByOffset(),
            (std::vector<Diagnostic>{{232, "the file ends after 2 of its 5 moves"}}));
}

std::string BdxFile(bool withTrailer, char order, std::string_view black = "Alpha") {
  std::string bytes = "BDX1" + LengthPrefixed("B+R") + std::string(2, '\0');
  bytes += std::string{0, 2};            // two moves
  bytes += std::string{15, 3, 1, 0, 0};  // black pd
  bytes += std::string{19, 3, 2, 0, 0};  // white pass
  if (!withTrailer) return bytes;
  bytes += std::string(36, '\0') + LengthPrefixed(black) + std::string(10, '\0') +
           LengthPrefixed("Beta") + std::string(32, '\0');
  bytes += order;
  return bytes;
}

TEST(BdxReader, ResultMovesAndPlayers) {
  GameTree tree;
  ReadContext context{false, 65001};
  ASSERT_TRUE(ReadBdx(tree, BdxFile(true, 1), context).ok);
  EXPECT_EQ(Saved(tree), "(;PB[Alpha]PW[Beta]RE[B+R]\r\n;B[pd];W[])");
}

TEST(BdxReader, TruncationFailsExceptBeforeTheSecondName) {
  const std::string full = BdxFile(true, 0);
  const size_t secondName = full.size() - 1 - 32 - 6;
  for (size_t length = 0; length < full.size(); ++length) {
    GameTree tree;
    ReadContext context{false, 65001};
    DiagnosticList diagnostics;
    const bool ok = ReadBdx(tree, full.substr(0, length), context, &diagnostics).ok;
    ASSERT_EQ(ok, length >= secondName && length < secondName + 6) << length;
    if (!ok) continue;
    EXPECT_EQ(Saved(tree), "(;RE[B+R]\r\n;B[pd];W[])") << length;
    EXPECT_EQ(diagnostics.ByOffset(),
              (std::vector<Diagnostic>{
                  {secondName, "the second player name is cut short: no player names"}}))
        << length;
  }
  GameTree badOrder;
  ReadContext context{false, 65001};
  EXPECT_FALSE(ReadBdx(badOrder, BdxFile(true, 7), context).ok);
}

// A GO file: two names in a 140-byte header, then the given bytes.
std::string GoFile(std::string_view afterHeader) {
  std::string bytes(140, '\0');
  Put(bytes, 40, "Black name");
  Put(bytes, 72, "White name");
  return bytes + std::string(afterHeader);
}

TEST(GoReader, NamesAndMoves) {
  std::string bytes = GoFile("");
  GameTree namesOnly;
  ReadContext context{false, 65001};
  ASSERT_TRUE(ReadGo(namesOnly, bytes, context).ok);
  EXPECT_EQ(namesOnly.NodeCount(), 1);
  EXPECT_EQ(namesOnly.NodeAt(0)->Find(kPropPW)->text(), u"White name");

  bytes += std::string{'x', 0, 3, 3, 1, 20, 4, 0, 5};  // byte 140 is skipped; the last move is cut
  GameTree tree;
  DiagnosticList diagnostics;
  ASSERT_TRUE(ReadGo(tree, bytes, context, &diagnostics).ok);
  EXPECT_EQ(Moves(tree), (std::vector<std::pair<bool, Point>>{{false, {3, 3}}, {true, {}}}));
  EXPECT_EQ(diagnostics.ByOffset(),
            (std::vector<Diagnostic>{{147, "incomplete move record at the end ignored"}}));
  EXPECT_FALSE(ReadGo(tree, std::string(139, '\0'), context).ok);
}

// Names beyond ASCII are read in the code page they look like, and the saved
// record's CA names that code page, so that it reads back the same.
TEST(BinaryReaders, SavedNamesKeepTheirCodePage) {
  using Reader = IoResult (*)(GameTree&, std::string_view, ReadContext&, DiagnosticSink*);
  const std::string_view honinbo = "\x96\x7b\x88\xf6\x96\x56\x8f\x47\x8d\xf4";  // Shift_JIS
  std::string gos = GosFile(1, 0, {60});
  Put(gos, 100, honinbo);
  std::string go = GoFile("");
  Put(go, 40, honinbo);
  const std::pair<Reader, std::string> files[] = {
      {ReadGos, gos}, {ReadBdx, BdxFile(true, 0, honinbo)}, {ReadGo, go}};
  for (const auto& [read, file] : files) {
    GameTree tree;
    ReadContext context{false, 65001};
    ASSERT_TRUE(read(tree, file, context, nullptr).ok);
    EXPECT_EQ(context.codePage, 932);
    const std::string saved = test::SavedSgfText(tree, context.codePage);
    EXPECT_TRUE(saved.starts_with("(;CA[shift_jis]")) << saved;
    const test::ReadRecord back = test::ReadSgfText(saved);
    EXPECT_EQ(back.root->NodeAt(0)->Find(kPropPB)->text(), tree.NodeAt(0)->Find(kPropPB)->text());
  }
}

// Whatever a cut file still claims, a reader reads no move that is not in
// it: every prefix of a file fails or reads the first moves of the whole.
TEST(BinaryReaders, EveryPrefixFailsOrReadsTheFirstMovesOfTheFile) {
  using Reader = IoResult (*)(GameTree&, std::string_view, ReadContext&, DiagnosticSink*);
  struct Case {
    std::string_view format;
    Reader read;
    std::string file;
  };
  const Case cases[] = {
      {"GOS", ReadGos, GosFile(3, 1, {60, 61, 62})},
      {"BDX", ReadBdx, BdxFile(true, 0)},
      {"GO", ReadGo, GoFile(std::string{'x', 0, 3, 3, 1, 20, 4, 0, 5, 5})},
  };
  for (const Case& c : cases) {
    GameTree whole;
    ReadContext context{false, 65001};
    ASSERT_TRUE(c.read(whole, c.file, context, nullptr).ok) << c.format;
    const auto all = Moves(whole);
    ASSERT_EQ(all.size(), c.format == "BDX" ? 2u : 3u) << c.format;
    int readCuts = 0;
    for (size_t length = 0; length < c.file.size(); ++length) {
      GameTree tree;
      ReadContext fresh{false, 65001};
      if (!c.read(tree, c.file.substr(0, length), fresh, nullptr).ok) continue;
      ++readCuts;
      const auto moves = Moves(tree);
      ASSERT_LE(moves.size(), all.size()) << c.format << " cut at " << length;
      EXPECT_TRUE(std::equal(moves.begin(), moves.end(), all.begin()))
          << c.format << " cut at " << length;
    }
    EXPECT_GT(readCuts, 0) << c.format;
  }
}

}  // namespace
}  // namespace vantaro
