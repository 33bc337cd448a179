#include "game/board.h"

#include <gtest/gtest.h>

#include <set>

#include "game/main_line_replay.h"
#include "game/record_summary.h"
#include "record/record_format.h"
#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

struct Replayed {
  std::unique_ptr<GameTree> root;
  GoBoard board;
};

// Replays the main line to its end node.
std::unique_ptr<Replayed> ReplayMainLine(std::string_view sgf) {
  auto result = std::make_unique<Replayed>();
  result->root = ReadSgfText(sgf).root;
  result->board.Attach(result->root.get());
  result->board.ReplayTo({{}, result->root->NodeCount() - 1}, false, false);
  return result;
}

TEST(GoBoard, BoardSizeComesFromSz) {
  EXPECT_EQ(ReplayMainLine("(;SZ[1])")->board.width(), 19);
  EXPECT_EQ(ReplayMainLine("(;SZ[60])")->board.height(), 52);
  const auto rectangle = ReplayMainLine("(;SZ[17:15])");
  EXPECT_EQ(rectangle->board.width(), 17);
  EXPECT_EQ(rectangle->board.height(), 15);

  // A record without SZ keeps the size the board had.
  GoBoard board;
  auto small = ReadSgfText("(;SZ[13])").root;
  board.Attach(small.get());
  auto sizeless = ReadSgfText("(;B[aa])").root;
  board.Attach(sizeless.get());
  EXPECT_EQ(board.width(), 13);
}

// The rules have no ko, and a move that leaves its own group without
// liberties takes that group when it comes from a record.
TEST(GoBoard, ReplayTakesEveryGroupLeftWithoutLiberties) {
  const std::string ko = "(;SZ[5]AB[ab][ba][bc][cb]AW[ca][cc][db]";
  const struct {
    std::string sgf;
    const char* rows;  // the top three; the others stay empty
    int removed;
    int capturesByBlack, capturesByWhite;  // on the whole line
  } cases[] = {
      {"(;SZ[5];B[ba];W[aa];B[bb];W[ab];B[ac])",
       ".X...\n"
       ".X...\n"
       "X....\n",
       2, 2, 0},
      // The white stone beside the move is surrounded, but its group breathes.
      {"(;SZ[5]AB[ba][bc][ca][cc]AW[bb][cb];B[ab])",
       ".XX..\n"
       "XOO..\n"
       ".XX..\n",
       0, 0, 0},
      {"(;SZ[5]AB[ba][bc][ca][cc]AW[bb][cb];B[ab];W[tt];B[db])",
       ".XX..\n"
       "X..X.\n"
       ".XX..\n",
       2, 2, 0},
      {ko + ";W[bb])",
       ".XO..\n"
       "XO.O.\n"
       ".XO..\n",
       1, 0, 1},
      {ko + ";W[bb];B[cb])",
       ".XO..\n"
       "X.XO.\n"
       ".XO..\n",
       1, 1, 1},
      {ko + ";W[bb];B[cb];W[bb])",
       ".XO..\n"
       "XO.O.\n"
       ".XO..\n",
       1, 1, 2},
      {"(;SZ[5];B[ba];B[ab];W[aa])",
       ".X...\n"
       "X....\n"
       ".....\n",
       1, 1, 0},  // a suicide's stones count for the opponent
  };
  for (const auto& c : cases) {
    const auto replayed = ReplayMainLine(c.sgf);
    EXPECT_EQ(replayed->board.StonesAsText(), std::string(c.rows) + ".....\n.....\n") << c.sgf;
    EXPECT_EQ(replayed->board.removedByLastMove(), c.removed) << c.sgf;
    EXPECT_EQ(replayed->board.capturesByBlack(), c.capturesByBlack) << c.sgf;
    EXPECT_EQ(replayed->board.capturesByWhite(), c.capturesByWhite) << c.sgf;
  }
}

TEST(GoBoard, APassCountsAsAMoveAndPlacesNothing) {
  const auto passed = ReplayMainLine("(;SZ[5];B[cc];W[tt])");
  EXPECT_EQ(passed->board.StonesAsText(), ".....\n.....\n..X..\n.....\n.....\n");
  EXPECT_EQ(passed->board.moveNumber(), 2);
  EXPECT_TRUE(passed->board.blackToPlay());
}

