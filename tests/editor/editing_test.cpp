#include "editor_fixture.h"

namespace vantaro::test {
namespace {

class EditingTest : public EditorTest {
 protected:
  // Runs the edit, then checks that undo gives back the record and redo the edit.
  void ExpectUndoable(const std::function<bool()>& edit, const std::string& expected) {
    const std::string before = Sgf();
    const std::string where = Where();
    ASSERT_TRUE(edit());
    const std::string after = Sgf();
    EXPECT_EQ(after, expected);
    ASSERT_TRUE(editor().Undo());
    EXPECT_EQ(Sgf(), before);
    EXPECT_EQ(Where(), where);
    ASSERT_TRUE(editor().Redo());
    EXPECT_EQ(Sgf(), after);
  }
};

TEST_F(EditingTest, ClickingTheNextMoveFollowsItEvenReadOnly) {
  GoEditor& editor = Open("(;SZ[9];B[cc];W[dd])");
  editor.SetReadOnly(true);
  editor.Click({2, 2});
  EXPECT_EQ(Where(), "/1");
  editor.Click({5, 5});  // not allowed to play here
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc];W[dd])");
  EXPECT_EQ(editor.undoCount(), 0);
}

TEST_F(EditingTest, MovesAtTheEndExtendTheLine) {
  Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  ExpectUndoable([&] { return editor().PlayMove({3, 3}, true); }, "(;SZ[9]\r\n;B[cc];W[dd])");
  EXPECT_EQ(Where(), "/2");
}

// The rules have no ko, and records contain immediate retakes.
TEST_F(EditingTest, AKoCaptureAndTheImmediateRetakeAreBothPlayed) {
  GoEditor& editor = Open("(;SZ[5]AB[ab][ba][bc][cb]AW[ca][cc][db])");
  const std::string capture =
      ".XO..\n"
      "XO.O.\n"
      ".XO..\n"
      ".....\n"
      ".....\n";
  ASSERT_TRUE(editor.PlayMove({1, 1}, true));
  EXPECT_EQ(BoardRows(editor), capture);
  EXPECT_EQ(editor.removedByLastMove(), 1);
  ASSERT_TRUE(editor.PlayMove({2, 1}, false));
  EXPECT_EQ(BoardRows(editor),
            ".XO..\n"
            "X.XO.\n"
            ".XO..\n"
            ".....\n"
            ".....\n");
  EXPECT_EQ(editor.removedByLastMove(), 1);
  ASSERT_TRUE(editor.PlayMove({1, 1}, true));
  EXPECT_EQ(BoardRows(editor), capture);
  EXPECT_EQ(Sgf(), "(;AB[ab][ba][bc][cb]AW[ca][cc][db]SZ[5]\r\n;W[bb];B[cb];W[bb])");
}

TEST_F(EditingTest, AutoBranchMakesVariations) {
  Open("(;SZ[9];B[cc];W[dd](;B[ee]))");
  options_.autoBranch = true;
  GoTo({{}, 2});
  ExpectUndoable(
      [&] {
        return editor().PlayMove({5, 5}, false);
      },
      "(;SZ[9]\r\n;B[cc];W[dd]\r\n(;B[ee])\r\n(;B[ff]))");
  GoTo({{}, 1});
  ExpectUndoable(
      [&] {
        return editor().PlayMove({6, 6}, true);
      },
      "(;SZ[9]\r\n;B[cc]\r\n(;W[dd]\r\n(;B[ee])\r\n(;B[ff]))\r\n(;W[gg]))");
  EXPECT_EQ(Where(), "1/0");
}

TEST_F(EditingTest, WithoutAutoBranchAMoveIsInsertedIntoTheSequence) {
  Open("(;SZ[9];B[cc];W[dd])");
  options_.autoBranch = false;
  GoTo({{}, 1});
  ExpectUndoable([&] { return editor().PlayMove({5, 5}, true); }, "(;SZ[9]\r\n;B[cc];W[ff];W[dd])");
}

TEST_F(EditingTest, AMoveNeverGoesIntoTheRootNode) {
  Open("(;SZ[9])");
  options_.autoBranch = false;
  ExpectUndoable([&] { return editor().PlayMove({2, 2}, false); }, "(;SZ[9]\r\n;B[cc])");
}

TEST_F(EditingTest, IllegalMovesAreRefused) {
  GoEditor& editor = Open("(;SZ[9];B[ba];B[ab];W[dd])");
  GoTo({{}, 3});
  EXPECT_FALSE(editor.PlayMove({3, 3}, false));  // occupied
  EXPECT_FALSE(editor.PlayMove({0, 0}, true));   // suicide
  EXPECT_FALSE(editor.PlayMove({9, 0}, true));   // off the board
  EXPECT_TRUE(editor.PlayMove({-1, -1}, true));  // a pass
  EXPECT_EQ(editor.CurrentNode()->FindMove()->point(), Point{});
}

