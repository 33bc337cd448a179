#include "editor_fixture.h"

namespace vantaro::test {
namespace {

class EditingTest : public EditorTest {
 protected:
  // Opens the record at the path and runs the edit; then checks the edited
  // record and the cursor, that undo gives back the record byte for byte
  // with the cursor where it was, and that redo gives the edited record.
  void ExpectEdit(const std::string& sgf, const TreePath& at, const std::function<bool()>& edit,
                  const std::string& edited, const std::string& where) {
    SCOPED_TRACE(sgf);
    Open(sgf);
    GoTo(at);
    const std::string before = Sgf();
    const std::string from = Where();
    ASSERT_TRUE(edit());
    EXPECT_EQ(Sgf(), edited);
    EXPECT_EQ(Where(), where);
    ASSERT_TRUE(editor().Undo());
    EXPECT_EQ(Sgf(), before);
    EXPECT_EQ(Where(), from);
    ASSERT_TRUE(editor().Redo());
    EXPECT_EQ(Sgf(), edited);
  }
  // Opens the record at the end of its first sequence and checks that the
  // edit is refused and leaves no trace.
  void ExpectRefused(const std::string& sgf, const std::function<bool()>& edit) {
    SCOPED_TRACE(sgf);
    Open(sgf);
    GoTo({{}, editor().recordRoot()->NodeCount() - 1});
    const std::string before = Sgf();
    EXPECT_FALSE(edit());
    EXPECT_EQ(Sgf(), before);
    EXPECT_FALSE(editor().CanUndo());
  }
};

TEST_F(EditingTest, AMoveGoesWhereAutoBranchSays) {
  const auto move = [this](Point point, bool white, bool autoBranch) {
    return [=, this] {
      options_.autoBranch = autoBranch;
      return editor().PlayMove(point, white);
    };
  };
  ExpectEdit("(;SZ[9];B[cc])", {{}, 1}, move({3, 3}, true, true), "(;SZ[9]\r\n;B[cc];W[dd])", "/2");
  // At the end of a sequence with variations: a new last variation.
  ExpectEdit("(;SZ[9];B[cc];W[dd](;B[ee]))", {{}, 2}, move({5, 5}, false, true),
             "(;SZ[9]\r\n;B[cc];W[dd]\r\n(;B[ee])\r\n(;B[ff]))", "1/0");
  // In the middle: the sequence splits, the old continuation first in its former order.
  ExpectEdit("(;SZ[9];B[aa];W[bb];B[cc](;W[dd])(;W[ee]))", {{}, 1}, move({5, 5}, true, true),
             "(;SZ[9]\r\n;B[aa]\r\n(;W[bb];B[cc]\r\n(;W[dd])\r\n(;W[ee]))\r\n(;W[ff]))", "1/0");
  ExpectEdit("(;SZ[9];B[cc];W[dd])", {{}, 1}, move({5, 5}, true, false),
             "(;SZ[9]\r\n;B[cc];W[ff];W[dd])", "/2");
  // Never into the root node.
  ExpectEdit("(;SZ[9])", {{}, 0}, move({2, 2}, false, false), "(;SZ[9]\r\n;B[cc])", "/1");
  ExpectEdit(
      "(;SZ[9];B[cc])", {{}, 1}, [this] { return editor().Pass(); }, "(;SZ[9]\r\n;B[cc];W[])",
      "/2");
}

TEST_F(EditingTest, DeletingNodesVariationsAndWhatFollows) {
  const auto remove = [this] { return editor().Delete(); };
  ExpectEdit("(;SZ[9];B[aa];W[bb];B[cc];W[dd])", {{}, 2}, remove, "(;SZ[9]\r\n;B[aa];B[cc];W[dd])",
             "/1");
  ExpectEdit("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd];W[ee]))", {{}, 2}, remove,
             "(;SZ[9]\r\n;B[aa]\r\n(;B[cc])\r\n(;B[dd];W[ee]))", "/1");
  // The start of a variation with continuations: the first continuation takes its place.
  ExpectEdit("(;SZ[9];B[aa](;W[bb](;B[cc])(;B[dd]))(;W[ee]))", {{0}, 0}, remove,
             "(;SZ[9]\r\n;B[aa]\r\n(;B[cc])\r\n(;W[ee]))", "0/0");
  // A variation without continuations goes; its only sibling joins the parent.
  options_.mergeIfOnlyOneChild = true;
  ExpectEdit("(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd];W[ee]))", {{0}, 0}, remove,
             "(;SZ[9]\r\n;B[aa];W[bb];B[dd];W[ee])", "/2");
  ExpectEdit(
      "(;SZ[9];B[aa];W[bb](;B[cc])(;B[dd]))", {{}, 1},
      [this] { return editor().DeleteAfterCurrent(); }, "(;SZ[9]\r\n;B[aa])", "/1");
  ExpectEdit(
      "(;SZ[9];AB[dd]CR[dd]TR[ee]C[x])", {{}, 1},
      [this] {
        return editor().RemoveMarkup({3, 3});
      },
      "(;SZ[9]\r\n;TR[ee]C[x])", "/1");
}

TEST_F(EditingTest, BranchesNamesCommentsAndMoveNumbers) {
  ExpectEdit(
      "(;SZ[9];B[aa];W[bb])", {{}, 1}, [this] { return editor().AddBranch(); },
      "(;SZ[9]\r\n;B[aa]\r\n(;W[bb])\r\n(;N[]))", "1/0");
  ExpectEdit(
      "(;SZ[9];B[aa])", {{}, 1}, [this] { return editor().SetNodeName(u"key move"); },
      "(;SZ[9]\r\n;B[aa]N[key move])", "/1");
  ExpectEdit(
      "(;SZ[9];B[aa]N[key])", {{}, 1}, [this] { return editor().SetNodeName(u""); },
      "(;SZ[9]\r\n;B[aa])", "/1");
  ExpectEdit(
      "(;SZ[9];B[aa])", {{}, 1}, [this] { return editor().SetComment(u"line\r\nnext"); },
      "(;SZ[9]\r\n;B[aa]C[line\r\nnext])", "/1");
  ExpectEdit(
      "(;SZ[9];B[aa];C[x])", {{}, 2}, [this] { return editor().SetMoveNumber(40); },
      "(;SZ[9]\r\n;B[aa];MN[40]C[x])", "/2");
  ExpectEdit(
      "(;SZ[9];B[aa];MN[40]C[x])", {{}, 2}, [this] { return editor().UnsetMoveNumber(); },
      "(;SZ[9]\r\n;B[aa];C[x])", "/2");
  // Every third move, and the move-less node after one; the cursor keeps its path.
  ExpectEdit(
      "(;SZ[19];B[aa];W[ba];B[ca];W[da];B[ea];W[fa];C[after](;B[ab])(;B[bb];W[cb]))", {{1}, 0},
      [this] { return editor().AutoSetMoveNumbers(3); },
      "(;SZ[19]\r\n;B[aa];W[ba];B[ca];W[da]MN[1];B[ea];W[fa];C[after]\r\n"
      "(;B[ab]MN[1])\r\n(;B[bb]MN[1];W[cb]))",
      "1/0");
  ExpectEdit(
      "(;SZ[9];B[aa]MN[5];W[ba](;B[ab]MN[1])(;B[bb];W[cb]MN[9]))", {{1}, 1},
      [this] { return editor().UnsetAllMoveNumbers(); },
      "(;SZ[9]\r\n;B[aa];W[ba]\r\n(;B[ab])\r\n(;B[bb];W[cb]))", "1/1");
}

TEST_F(EditingTest, EditsThatWouldChangeNothingAreRefused) {
  ExpectRefused("(;SZ[9];B[dd])", [this] { return editor().PlayMove({3, 3}, true); });
  ExpectRefused("(;SZ[9];B[ba];B[ab])", [this] { return editor().PlayMove({0, 0}, true); });
  ExpectRefused("(;SZ[9];B[aa])", [this] { return editor().PlayMove({9, 0}, true); });
  ExpectRefused("(;SZ[9])", [this] { return editor().Delete(); });
  ExpectRefused("(;SZ[9];B[aa])", [this] { return editor().DeleteAfterCurrent(); });
  ExpectRefused("(;SZ[9];B[aa]CR[bb])", [this] { return editor().RemoveMarkup({6, 6}); });
  ExpectRefused("(;SZ[9];B[aa]N[key])", [this] { return editor().SetNodeName(u"key"); });
  ExpectRefused("(;SZ[9];B[aa])", [this] { return editor().SetNodeName(u""); });
  ExpectRefused("(;SZ[9];B[aa])", [this] { return editor().UnsetMoveNumber(); });
  // Add Black on a stone, Add Empty on an empty point.
  ExpectRefused("(;SZ[9];B[cc])", [this] {
    editor().ChooseTool(Tool::AddBlack);
    editor().Click({2, 2});
    editor().ChooseTool(Tool::AddEmpty);
    editor().Click({4, 4});
    return editor().CanUndo();
  });
  ExpectRefused("(;SZ[9];B[aa])", [this] {
    GoEditor& e = editor();
    e.SetReadOnly(true);
    const GameInfoEdit name{"PB", u"Ren"};
    return e.PlayMove({4, 4}, true) || e.Pass() || e.AddBranch() || e.SetComment(u"x") ||
           e.DeleteAfterCurrent() || e.CanDelete() || e.CanSetMoveNumber() ||
           e.AutoSetMoveNumbers(5) || e.SetGameInformation({&name, 1});
  });
  // Game information: the same value, a refused one (which refuses the
  // others with it) and a property that is not game information.
  ExpectRefused("(;PB[Aoi]KM[6.5];B[aa])", [this] {
    const GameInfoEdit same[] = {{"PB", u"Aoi"}, {"KM", u"6.5"}, {"PW", u""}};
    const GameInfoEdit refused[] = {{"PW", u"Ren"}, {"HA", u"1"}};
    const GameInfoEdit comment[] = {{"C", u"x"}};
    return editor().SetGameInformation(same) || editor().SetGameInformation(refused) ||
           editor().SetGameInformation(comment);
  });
  ExpectRefused("(;SZ[9];B[aa])", [this] {
    editor().StartToClicked();
    return editor().EditAllowed() || editor().SetComment(u"x");
  });
}

// Every field the dialog's OK stores is one step, from wherever the cursor
// is: an emptied field removes its property, a value kept as the record
// holds it stays byte for byte, numbers are stored as numbers.
TEST_F(EditingTest, GameInformationIsStoredOnTheFirstNodeAsOneStep) {
  ExpectEdit(
      "(;PB[Aoi]KM[abc]DT[someday]RU[Japanese]XX[y];B[aa];W[bb])", {{}, 2},
      [this] {
        const GameInfoEdit edits[] = {
            {"PB", u""},    {"PW", u"Ren"},     {"DT", u"2024-03-05,06"}, {"KM", u"abc"},
            {"HA", u" 2 "}, {"RU", u"Chinese"}, {"ON", u"Low Chinese"}};
        return editor().SetGameInformation(edits);
      },
      "(;RU[Chinese]XX[y]ON[Low Chinese]DT[2024-03-05,06]PW[Ren]KM[abc]HA[2]\r\n;B[aa];W[bb])",
      "/2");
  ExpectEdit(
      "(;KM[abc])", {{}, 0},
      [this] {
        const GameInfoEdit komi{"KM", u" 7.5 "};
        return editor().SetGameInformation({&komi, 1});
      },
      "(;KM[7.500000]\r\n)", "/0");
}

TEST_F(EditingTest, ClickingTheNextMoveFollowsItEvenReadOnly) {
  GoEditor& editor = Open("(;SZ[9];B[cc];W[dd])");
  editor.SetReadOnly(true);
  editor.Click({2, 2});
  EXPECT_EQ(Where(), "/1");
  editor.Click({5, 5});  // not allowed to play here
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc];W[dd])");
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(EditingTest, SetupStonesKeepOnePropertyPerPoint) {
  GoEditor& editor = Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  const auto click = [&](Tool tool) {
    editor.ChooseTool(tool);
    editor.Click({4, 4});
    return Sgf();
  };
  // A move node takes setup stones into a new node.
  EXPECT_EQ(click(Tool::AddBlack), "(;SZ[9]\r\n;B[cc];AB[ee])");
  EXPECT_EQ(click(Tool::AddEmpty), "(;SZ[9]\r\n;B[cc];AE[ee])");
  EXPECT_EQ(click(Tool::AddWhite), "(;SZ[9]\r\n;B[cc];AW[ee])");
  EXPECT_EQ(click(Tool::AddBlack), "(;SZ[9]\r\n;B[cc];N[])");  // a setup stone there: removed
}

TEST_F(EditingTest, AMarkerReplacesAnotherAndTogglesOff) {
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
}

TEST_F(EditingTest, LabelsCountUpFromTheGreatestWithoutWrappingAround) {
  for (const auto& [labels, next] :
       {std::pair{"", u"A"}, {"LB[aa:A][bb:C]", u"D"}, {"LB[aa:Z]", u"["}}) {
    GoEditor& editor = Open(std::string("(;SZ[9];B[cc]") + labels + ")");
    GoTo({{}, 1});
    editor.ChooseTool(Tool::Label);
    editor.Click({4, 4});
    EXPECT_EQ(editor.CurrentNode()->properties().back().text(), next) << labels;
    editor.Click({4, 4});  // a label there: removed
    EXPECT_EQ(Sgf(), std::string("(;SZ[9]\r\n;B[cc]") + labels + ")");
  }
}

TEST_F(EditingTest, TheSuggestedMoveNumberCountsTheMovesSoFar) {
  GoEditor& editor = Open("(;SZ[9];B[aa];C[x])");
  GoTo({{}, 1});
  EXPECT_EQ(editor.SuggestedMoveNumber(), 1);
  GoTo({{}, 2});
  EXPECT_EQ(editor.SuggestedMoveNumber(), 2);
}

}  // namespace
}  // namespace vantaro::test
