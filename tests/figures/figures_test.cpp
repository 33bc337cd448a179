#include "figures/figures.h"

#include <gtest/gtest.h>

#include "figures/figure_diagram.h"
#include "figures/figure_line.h"
#include "figures/figure_text.h"
#include "game/record_summary.h"
#include "test_support.h"

namespace vantaro {
namespace {

using test::ReadSgfText;

// A ko on 5 x 5 lines: black takes at C4, white retakes at B4 where a white
// stone stood before the first move, ten times in all.
constexpr std::string_view kKo =
    "(;SZ[5]AB[ba][ab][bc]AW[bb][ca][db][cc]"
    ";B[cb]TR[cb]LB[aa:x];W[bb];B[cb];W[bb];B[cb];W[bb];B[cb];W[bb];B[cb];W[bb])";

// Black's stone on Q16 is taken by move 8 and white plays there at move 10.
constexpr std::string_view kTakenEarlierStone =
    "(;B[pd];W[pc];B[aa];W[qd];B[ab];W[pe];B[ac];W[od];B[ad];W[pd])";

std::string FiguresOf(std::string_view sgf, FigureRules rules) {
  const auto root = ReadSgfText(sgf).root;
  const std::vector<Figure> figures = CutFigures(*root, LineThrough(*root), rules);
  return FiguresAsText(figures, RecordBoardSize(*root).value_or(kDefaultBoardSize).y, false);
}

struct CuttingCase {
  const char* name;
  std::string_view sgf;
  FigureRules rules;
  const char* figures;
};

const CuttingCase kCuttingCases[] = {
    {"a game shorter than a figure",
     "(;SZ[9];B[cc];W[gg];B[cg])",
     {20, false},
     "figure 1: moves 1-3\n\n"},
    {"a line without moves",
     "(;SZ[9]AB[cc]C[problem])",
     {20, false},
     "figure 1: no moves\ncomment 0: problem\n\n"},
    {"a capture, then a move on the taken stone's point",
     "(;SZ[5];B[ba];W[aa];B[ab];W[dd];B[aa])",
     {20, false},
     "figure 1: moves 1-5\n5 at 2\n\n"},
    {"the taken point is free again in the next figure",
     "(;SZ[5];B[ba];W[aa];B[ab];W[dd];B[aa])",
     {3, false},
     "figure 1: moves 1-3\n\nfigure 2: moves 4-5\n\n"},
    {"a long ko against numbered stones and a stone from before",
     kKo,
     {4, false},
     "figure 1: moves 1-4\n2 at B4\n3 at 1\n4 at B4\n\n"
     "figure 2: moves 5-8\n6 at B4\n7 at 5\n8 at B4\n\n"
     "figure 3: moves 9-10\n10 at B4\n\n"},
    {"a stone from before the figure taken and played on",
     kTakenEarlierStone,
     {6, false},
     "figure 1: moves 1-6\n\nfigure 2: moves 7-10\n10 at Q16\n\n"},
    {"passes, empty and off the board",
     "(;B[pd];W[];B[tt];W[dp])",
     {20, false},
     "figure 1: moves 1-4\n2 pass\n3 pass\n\n"},
    {"a comment on the last move of a figure, and one on a node after it",
     "(;C[start];B[aa]C[one];W[bb]C[two];B[cc];W[dd];C[after four];B[ee])",
     {2, false},
     "figure 1: moves 1-2\ncomment 0: start\ncomment 1: one\ncomment 2: two\n\n"
     "figure 2: moves 3-4\ncomment 4: after four\n\n"
     "figure 3: moves 5-5\n\n"},
    {"page type 1 ends a figure at every commented move",
     "(;C[start];B[aa]C[one];W[bb]C[two];B[cc];W[dd];C[after four];B[ee])",
     {20, true},
     "figure 1: moves 1-1\ncomment 0: start\ncomment 1: one\n\n"
     "figure 2: moves 2-2\ncomment 2: two\n\n"
     "figure 3: moves 3-5\ncomment 4: after four\n\n"},
    {"line breaks of every kind in a comment",
     "(;B[aa]C[a\r\nb\rc\nd])",
     {20, false},
     "figure 1: moves 1-1\ncomment 1: a\\nb\\nc\\nd\n\n"},
    {"a handicap, then setup stones inside the line start a figure",
     "(;SZ[9]HA[2]AB[cc][gg];W[ee];B[ec];AE[ee]AW[ge];W[cg];B[eg])",
     {20, false},
     "figure 1: moves 1-2\n\nfigure 2: moves 3-4\n\n"},
};

void PrintTo(const CuttingCase& row, std::ostream* out) {
  *out << row.name;
}

class FigureCutting : public ::testing::TestWithParam<CuttingCase> {};

TEST_P(FigureCutting, FiguresNotesAndCommentsAreAsWrittenByHand) {
  EXPECT_EQ(FiguresOf(GetParam().sgf, GetParam().rules), GetParam().figures);
}

INSTANTIATE_TEST_SUITE_P(Records, FigureCutting, ::testing::ValuesIn(kCuttingCases),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

TEST(Figures, EachFigureStartsFromThePositionBeforeItsFirstMove) {
  const auto root =
      ReadSgfText("(;SZ[9]HA[2]AB[cc][gg];W[ee];B[ec];AE[ee]AW[ge];W[cg];B[eg])").root;
  const std::vector<Figure> figures = CutFigures(*root, LineThrough(*root), {20, false});
  ASSERT_EQ(figures.size(), 2u);
  // The handicap, then the handicap with move 2, the white setup stone and not the erased move 1.
  EXPECT_EQ(figures[0].earlierStones.size(), 2u);
  ASSERT_EQ(figures[1].earlierStones.size(), 4u);
  for (const FigureStone& stone : figures[1].earlierStones) {
    EXPECT_NE(stone.point, (Point{4, 4})) << "the erased stone stays off the figure";
  }
  ASSERT_EQ(figures[1].numberedStones.size(), 2u);
  EXPECT_EQ(figures[1].numberedStones[0].move, 3);
  EXPECT_FALSE(figures[1].numberedStones[0].black);
}

TEST(Figures, AFigureOfMovesIsDrawnOnThePositionBeforeItsFirstMove) {
  const auto root = ReadSgfText(kKo).root;
  const std::vector<const Node*> line = LineThrough(*root);
  const std::optional<Figure> figure = FigureOfMoves(*root, line, 3, 5);
  ASSERT_TRUE(figure);
  EXPECT_EQ(figure->firstMove, 3);
  EXPECT_EQ(figure->lastMove, 5);
  EXPECT_EQ(figure->earlierStones.size(), 7u);
  ASSERT_EQ(figure->numberedStones.size(), 1u);
  EXPECT_EQ(FiguresAsText({*figure}, 5, false), "figure 1: moves 3-5\n4 at B4\n5 at 3\n\n");

  EXPECT_EQ(FigureOfMoves(*root, line, 9, 99)->lastMove, 10);
  EXPECT_FALSE(FigureOfMoves(*root, line, 11, 12));
  EXPECT_FALSE(FigureOfMoves(*root, line, 5, 4));
}

TEST(Figures, TheDiagramShowsEarlierStonesPlainAndTheFiguresOwnNumbered) {
  const auto root = ReadSgfText(kKo).root;
  const std::vector<Figure> figures = CutFigures(*root, LineThrough(*root), {4, false});
  GoBoard board;
  ShowFigure(*root, figures[0], true, board);
  EXPECT_EQ(board.width(), 5);
  const std::uint32_t taken = board.Cell(1, 1);  // B4: white before the figure
  EXPECT_EQ(GoBoard::CellProperty(taken), kPropAW);
  EXPECT_EQ(GoBoard::CellMoveNumber(taken), 0);
  const std::uint32_t first = board.Cell(2, 1);
  EXPECT_EQ(GoBoard::CellProperty(first), kPropB);
  EXPECT_EQ(GoBoard::CellMoveNumber(first), 1);
  EXPECT_EQ(board.OverlayAt(2, 1).markup, OverlayEntry::Triangle);
  EXPECT_EQ(board.OverlayAt(0, 0).label, u"x");
  EXPECT_EQ(board.lastMove(), Point{});

  ShowFigure(*root, figures[0], false, board);
  EXPECT_EQ(board.OverlayAt(2, 1).markup, OverlayEntry::None);
  // The next figure has no marks of its own.
  ShowFigure(*root, figures[1], true, board);
  EXPECT_EQ(board.OverlayAt(0, 0).markup, OverlayEntry::None);
}

TEST(Figures, TheLineGoesThroughTheTreeThenDownTheFirstVariations) {
  const auto root = ReadSgfText("(;B[aa](;W[bb];B[cc])(;W[dd](;B[ee];W[ff])(;B[gg])))").root;
  const GameTree& second = *root->ChildAt(1);
  std::string moves;
  for (const Node* node : LineThrough(second)) {
    if (const Property* move = node->FindMove()) moves += DisplayValue(*move).front();
  }
  EXPECT_EQ(moves, std::string("adef"));
  EXPECT_EQ(LineThrough(*root).size(), 3u);
}

}  // namespace
}  // namespace vantaro