TEST_F(EditingTest, SetupStonesFollowTheirPlacementRules) {
  GoEditor& editor = Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  editor.ChooseTool(Tool::AddBlack);
  editor.Click({2, 2});  // occupied: nothing
  EXPECT_EQ(editor.undoCount(), 0);
  editor.ChooseTool(Tool::AddEmpty);
  editor.Click({4, 4});  // empty: nothing
  EXPECT_EQ(editor.undoCount(), 0);
  editor.ChooseTool(Tool::AddBlack);
  // A move node takes setup stones into a new node.
  ExpectUndoable(
      [&] {
        editor.Click({4, 4});
        return true;
      },
      "(;SZ[9]\r\n;B[cc];AB[ee])");
  editor.ChooseTool(Tool::AddEmpty);
  editor.Click({4, 4});
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc];AE[ee])");  // one setup property per point
  editor.ChooseTool(Tool::AddWhite);
  editor.Click({4, 4});  // the AE emptied it; an AW replaces the AE
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc];AW[ee])");
  editor.ChooseTool(Tool::AddBlack);
  editor.Click({4, 4});  // an AB or AW there: removed
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc];N[])");
}

TEST_F(EditingTest, MarkersReplaceEachOtherAndToggle) {
  GoEditor& editor = Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  editor.ChooseTool(Tool::Triangle);
  editor.Click({3, 3});
  editor.ChooseTool(Tool::Circle);
  EXPECT_EQ(options_.defaultMarker, static_cast<int>(Tool::Circle));
  editor.Click({3, 3});
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc]CR[dd])");
  editor.Click({3, 3});
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc])");
  editor.ChooseTool(Tool::Circle);  // chosen again: back to moves
  EXPECT_EQ(editor.tool(), Tool::AlternateMove);
  const bool black = editor.blackToPlay();
  editor.ChooseTool(Tool::AlternateMove);
  EXPECT_NE(editor.blackToPlay(), black);
}

TEST_F(EditingTest, LabelsCountUpFromTheGreatest) {
  GoEditor& editor = Open("(;SZ[9];B[cc]LB[aa:A][bb:C])");
  GoTo({{}, 1});
  editor.ChooseTool(Tool::Label);
  editor.Click({3, 3});
  EXPECT_EQ(editor.CurrentNode()->properties().back().text(), u"D");
  editor.Click({3, 3});  // a label there: removed
  Open("(;SZ[9];B[cc]LB[aa:Z])");
  GoTo({{}, 1});
  editor_->AddLabel({4, 4});
  EXPECT_EQ(editor_->CurrentNode()->properties().back().text(), u"[");
  Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  editor_->AddLabel({4, 4});
  EXPECT_EQ(editor_->CurrentNode()->properties().back().text(), u"A");
}

TEST_F(EditingTest, DeleteMarkersRemovesSetupAndMarkupAtThePoint) {
  Open("(;SZ[9];AB[dd]CR[dd]TR[ee]C[x])");
  GoTo({{}, 1});
  editor().ChooseTool(Tool::DeleteMarkers);
  ExpectUndoable([&] { return editor().RemoveMarkup({3, 3}); }, "(;SZ[9]\r\n;TR[ee]C[x])");
  EXPECT_FALSE(editor().RemoveMarkup({6, 6}));
}

TEST_F(EditingTest, DeleteANodeOrAVariation) {
  Open("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd];W[ee]))");
  EXPECT_FALSE(editor().CanDelete());  // the root node
  GoTo({{}, 2});
  ExpectUndoable([&] { return editor().Delete(); },
                 "(;SZ[9]\r\n;B[aa]\r\n(;B[cc])\r\n(;B[dd];W[ee]))");
  EXPECT_EQ(Where(), "/1");
  editor().Undo();
  // A variation without continuations goes; its only sibling joins the parent.
  GoTo({{0}, 0});
  options_.mergeIfOnlyOneChild = true;
  ExpectUndoable([&] { return editor().Delete(); }, "(;SZ[9]\r\n;B[aa];W[bb];B[dd];W[ee])");
  EXPECT_EQ(Where(), "/2");
}

TEST_F(EditingTest, UndoingTheDeletionOfAMiddleNodePutsItBackInItsPlace) {
  Open("(;SZ[9];B[aa];W[bb];B[cc];W[dd])");
  GoTo({{}, 2});
  ExpectUndoable([&] { return editor().Delete(); }, "(;SZ[9]\r\n;B[aa];B[cc];W[dd])");
  EXPECT_EQ(Where(), "/1");
}

