#include "editor_fixture.h"

namespace vantaro::test {
namespace {

class NavigationTest : public EditorTest {};

TEST_F(NavigationTest, NextStopsAtTheEndAndFastForwardStopsThere) {
  GoEditor& editor = Open("(;C[r];B[aa];W[bb];B[cc];W[dd])");
  GoTo({{}, 4});
  EXPECT_FALSE(editor.CanNext());
  EXPECT_FALSE(editor.Next(1));
  GoTo({{}, 2});
  EXPECT_TRUE(editor.Next(5));
  EXPECT_EQ(Where(), "/4");
  GoTo({{}, 2});
  EXPECT_TRUE(editor.Previous(5));
  EXPECT_EQ(Where(), "/0");
  EXPECT_FALSE(editor.CanPrevious());
}

// Where one step of Next (or Previous) leads under the settings that choose
// between the main line, variations and sibling lines.
TEST_F(NavigationTest, OneStepFollowsTheSettings) {
  const struct {
    const char* sgf;
    bool variantFirst, canGoSibling, upAsPrevious, previous;
    TreePath from;
    const char* where;  // "-" when the step is refused
  } cases[] = {
      {"(;C[r](;B[aa])(;B[bb]))", true, false, false, false, {{}, 0}, "1/0"},
      {"(;C[r](;B[aa])(;B[bb]))", false, false, false, false, {{}, 0}, "0/0"},
      {"(;C[r](;B[aa]))", true, false, false, false, {{}, 0}, "0/0"},
      // The main line does not run into siblings outside branch mode.
      {"(;C[r](;B[aa])(;B[bb]))", false, true, false, false, {{0}, 0}, "-"},
      // Leaves continue in the next sibling variation, and wrap around.
      {"(;C[r](;B[aa])(;B[bb];W[cc](;B[dd])(;B[ee])(;B[ff])))", false, true, false, false,
       {{1, 1}, 0}, "1.2/0"},
      {"(;C[r](;B[aa])(;B[bb];W[cc](;B[dd])(;B[ee])(;B[ff])))", false, true, false, false,
       {{1, 2}, 0}, "1.0/0"},
      {"(;C[r](;B[aa])(;B[bb];W[cc](;B[dd])(;B[ee])(;B[ff])))", false, false, false, false,
       {{1, 1}, 0}, "-"},
      // Backward through the variant-first order: the last variation; or up the path.
      {"(;C[r](;B[aa])(;B[bb]))", true, true, false, true, {{0}, 0}, "1/0"},
      {"(;C[r](;B[aa])(;B[bb]))", true, true, true, true, {{0}, 0}, "/0"},
  };
  for (const auto& c : cases) {
    GoEditor& editor = Open(c.sgf);
    options_.variantBranchFirst = c.variantFirst;
    options_.canGoSibling = c.canGoSibling;
    options_.useGoUpAsPrevious = c.upAsPrevious;
    GoTo(c.from);
    const std::string from = Where();
    const bool moved = c.previous ? editor.Previous(1) : editor.Next(1);
    EXPECT_EQ(moved ? Where() : "-", c.where) << c.sgf << " from " << from;
  }
}

// With the settings as they come, Next and Previous follow the line being
// read: the first variation at a fork, never into a sibling line.
TEST_F(NavigationTest, ByDefaultTheStepsFollowTheLineBeingRead) {
  const std::string sgf = "(;C[r](;B[aa])(;B[bb];W[cc](;B[dd])(;B[ee])))";
  GoEditor& editor = Open(sgf);
  EXPECT_TRUE(editor.Next(1));
  EXPECT_EQ(Where(), "0/0");
  GoTo({{1}, 1});
  EXPECT_TRUE(editor.Next(1));
  EXPECT_EQ(Where(), "1.0/0");
  EXPECT_FALSE(editor.Next(1));  // a leaf: no jump into the next line
  GoTo({{1, 1}, 0});
  EXPECT_TRUE(editor.Previous(1));
  EXPECT_EQ(Where(), "1/1");
}

TEST_F(NavigationTest, BranchCommands) {
  GoEditor& editor = Open("(;C[r];B[aa];W[bb](;B[cc];W[dd])(;B[ee]))");
  GoTo({{}, 1});
  EXPECT_TRUE(editor.Child());  // from the middle of a sequence
  EXPECT_EQ(Where(), "0/0");
  EXPECT_TRUE(editor.CanBranchEnd());
  EXPECT_TRUE(editor.BranchEnd());
  EXPECT_FALSE(editor.CanBranchEnd());
  EXPECT_TRUE(editor.NextBranch());
  EXPECT_EQ(Where(), "1/0");
  EXPECT_FALSE(editor.CanNextBranch());
  EXPECT_FALSE(editor.CanBranchStart());
  EXPECT_TRUE(editor.PrevBranch());
  EXPECT_TRUE(editor.Parent());
  EXPECT_EQ(Where(), "/2");
  EXPECT_FALSE(editor.CanParent());
  EXPECT_TRUE(editor.Last());
  EXPECT_EQ(Where(), "0/1");
  EXPECT_FALSE(editor.Last());
}

TEST_F(NavigationTest, CommentSearchesWrapAround) {
  GoEditor& editor = Open("(;C[r];B[aa];W[bb]C[x](;B[cc])(;B[dd]C[y]))");
  options_.variantBranchFirst = false;
  editor.NextComment();
  EXPECT_EQ(Where(), "/2");
  editor.NextComment();
  EXPECT_EQ(Where(), "1/0");
  editor.NextComment();
  EXPECT_EQ(Where(), "/0");
  editor.PrevComment();
  EXPECT_EQ(Where(), "1/0");
}

TEST_F(NavigationTest, ToMoveNumberFindsTheNodeThatPlayedTheMove) {
  GoEditor& editor = Open("(;B[aa];W[bb];B[cc];C[setup]AB[dd](;W[ee];B[ff])(;W[gg]))");
  GoTo({{}, 3});  // a node without a move, after move 3
  editor.ToMoveNumber(2);
  EXPECT_EQ(Where(), "/1");
  editor.ToMoveNumber(5);
  EXPECT_EQ(Where(), "0/1");
  GoTo({{1}, 0});
  editor.ToMoveNumber(1);
  EXPECT_EQ(Where(), "/0");
  EXPECT_FALSE(editor.ToMoveNumber(0));
  EXPECT_FALSE(editor.ToMoveNumber(1));
}

TEST_F(NavigationTest, ToClickedFindsTheStoneOfThePoint) {
  GoEditor& editor = Open("(;SZ[9]AB[ii];B[aa];W[bb];B[cc](;W[dd])(;W[ee]))");
  GoTo({{}, 3});
  editor.StartToClicked();
  EXPECT_FALSE(editor.Navigable());
  EXPECT_FALSE(editor.CanNext());
  editor.Click({20, 20});  // off the board: still waiting
  EXPECT_EQ(editor.mode(), EditorMode::AwaitingClick);
  editor.Click({1, 1});
  EXPECT_EQ(Where(), "/2");
  EXPECT_EQ(editor.mode(), EditorMode::Normal);
  editor.StartToClicked();
  editor.Click({4, 4});
  EXPECT_EQ(Where(), "1/0");
  editor.StartToClicked();
  editor.Click({8, 8});
  EXPECT_EQ(Where(), "/0");
  editor.StartToClicked();
  editor.Click({7, 7});  // nothing there: the cursor stays
  EXPECT_EQ(Where(), "/0");
  EXPECT_EQ(editor.mode(), EditorMode::Normal);
}

TEST_F(NavigationTest, BackAndForwardRetraceTheCursor) {
  GoEditor& editor = Open("(;B[aa];W[bb];B[cc])");
  editor.Next(1);
  editor.Next(1);
  EXPECT_TRUE(editor.GoBack());
  EXPECT_EQ(Where(), "/1");
  EXPECT_TRUE(editor.GoBack());
  EXPECT_FALSE(editor.CanGoBack());
  EXPECT_TRUE(editor.GoForward());
  EXPECT_EQ(Where(), "/1");
  editor.Last();  // a new step forgets the forward entries
  EXPECT_FALSE(editor.CanGoForward());
  editor.SetComment(u"an edit");
  EXPECT_FALSE(editor.CanGoBack());
}

TEST_F(NavigationTest, TheThousandAndFirstStepForgetsTheOldestHalf) {
  GoEditor& editor = Open("(;B[aa];W[bb])");
  for (int i = 0; i < 1001; ++i) i % 2 ? editor.First() : editor.Next(1);
  EXPECT_EQ(editor.navigationCount(), 501);
  EXPECT_EQ(editor.navigationIndex(), 500);
}

}  // namespace
}  // namespace vantaro::test
