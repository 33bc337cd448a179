#include "editor/game_tree_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/go_editor.h"
#include "editor_fixture.h"
#include "game/tree_layout_checks.h"

namespace vantaro::test {
namespace {

// Keeps what each change asked to be repainted.
class RecordingModel : public GameTreeModel {
 public:
  std::vector<TreeDamage> damages;

 protected:
  void Changed(const TreeDamage& damage) override { damages.push_back(damage); }
};

// Rows as drawn (columns are depths):
//   0:  /0 /1 /2 0/0 0/1 0.0/0
//   1:              `0.1/0 0.1/1
//   2:        `1/0 1/1
//   3:        `2/0
//   4:        `3/0 3/1 3.0/0
//   5:              `3.1/0
constexpr char kRecord[] =
    "(;SZ[9];B[aa];W[bb](;B[cc];W[dd](;B[ee])(;B[ff];W[fg]))(;B[gg];W[hh])(;B[ii])"
    "(;B[jj];W[jk](;B[ka])(;B[kb])))";

class GameTreeModelTest : public EditorTest {
 protected:
  GoEditor& OpenWithTree(std::string_view sgf = kRecord) {
    Open(sgf);
    tree_.SetEditor(editor_.get());
    return *editor_;
  }
  const Node* NodeAt(const TreePath& path) {
    return GameTree::Resolve(*editor_->recordRoot(), path)->node();
  }
  std::optional<TreeCell> CellAt(const TreePath& path) {
    const auto position = GameTree::Resolve(*editor_->recordRoot(), path);
    return tree_.treeLayout().CellOf(*position->tree, position->index);
  }