// An AB on a stone replaces it without a capture; an AE on an empty point does nothing.
TEST(GoBoard, SetupStonesOverwriteAndErase) {
  const auto replayed = ReplayMainLine("(;SZ[5];B[aa];AW[aa]AE[bb][cc]AB[dd];AE[dd])");
  EXPECT_EQ(replayed->board.StonesAsText(), "O....\n.....\n.....\n.....\n.....\n");
  // A setup stone, which shows no move number.
  EXPECT_EQ(GoBoard::CellProperty(replayed->board.Cell(0, 0)), kPropAW);
  // Nothing was captured: setup stones replace and erase.
  EXPECT_EQ(replayed->board.capturesByBlack(), 0);
  EXPECT_EQ(replayed->board.capturesByWhite(), 0);
}

// Unlike a replay, a move played on the board is refused where it would
// take its own last liberty; trying it leaves the board as it was.
TEST(GoBoard, TrialMovesRefuseOccupiedPointsAndSuicide) {
  const struct {
    const char* sgf;
    Point point;
    int colour;
    bool legal;
  } cases[] = {
      {"(;SZ[5];B[ba];B[ab];W[bb];W[ca];W[ac])", {1, 0}, kPropW, false},  // occupied
      {"(;SZ[5];B[ba];B[ab];W[bb];W[ca];W[ac])", {0, 0}, kPropW, true},   // takes two
      {"(;SZ[5];B[ba];B[ab];W[bb];W[ca];W[ac])", {0, 0}, kPropB, false},  // own last liberty
      {"(;SZ[5];B[ba];B[ab])", {0, 0}, kPropW, false},                    // suicide
      {"(;SZ[5];B[ba];B[ab])", {9, 9}, kPropB, false},                    // off the board
      {"(;SZ[5]AB[ab][ba][bc][ca][cc]AW[cb])", {1, 1}, kPropW, true},     // lives by its group
      {"(;SZ[5]AB[ab][ba][bc][cb]AW[ca][cc][db];W[bb];B[cb])", {1, 1}, kPropW, true},  // ko
  };
  for (const auto& c : cases) {
    const auto replayed = ReplayMainLine(c.sgf);
    const std::string before = replayed->board.StonesAsText();
    EXPECT_EQ(replayed->board.IsLegalMove(c.point, c.colour), c.legal)
        << c.sgf << " at " << c.point.x << "," << c.point.y;
    EXPECT_EQ(replayed->board.StonesAsText(), before);
  }
}

TEST(GoBoard, MoveNumbersRestartInVariationsAndAtMn) {
  auto record = ReadSgfText("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd];W[ee]MN[7]))");
  GoBoard board;
  board.Attach(record.root.get());
  board.ReplayTo({{1}, 0}, false, true);
  EXPECT_TRUE(board.hasNumberOverride());
  EXPECT_EQ(board.overrideDisplayed(), 1);
  EXPECT_EQ(board.overrideFromMove(), 3);
  board.ReplayTo({{0}, 0}, false, true);
  EXPECT_FALSE(board.hasNumberOverride());
  board.ReplayTo({{1}, 1}, false, false);
  EXPECT_EQ(board.overrideDisplayed(), 7);
  EXPECT_EQ(board.overrideFromMove(), 4);
}