TEST_F(EditingTest, DeletingTheStartOfAVariationWithContinuationsKeepsTheFirstOne) {
  Open("(;SZ[9];B[aa](;W[bb](;B[cc])(;B[dd]))(;W[ee]))");
  GoTo({{0}, 0});
  ExpectUndoable([&] { return editor().Delete(); }, "(;SZ[9]\r\n;B[aa]\r\n(;B[cc])\r\n(;W[ee]))");
  EXPECT_EQ(Where(), "0/0");
}

TEST_F(EditingTest, DeleteAfterCurrentCutsEverythingBelow) {
  Open("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd]))\n(;C[second game])");
  GoTo({{}, 1});
  ExpectUndoable([&] { return editor().DeleteAfterCurrent(); },
                 "(;SZ[9]\r\n;B[aa])\n(;C[second game])");
  EXPECT_EQ(Where(), "/1");
  EXPECT_FALSE(editor().DeleteAfterCurrent());
}

TEST_F(EditingTest, AddBranchSplitsOrAppends) {
  Open("(;SZ[9];B[aa];W[bb])");
  GoTo({{}, 1});
  ExpectUndoable([&] { return editor().AddBranch(); }, "(;SZ[9]\r\n;B[aa]\r\n(;W[bb])\r\n(;N[]))");
  EXPECT_EQ(Where(), "1/0");
}

TEST_F(EditingTest, NamesCommentsAndTheirRemoval) {
  Open("(;SZ[9];B[aa])");
  GoTo({{}, 1});
  ExpectUndoable([&] { return editor().SetNodeName(u"key move"); },
                 "(;SZ[9]\r\n;B[aa]N[key move])");
  EXPECT_EQ(editor().NodeName(), u"key move");
  EXPECT_FALSE(editor().SetNodeName(u"key move"));  // no change, no step
  ExpectUndoable([&] { return editor().SetNodeName(u""); }, "(;SZ[9]\r\n;B[aa])");
  EXPECT_FALSE(editor().SetNodeName(u""));
  ExpectUndoable([&] { return editor().SetComment(u"line\r\nnext"); },
                 "(;SZ[9]\r\n;B[aa]C[line\r\nnext])");
  EXPECT_EQ(editor().Comment(), u"line\r\nnext");
}

TEST_F(EditingTest, MoveNumbers) {
  Open("(;SZ[9];B[aa];C[x])");
  GoTo({{}, 1});
  EXPECT_EQ(editor().SuggestedMoveNumber(), 1);
  GoTo({{}, 2});
  EXPECT_EQ(editor().SuggestedMoveNumber(), 2);
  EXPECT_FALSE(editor().CanUnsetMoveNumber());
  ExpectUndoable([&] { return editor().SetMoveNumber(40); }, "(;SZ[9]\r\n;B[aa];MN[40]C[x])");
  ExpectUndoable([&] { return editor().UnsetMoveNumber(); }, "(;SZ[9]\r\n;B[aa];C[x])");
}

TEST_F(EditingTest, AutoSetAndUnsetAllMoveNumbers) {
  std::string sgf = "(;SZ[19]";
  for (int i = 0; i < 6; ++i)
    sgf += std::string(";") + (i % 2 ? "W" : "B") + "[" + char('a' + i) + "a]";
  sgf += ";C[after](;B[ab])(;B[bb];W[cb]))";
  Open(sgf);
  GoTo({{1}, 0});
  ExpectUndoable([&] { return editor().AutoSetMoveNumbers(3); },
                 "(;SZ[19]\r\n;B[aa];W[ba];B[ca];W[da]MN[1];B[ea];W[fa];C[after]\r\n"
                 "(;B[ab]MN[1])\r\n(;B[bb]MN[1];W[cb]))");
  EXPECT_EQ(Where(), "1/0");  // the cursor keeps its path
  ExpectUndoable([&] { return editor().UnsetAllMoveNumbers(); },
                 "(;SZ[19]\r\n;B[aa];W[ba];B[ca];W[da];B[ea];W[fa];C[after]\r\n"
                 "(;B[ab])\r\n(;B[bb];W[cb]))");
}

TEST_F(EditingTest, NothingChangesWhileEditingIsNotAllowed) {
  GoEditor& editor = Open("(;SZ[9];B[aa])");
  GoTo({{}, 1});
  editor.SetReadOnly(true);
  EXPECT_FALSE(editor.PlayMove({4, 4}, true));
  EXPECT_FALSE(editor.Pass());
  EXPECT_FALSE(editor.AddBranch());
  EXPECT_FALSE(editor.SetComment(u"x"));
  EXPECT_FALSE(editor.DeleteAfterCurrent());
  EXPECT_FALSE(editor.CanDelete());
  EXPECT_FALSE(editor.CanSetMoveNumber());
  EXPECT_FALSE(editor.AutoSetMoveNumbers(5));
  editor.SetReadOnly(false);
  editor.StartToClicked();
  EXPECT_FALSE(editor.EditAllowed());
}

}  // namespace
}  // namespace vantaro::test