  RecordingModel tree_;
};

struct EditCase {
  const char* name;
  TreePath at;  // where the cursor is before the edit
  std::function<bool(GoEditor&)> edit;
};

void PrintTo(const EditCase& edit, std::ostream* out) {
  *out << edit.name;
}

class InPlaceTest : public GameTreeModelTest, public ::testing::WithParamInterface<EditCase> {};

// Every edit, its undo and its redo leave the pane as a fresh layout of
// the record would be, with a fold elsewhere in the record kept.
TEST_P(InPlaceTest, EditsAndTheirUndoMatchAFreshLayout) {
  options_.autoBranch = true;
  OpenWithTree();
  ASSERT_TRUE(tree_.Fold(*NodeAt({{3}, 1})));  // W[jk], with two variations
  GoTo(GetParam().at);
  ASSERT_TRUE(GetParam().edit(editor())) << "the edit did nothing";
  ExpectSameAsFresh(tree_.treeLayout());
  EXPECT_EQ(tree_.treeLayout().FoldedNodes().size(), 1u) << "the fold elsewhere was lost";
  ASSERT_TRUE(editor().Undo());
  ExpectSameAsFresh(tree_.treeLayout());
  ASSERT_TRUE(editor().Redo());
  ExpectSameAsFresh(tree_.treeLayout());
  EXPECT_EQ(tree_.Path().back().lastColumn, tree_.CurrentCell()->column);
}

INSTANTIATE_TEST_SUITE_P(
    EveryEdit, InPlaceTest,
    ::testing::Values(
        EditCase{"MoveAtTheEndOfALine",
                 {{1}, 1},
                 [](GoEditor& e) {
                   return e.PlayMove({4, 4}, false);
                 }},
        EditCase{"MoveMakingAVariation",
                 {{}, 1},
                 [](GoEditor& e) {
                   return e.PlayMove({5, 5}, true);
                 }},
        EditCase{"BranchAtTheEnd", {{2}, 0}, [](GoEditor& e) { return e.AddBranch(); }},
        EditCase{"BranchSplittingASequence", {{}, 0}, [](GoEditor& e) { return e.AddBranch(); }},
        EditCase{"Pass", {{}, 2}, [](GoEditor& e) { return e.Pass(); }},
        EditCase{"NodeDeleted", {{1}, 1}, [](GoEditor& e) { return e.Delete(); }},
        EditCase{"VariationDeletedAndItsSiblingMerged",
                 {{0, 1}, 0},
                 [](GoEditor& e) {
                   e.options().mergeIfOnlyOneChild = true;
                   return e.Delete();
                 }},
        EditCase{"FirstVariationDeleted", {{0}, 0}, [](GoEditor& e) { return e.Delete(); }},
        EditCase{"EverythingAfterTheCurrentNode",
                 {{0}, 0},
                 [](GoEditor& e) { return e.DeleteAfterCurrent(); }},
        EditCase{"Comment", {{2}, 0}, [](GoEditor& e) { return e.SetComment(u"new"); }},
        EditCase{
            "WholeRecordNumbered", {{2}, 0}, [](GoEditor& e) { return e.AutoSetMoveNumbers(2); }},
        EditCase{"TriedMovesThrownAway",
                 {{1}, 1},
                 [](GoEditor& e) {
                   return e.StartTryPlay() && e.PlayMove({8, 8}, false) && e.StopTryPlay();
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTreeModelTest, AStepRepaintsTheCellsItChangesOnly) {
  OpenWithTree();
  GoTo({{0}, 0});
  tree_.damages.clear();
  editor().Next(1);  // along the line: 0/0 to 0/1
  ASSERT_EQ(tree_.damages.size(), 1u);
  const TreeDamage& along = tree_.damages.back();
  EXPECT_FALSE(along.layout);
  ASSERT_EQ(along.areas.size(), 1u);
  const TreeCell from = *CellAt({{0}, 0});
  EXPECT_EQ(along.areas[0].top, from.row);
  EXPECT_EQ(along.areas[0].bottom, from.row);
  EXPECT_EQ(along.areas[0].left, from.column);
  EXPECT_EQ(along.areas[0].right, from.column + 1);

  GoTo({{0, 1}, 1});
  tree_.damages.clear();
  editor().PrevBranch();  // from the second variation of W[dd] to the first
  ASSERT_EQ(tree_.damages.size(), 1u);
  const TreeDamage& across = tree_.damages.back();
  EXPECT_FALSE(across.layout);
  for (const TreePath& path : {TreePath{{0, 0}, 0}, TreePath{{0, 1}, 0}, TreePath{{0, 1}, 1}}) {
    const TreeCell cell = *CellAt(path);
    EXPECT_TRUE(std::any_of(across.areas.begin(), across.areas.end(),
                            [&](const CellArea& area) { return area.Contains(cell); }))
        << "the cell of " << PathText(path) << " is not repainted";
  }
  EXPECT_FALSE(std::any_of(across.areas.begin(), across.areas.end(), [&](const CellArea& area) {
    return area.Contains(*CellAt({{1}, 0}));
  })) << "a cell off both paths is repainted";
}

TEST_F(GameTreeModelTest, GoingIntoAFoldOpensWhatHidesTheNodeOnly) {
  options_.variantBranchFirst = false;
  OpenWithTree();
  const Node& outer = *NodeAt({{}, 2});
  const Node& inner = *NodeAt({{0}, 1});
  const Node& aside = *NodeAt({{1}, 1});
  ASSERT_TRUE(tree_.Fold(inner));
  ASSERT_TRUE(tree_.Fold(outer));
  EXPECT_FALSE(tree_.Fold(aside)) << "a node without variations";
  EXPECT_FALSE(tree_.treeLayout().CellOf(*NodeAt({{0}, 0})->tree(), 0).has_value());

  // Stepping up to the folded node leaves it folded.
  GoTo({{}, 1});
  editor().Next(1);
  EXPECT_TRUE(tree_.treeLayout().IsFolded(outer));
  EXPECT_TRUE(tree_.CanUnfoldHere());
  // One step further lies inside both folds: both open on the way to it.
  editor().Next(1);
  EXPECT_EQ(Where(), "0/0");
  EXPECT_FALSE(tree_.treeLayout().IsFolded(outer));
  EXPECT_TRUE(tree_.treeLayout().IsFolded(inner)) << "a fold that does not hide it stays";
  editor().Next(2);
  EXPECT_EQ(Where(), "0.0/0");
  EXPECT_FALSE(tree_.treeLayout().IsFolded(inner));
  ExpectSameAsFresh(tree_.treeLayout());

  // Fold Here and Unfold All work on the current node and every fold.
  GoTo({{}, 2});
  EXPECT_TRUE(tree_.FoldHere());
  EXPECT_FALSE(tree_.CanFoldHere());
  EXPECT_TRUE(tree_.UnfoldHere());
  EXPECT_TRUE(tree_.FoldHere());
  EXPECT_TRUE(tree_.UnfoldAll());
  EXPECT_FALSE(tree_.CanUnfoldAll());
}

TEST_F(GameTreeModelTest, AClickedCellIsOneStepOfTheHistory) {
  OpenWithTree();
  const int before = editor().navigationCount();
  EXPECT_TRUE(tree_.GoToCell(*CellAt({{0, 1}, 1})));
  EXPECT_EQ(Where(), "0.1/1");
  EXPECT_EQ(editor().navigationCount(), before + 1);
  EXPECT_FALSE(tree_.GoToCell({3, 5})) << "an empty cell";
  EXPECT_TRUE(editor().GoBack());
  EXPECT_EQ(Where(), "/0");
}

// The pane hidden lays nothing out; shown again, it finds its folds.
TEST_F(GameTreeModelTest, HiddenItLaysNothingOutAndKeepsItsFolds) {
  OpenWithTree();
  ASSERT_TRUE(tree_.Fold(*NodeAt({{0}, 1})));
  tree_.SetActive(false);
  EXPECT_EQ(tree_.treeLayout().root(), nullptr);
  EXPECT_FALSE(tree_.CanUnfoldAll());
  GoTo({{1}, 1});
  EXPECT_TRUE(editor().PlayMove({8, 8}, false));
  tree_.SetActive(true);
  EXPECT_TRUE(tree_.treeLayout().IsFolded(*NodeAt({{0}, 1})));
  ExpectSameAsFresh(tree_.treeLayout());
}

}  // namespace
}  // namespace vantaro::test
