#include "game/board.h"

#include <gtest/gtest.h>

#include <set>

#include "game/record_summary.h"
#include "record/record_format.h"
#include "test_support.h"

namespace vantaro {
namespace {

using test::BoardRows;
using test::ReadSgfText;

struct Replayed {
  std::unique_ptr<GameTree> root;
  GoBoard board;
};

// Replays the main line to its end node.
std::unique_ptr<Replayed> ReplayMainLine(std::string_view sgf, bool fromOne = false) {
  auto result = std::make_unique<Replayed>();
  result->root = ReadSgfText(sgf).root;
  result->board.Attach(result->root.get());
  result->board.ReplayTo({{}, result->root->NodeCount() - 1}, false, fromOne);
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

TEST(GoBoard, CaptureRemovesTheGroupWithoutLiberties) {
  const auto replayed = ReplayMainLine("(;SZ[5];B[ba];W[aa];B[bb];W[ab];B[ac])");
  EXPECT_EQ(BoardRows(replayed->board), ".X...\n.X...\nX....\n.....\n.....\n");
  EXPECT_EQ(replayed->board.removedByLastMove(), 2);
  EXPECT_EQ(replayed->board.moveNumber(), 5);
  EXPECT_FALSE(replayed->board.blackToPlay());
  ASSERT_EQ(replayed->board.removals().size(), 1u);
  EXPECT_EQ(replayed->board.removals()[0]->moveNumber, 5);
}

// The white stone next to the move is surrounded, but its group breathes
// through its other stone.
TEST(GoBoard, AGroupKeepsALibertyWhileOneOfItsStonesIsSurrounded) {
  const auto replayed = ReplayMainLine("(;SZ[5]AB[ba][bc][ca][cc]AW[bb][cb];B[ab])");
  EXPECT_EQ(BoardRows(replayed->board),
            ".XX..\n"
            "XOO..\n"
            ".XX..\n"
            ".....\n"
            ".....\n");
  EXPECT_EQ(replayed->board.removedByLastMove(), 0);
  const auto taken = ReplayMainLine("(;SZ[5]AB[ba][bc][ca][cc]AW[bb][cb];B[ab];W[tt];B[db])");
  EXPECT_EQ(BoardRows(taken->board),
            ".XX..\n"
            "X..X.\n"
            ".XX..\n"
            ".....\n"
            ".....\n");
  EXPECT_EQ(taken->board.removedByLastMove(), 2);
}

TEST(GoBoard, AStonePlayedWithoutLibertiesLivesThroughItsGroup) {
  const auto replayed = ReplayMainLine("(;SZ[5]AB[ab][ba][bc][ca][cc]AW[cb])");
  EXPECT_TRUE(replayed->board.IsLegalMove({1, 1}, kPropW));
  EXPECT_EQ(replayed->board.Cell(1, 1), 0u);  // a trial leaves the board as it was
}

// The rules have no ko: a single-stone capture and the immediate retake are
// both legal, as records contain them.
TEST(GoBoard, AKoCaptureAndTheImmediateRetakeAreBothReplayed) {
  const std::string ko = "(;SZ[5]AB[ab][ba][bc][cb]AW[ca][cc][db]";
  const auto capture = ReplayMainLine(ko + ";W[bb])");
  EXPECT_EQ(BoardRows(capture->board),
            ".XO..\n"
            "XO.O.\n"
            ".XO..\n"
            ".....\n"
            ".....\n");
  EXPECT_EQ(capture->board.removedByLastMove(), 1);
  const auto retake = ReplayMainLine(ko + ";W[bb];B[cb])");
  EXPECT_EQ(BoardRows(retake->board),
            ".XO..\n"
            "X.XO.\n"
            ".XO..\n"
            ".....\n"
            ".....\n");
  EXPECT_EQ(retake->board.removedByLastMove(), 1);
  EXPECT_TRUE(retake->board.IsLegalMove({1, 1}, kPropW));
  const auto again = ReplayMainLine(ko + ";W[bb];B[cb];W[bb])");
  EXPECT_EQ(BoardRows(again->board), BoardRows(capture->board));
  EXPECT_EQ(again->board.removedByLastMove(), 1);
}

TEST(GoBoard, ASuicideFromARecordRemovesTheOwnGroup) {
  const auto replayed = ReplayMainLine("(;SZ[5];B[ba];B[ab];W[aa])");
  EXPECT_EQ(BoardRows(replayed->board), ".X...\nX....\n.....\n.....\n.....\n");
  EXPECT_EQ(replayed->board.removedByLastMove(), 1);
}

TEST(GoBoard, APassCountsAsAMoveAndPlacesNothing) {
  const auto replayed = ReplayMainLine("(;SZ[5];B[cc];W[tt])");
  EXPECT_EQ(replayed->board.moveNumber(), 2);
  EXPECT_TRUE(replayed->board.blackToPlay());
  EXPECT_EQ(replayed->board.lastMove(), (Point{19, 19}));
  EXPECT_EQ(replayed->board.removals().back()->kind, RemovalRecord::Kind::OffBoardMove);
}

TEST(GoBoard, SetupStonesOverwriteAndErase) {
  const auto replayed = ReplayMainLine("(;SZ[5];B[aa];AW[aa]AE[bb][cc]AB[dd];AE[dd])");
  EXPECT_EQ(BoardRows(replayed->board), "O....\n.....\n.....\n.....\n.....\n");
  EXPECT_EQ(GoBoard::CellProperty(replayed->board.Cell(0, 0)), kPropAW);
  const auto& erased = *replayed->board.removals().back();
  EXPECT_EQ(erased.kind, RemovalRecord::Kind::Erased);
  EXPECT_EQ(erased.entries.size(), 1u);
}

TEST(GoBoard, TrialMovesRefuseOccupiedPointsAndSuicide) {
  const auto replayed = ReplayMainLine("(;SZ[5];B[ba];B[ab];W[bb];W[ca];W[ac])");
  const GoBoard& board = replayed->board;
  EXPECT_FALSE(board.IsLegalMove({1, 0}, kPropW));  // occupied
  EXPECT_TRUE(board.IsLegalMove({0, 0}, kPropW));   // takes two stones
  EXPECT_FALSE(board.IsLegalMove({0, 0}, kPropB));  // black would take its own last liberty
  EXPECT_FALSE(board.IsLegalMove({9, 9}, kPropB));  // off the board
  const auto eye = ReplayMainLine("(;SZ[5];B[ba];B[ab])");
  EXPECT_FALSE(eye->board.IsLegalMove({0, 0}, kPropW));  // suicide
  EXPECT_EQ(eye->board.Cell(0, 0), 0u);                  // and the board is unchanged
}

TEST(GoBoard, OverlayMarksContinuationsAndMarkup) {
  auto record = ReadSgfText("(;SZ[5]CR[aa]TR[aa]LB[bb:x][zz:y](;B[cc])(;B[dd])(;W[cc]))");
  GoBoard board;
  board.Attach(record.root.get());
  board.ReplayTo({{}, 0}, false, false);
  board.BuildOverlay(*record.root, 0);
  EXPECT_EQ(board.OverlayAt(0, 0).markup, OverlayEntry::Triangle);
  EXPECT_EQ(board.OverlayAt(1, 1).label, u"x");
  EXPECT_EQ(board.OverlayAt(2, 2).continuation, 1);
  EXPECT_EQ(board.OverlayAt(2, 2).continuationIndex, 0);  // the first entry stays
  EXPECT_EQ(board.OverlayAt(3, 3).continuationIndex, 1);

  auto single = ReadSgfText("(;SZ[5];B[cc])");
  board.Attach(single.root.get());
  board.ReplayTo({{}, 0}, false, false);
  board.BuildOverlay(*single.root, 0);
  EXPECT_EQ(board.OverlayAt(2, 2).continuation, 2);
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

TEST(GoBoard, WhiteFirstGivesWhiteTheFirstMove) {
  auto record = ReadSgfText("(;SZ[9])");
  GoBoard board;
  board.Attach(record.root.get());
  board.ReplayTo({{}, 0}, true, false);
  EXPECT_FALSE(board.blackToPlay());
}

// An independent reference: liberties counted over whole groups after each move.
std::vector<std::string> ReferencePosition(const GameTree& root, int width, int height) {
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
  return grid;
}

TEST(GoBoard, CorpusMainLinesEndInTheReferencePosition) {
  VANTARO_REQUIRE_SHARED();
  for (const auto& path : test::CorpusFiles("sgf", {".sgf"})) {
    GameTree root;
    ReadContext context{false, 65001};
    ASSERT_TRUE(LoadRecordFile(root, path.string(), context).ok);
    GoBoard board;
    board.Attach(&root);
    TreePath end;
    const GameTree* tree = &root;
    while (tree->ChildCount() > 0) {
      end.children.push_back(0);
      tree = tree->ChildAt(0);
    }
    end.node = tree->NodeCount() - 1;
    board.ReplayTo(end, false, false);
    const auto expected = ReferencePosition(root, board.width(), board.height());
    std::string rows;
    for (const std::string& row : expected) rows += row + "\n";
    EXPECT_EQ(BoardRows(board), rows) << path;
  }
}

}  // namespace
}  // namespace vantaro
