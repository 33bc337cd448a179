// The games of a file: the scan that finds them agrees with reading them,
// and saving one writes every other byte back as it was.
#include "record/sgf_collection.h"

#include <gtest/gtest.h>

#include "game/record_summary.h"
#include "record/game_listing.h"
#include "record/record_format.h"
#include "record/record_save.h"
#include "record/sgf_reader.h"
#include "test_support.h"

namespace vantaro {
namespace {

// Reads every game the scan found, and checks that each reading ends where
// the scan says and that the next game starts at the next game tree after
// it: the game count and the byte ranges of a full reading.
void ExpectScanMatchesReading(std::string_view bytes, const std::string& what) {
  const SgfText text(bytes);
  ReadContext context{false, 1252};
  const std::vector<GameSpan> games = FindGameTrees(text.text(), context);
  const char* end = text.text().data() + text.text().size();
  size_t readUpTo = 0;
  for (size_t i = 0; i < games.size(); ++i) {
    if (i > 0) {
      const char* next = FindGameTreeStart(text.text().data() + readUpTo, end);
      ASSERT_NE(next, nullptr) << what << ": game " << i + 1;
      EXPECT_EQ(static_cast<size_t>(next - text.text().data()), games[i].begin) << what;
    }
    GameTree root;
    ReadContext reading{false, 1252};
    readUpTo = ReadSgfGameAt(root, text, games, i, reading);
    EXPECT_EQ(readUpTo, games[i].end) << what << ": game " << i + 1;
  }
  if (!games.empty()) {
    EXPECT_EQ(FindGameTreeStart(text.text().data() + readUpTo, end), nullptr)
        << what << ": a game after the last";
  }
}

// What a list shows of each game, read straight from the bytes, is what a
// reading of the game shows.
void ExpectSummariesMatchReading(std::string_view bytes, const std::string& what) {
  ReadContext context{false, 1252};
  std::vector<GameSummary> listed;
  ASSERT_TRUE(SummarizeRecordBytes("x.sgf", bytes, context, listed).ok);
  const SgfText text(bytes);
  const std::vector<GameSpan> games = FindGameTrees(text.text(), context);
  ASSERT_EQ(listed.size(), games.size()) << what;
  for (size_t i = 0; i < games.size(); ++i) {
    GameTree root;
    ReadContext reading{false, 1252};
    ReadSgfGameAt(root, text, games, i, reading);
    const RecordSummary read = SummarizeRecord(root);
    EXPECT_EQ(listed[i].moves, read.mainLineMoves.size()) << what << ": game " << i + 1;
    EXPECT_EQ(listed[i].boardSize, read.boardSize) << what << ": game " << i + 1;
    std::vector<GameInfoEntry> texts;
    for (const GameInfoEntry& entry : read.gameInfo) {
      if (PropertyRow(entry.id).valueType == ValueType::Text) texts.push_back(entry);
    }
    ASSERT_EQ(listed[i].gameInfo.size(), texts.size()) << what << ": game " << i + 1;
    for (size_t e = 0; e < texts.size(); ++e) {
      EXPECT_EQ(listed[i].gameInfo[e].id, texts[e].id) << what << ": game " << i + 1;
      EXPECT_EQ(listed[i].gameInfo[e].text, texts[e].text) << what << ": game " << i + 1;
    }
  }
}

TEST(FindGameTrees, AgreesWithReadingOverEveryCorpusFile) {
  VANTARO_REQUIRE_SHARED();
  const auto files = test::CorpusFiles("sgf", {".sgf", ".mgt"});
  ASSERT_GT(files.size(), 200u);
  for (const auto& path : files) {
    const std::string bytes = test::ReadFileBytes(path);
    ExpectScanMatchesReading(bytes, path);
    ExpectSummariesMatchReading(bytes, path);
  }
  const auto large = test::SharedDir() / "corpus/large/fox-ai-collection-2744.sgf";
  const std::string collection = test::ReadFileBytes(large);
  ReadContext context{false, 1252};
  EXPECT_EQ(FindGameTrees(SgfText(collection).text(), context).size(), 2744u);
  ExpectScanMatchesReading(collection, large);
  ExpectSummariesMatchReading(collection, large);
  // A large text's first game is read while another thread finds the others.
  for (const std::string& text : {collection, "text (" + collection + ") after"}) {
    const SgfText sgf(text);
    GameTree first;
    std::vector<GameSpan> found;
    ASSERT_TRUE(ReadSgfGame(first, sgf, 0, context, nullptr, &found).ok);
    EXPECT_EQ(found, FindGameTrees(sgf.text(), context));
  }
}

// Bytes between games that look like SGF but start no game tree (a '('
// followed by ';', '(' or an identifier and '[' would): brackets in text,
// escapes, unterminated values, stray parentheses.
const char* const kHostileSeparators[] = {
    "\n",
    "\r\n[note: (see above)] \\(x ",
    " C[unterminated value (x ",
    ") ] \\] (not a game) ",
    "\x88\\] \x82(\\",
    "",
};

// Double-byte games with trail bytes ']' and '\' where a plain scan would
// end a value or not (in the first, it would end the game at "dd])"), UTF-8
// games, damaged and unclosed ones.
const char* const kGames[] = {
    "(;CA[Shift_JIS]PB[\x83]]C[\x95\\](;B[dd])(;W[ee]))",
    "(;GM[1]PB[\xe6\x9d\x8e]C[a \\] b (c)](;B[aa])(;B[bb]))",
    "(;B[a]C[x]]]x;W[bb](;)(;AB[zz:]TR[a])(;B[cc]((;W[dd]))(;W[ee])))",
    "(;CA[GB2312]C[\xc6\xe5\\]\xba\xda];W[dd])",
    "(;C[last, not closed];B[ee]",
};

TEST(FindGameTrees, FindsEveryGameBetweenHostileBytes) {
  for (size_t shift = 0; shift < std::size(kHostileSeparators); ++shift) {
    std::string text = "prose (before) the games ";
    std::vector<std::pair<size_t, size_t>> expected;
    for (size_t i = 0; i < std::size(kGames); ++i) {
      text += kHostileSeparators[(i + shift) % std::size(kHostileSeparators)];
      expected.emplace_back(text.size(), text.size() + std::string_view(kGames[i]).size());
      text += kGames[i];
    }
    ReadContext context{false, 1252};
    const std::vector<GameSpan> games = FindGameTrees(text, context);
    ASSERT_EQ(games.size(), expected.size()) << shift;
    for (size_t i = 0; i < games.size(); ++i) {
      EXPECT_EQ(games[i].begin, expected[i].first) << shift << ": game " << i + 1;
      EXPECT_EQ(games[i].end, expected[i].second) << shift << ": game " << i + 1;
    }
    EXPECT_EQ(games[0].codePage, 932);
    EXPECT_EQ(games[1].codePage, 65001);
    EXPECT_EQ(games[3].codePage, 936);
    ExpectScanMatchesReading(text, "separators from " + std::to_string(shift));
    ExpectSummariesMatchReading(text, "separators from " + std::to_string(shift));
  }
}

// The file: junk before, three games, text between and after them.
constexpr std::string_view kCollection =
    "header "
    "line\n(;GM[1]PB[one];B[aa])\n\n(;PB[two];B[bb]C[x])\r\nbetween\n(;PB[three];W[cc])\nend";

TEST(SgfCollection, SavingAGameWritesEveryOtherByteAsItWas) {
  test::TemporaryDirectory directory;
  const std::string path = directory.Write("games.sgf", kCollection);
  for (size_t k = 0; k < 3; ++k) {
    test::WriteFileBytes(path, kCollection);
    GameTree root;
    ReadContext context{false, 65001};
    GameChoice choice;
    choice.index = k;
    choice.keepCollection = true;
    ASSERT_TRUE(LoadRecordFile(root, path, context, nullptr, &choice).ok);
    ASSERT_EQ(choice.count, 3u);
    root.NodeAt(0)->Add(Property::WithText(kPropGC, u"edited"));
    const std::string game(choice.collection->GameBytes(k));
    ASSERT_TRUE(SaveCollectionGame(root, 65001, path, *choice.collection, k).ok);
    std::string expected(kCollection);
    expected.replace(expected.find(game), game.size(), test::WriteSgfText(root));
    EXPECT_EQ(test::ReadFileBytes(path), expected) << "game " << k + 1;
    // Saved again, the file holds the game as it was just written.
    ASSERT_TRUE(SaveCollectionGame(root, 65001, path, *choice.collection, k).ok);
    EXPECT_EQ(test::ReadFileBytes(path), expected) << "game " << k + 1;
  }
}

TEST(SgfCollection, AFileOfOneGameKeepsTheBytesAroundIt) {
  test::TemporaryDirectory directory;
  const std::string path = directory.Write("one.sgf", "% from the server\n(;B[aa])\n");
  GameTree root;
  ReadContext context{false, 65001};
  GameChoice choice;
  choice.keepCollection = true;
  ASSERT_TRUE(LoadRecordFile(root, path, context, nullptr, &choice).ok);
  EXPECT_EQ(choice.collection->GameBytes(0), "") << "the game's own bytes are not kept";
  ASSERT_TRUE(SaveCollectionGame(root, 65001, path, *choice.collection, 0).ok);
  EXPECT_EQ(test::ReadFileBytes(path), "% from the server\n(;B[aa]\r\n)\n");
}

TEST(LoadRecordFile, ReadsTheChosenGameAndRefusesOneThatIsNotThere) {
  test::TemporaryDirectory directory;
  const std::string path = directory.Write("games.sgf", kCollection);
  GameTree root;
  ReadContext context{false, 65001};
  GameChoice choice;
  choice.index = 2;
  ASSERT_TRUE(LoadRecordFile(root, path, context, nullptr, &choice).ok);
  EXPECT_EQ(test::WriteSgfText(root), "(;PB[three]\r\n;W[cc])");
  GameTree none;
  choice.index = 3;
  const IoResult missing = LoadRecordFile(none, path, context, nullptr, &choice);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "there is no game 4: the file holds 3 games");
  choice.index = 1;
  EXPECT_FALSE(
      LoadRecordFile(none, directory.Write("x.gib", "STO 0 1 1 3 3\n"), context, nullptr, &choice)
          .ok);
}

}  // namespace
}  // namespace vantaro
