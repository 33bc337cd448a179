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

TEST_F(NavigationTest, VariantFirstEntersVariationsBeforeTheMainLine) {
  GoEditor& editor = Open("(;C[r](;B[aa])(;B[bb]))");
  options_.variantBranchFirst = true;
  editor.Next(1);
  EXPECT_EQ(Where(), "1/0");
  editor.First();
  options_.variantBranchFirst = false;
  editor.Next(1);
  EXPECT_EQ(Where(), "0/0");

  Open("(;C[r](;B[aa]))");
  options_.variantBranchFirst = true;
  editor_->Next(1);
  EXPECT_EQ(Where(), "0/0");
}

TEST_F(NavigationTest, TheMainLineDoesNotRunIntoSiblingsOutsideBranchMode) {
  GoEditor& editor = Open("(;C[r](;B[aa])(;B[bb]))");
  options_.variantBranchFirst = false;
  options_.canGoSibling = true;
  editor.Next(1);
  EXPECT_EQ(Where(), "0/0");
  EXPECT_FALSE(editor.CanNext());
}

TEST_F(NavigationTest, LeavesContinueInTheNextSiblingVariation) {
  GoEditor& editor = Open("(;C[r](;B[aa])(;B[bb];W[cc](;B[dd])(;B[ee])(;B[ff])))");
  options_.variantBranchFirst = false;
  options_.canGoSibling = true;
  GoTo({{1, 1}, 0});
  editor.Next(1);
  EXPECT_EQ(Where(), "1.2/0");
  editor.Next(1);
  EXPECT_EQ(Where(), "1.0/0");
  options_.canGoSibling = false;
  EXPECT_FALSE(editor.Next(1));
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

TEST_F(NavigationTest, UpAsPreviousFollowsThePath) {
  GoEditor& editor = Open("(;C[r](;B[aa])(;B[bb]))");
  options_.variantBranchFirst = true;
  GoTo({{0}, 0});
  editor.Previous(1);  // backward through the variant-first order: the last variation
  EXPECT_EQ(Where(), "1/0");
  GoTo({{0}, 0});
  options_.useGoUpAsPrevious = true;
  editor.Previous(1);
  EXPECT_EQ(Where(), "/0");
}

}  // namespace
}  // namespace vantaro::test