// An independent reference: liberties counted over whole groups after each
// move of the main line. The end position as StonesAsText gives it.
std::string ReferencePosition(const GameTree& root, int width, int height) {
  std::vector<std::string> grid(static_cast<size_t>(height),
                                std::string(static_cast<size_t>(width), '.'));
  const auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
  const auto groupOf = [&](int x, int y) {
    std::set<std::pair<int, int>> group{{x, y}};
    std::vector<std::pair<int, int>> todo{{x, y}};
    bool liberty = false;
    while (!todo.empty()) {
      auto [cx, cy] = todo.back();
      todo.pop_back();
      for (auto [dx, dy] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
        const int nx = cx + dx, ny = cy + dy;
        if (!on(nx, ny)) continue;
        if (grid[ny][nx] == '.') liberty = true;
        if (grid[ny][nx] == grid[y][x] && group.insert({nx, ny}).second) todo.push_back({nx, ny});
      }
    }
    return std::make_pair(group, liberty);
  };
  for (const GameTree* tree = &root; tree != nullptr; tree = tree->ChildAt(0)) {
    for (const auto& node : tree->nodes()) {
      for (const Property& property : node->properties()) {
        const Point p = property.point();
        if (!on(p.x, p.y)) continue;
        const int id = property.id();
        if (id == kPropAB || id == kPropAW) grid[p.y][p.x] = id == kPropAB ? 'X' : 'O';
        if (id == kPropAE) grid[p.y][p.x] = '.';
        if (id != kPropB && id != kPropW) continue;
        const char mine = id == kPropB ? 'X' : 'O';
        grid[p.y][p.x] = mine;
        bool took = false;
        for (auto [dx, dy] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}}) {
          const int nx = p.x + dx, ny = p.y + dy;
          if (!on(nx, ny) || grid[ny][nx] == '.' || grid[ny][nx] == mine) continue;
          auto [group, liberty] = groupOf(nx, ny);
          if (liberty) continue;
          for (auto [gx, gy] : group) grid[gy][gx] = '.';
          took = true;
        }
        if (!took) {
          auto [group, liberty] = groupOf(p.x, p.y);
          if (!liberty) {
            for (auto [gx, gy] : group) grid[gy][gx] = '.';
          }
        }
      }
    }
  }
  std::string rows;
  for (const std::string& row : grid) rows += row + "\n";
  return rows;
}

TEST(GoBoard, CorpusMainLinesEndInTheReferencePosition) {
  VANTARO_REQUIRE_SHARED();
  for (const auto& path : test::CorpusFiles("sgf", {".sgf"})) {
    GameTree root;
    ReadContext context{false, 65001};
    ASSERT_TRUE(LoadRecordFile(root, path.string(), context).ok);
    GoBoard board;
    board.Attach(&root);
    const Node& end = *root.LastNodeAlongFirstChildren();
    board.ReplayTo(end.tree()->PathOf(end.IndexInTree()), false, false);
    EXPECT_EQ(board.StonesAsText(), ReferencePosition(root, board.width(), board.height())) << path;
  }
}

// A preview of a problem stops at its first node, showing the setup and its
// markup but neither the answer nor a mark where it is; the other stops
// follow child 0, a move past the end stopping at the last node.
TEST(GoBoard, AMainLineStopsAtItsFirstNodeAMoveOrItsLastMove) {
  const auto root =
      ReadSgfText("(;SZ[5]AB[aa]TR[aa];B[bb];W[cc]CR[cc](;B[dd];W[ee])(;B[ab]))").root;
  const struct {
    LineStop stop;
    const char* stones;
    int moveNumber;
    int markedAt;  // x = y of the only point with markup, -1 for none
  } cases[] = {
      {{LineStop::Kind::FirstNode}, "X....\n.....\n.....\n.....\n.....\n", 0, 0},
      {{LineStop::Kind::Move, 2}, "X....\n.X...\n..O..\n.....\n.....\n", 2, 2},
      {{LineStop::Kind::Move, 9}, "X....\n.X...\n..O..\n...X.\n....O\n", 4, -1},
      {{LineStop::Kind::LastMove}, "X....\n.X...\n..O..\n...X.\n....O\n", 4, -1},
  };
  for (const auto& c : cases) {
    GoBoard board;
    ReplayMainLine(*root, c.stop, false, board);
    EXPECT_EQ(board.StonesAsText(), c.stones) << static_cast<int>(c.stop.kind);
    EXPECT_EQ(board.moveNumber(), c.moveNumber);
    for (int p = 0; p < 5; ++p) {
      EXPECT_EQ(board.OverlayAt(p, p).markup != OverlayEntry::None, p == c.markedAt) << p;
      EXPECT_EQ(board.OverlayAt(p, p).continuation, OverlayEntry::Continuation::None)
          << "no next-move marks";
    }
  }
}

}  // namespace
}  // namespace vantaro
