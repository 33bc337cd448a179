#include "editor/actions.h"
#include "editor_fixture.h"

namespace vantaro::test {
namespace {

// An action that changes nothing and fails its Do from a given call on, or its Undo.
class FailingAction : public Action {
 public:
  FailingAction(int succeedingDos, bool undoFails)
      : succeedingDos_(succeedingDos), undoFails_(undoFails) {}
  bool Do() override { return doCalls_++ < succeedingDos_; }
  bool Undo() override { return !undoFails_; }

 private:
  int succeedingDos_;
  bool undoFails_;
  int doCalls_ = 0;
};

class UndoTest : public EditorTest {
 protected:
  enum class Place { First, Last };
  // On "(;SZ[9];B[aa];W[bb])" with the cursor on B[aa]: adds W[cc] after it
  // and comments it, with the given action done first (so that it is undone
  // last) or last.
  std::unique_ptr<Tran> EditWith(std::unique_ptr<Action> action, Place place) {
    auto tran = std::make_unique<Tran>(editor());
    if (place == Place::First) tran->Add(std::move(action));
    auto node = std::make_unique<Node>();
    node->Add(Property::WithPoint(kPropW, {2, 2}));
    tran->nodeAfter = node.get();
    tran->Add(std::make_unique<ActionAddNode>(std::move(node), *editor().cursorTree(), 2));
    auto comment = editor().CurrentNode()->Clone();
    comment->GetOrCreate(kPropC).SetText(u"half");
    tran->Add(std::make_unique<ActionReplaceNode>(*editor().CurrentNode(), std::move(comment)));
    if (place == Place::Last) tran->Add(std::move(action));
    return tran;
  }
};

TEST_F(UndoTest, TheModifiedFlagFollowsTheHistoryAndANewEditDropsTheRedoSteps) {
  GoEditor& editor = Open("(;SZ[9])");
  editor.PlayMove({1, 1}, false);
  EXPECT_TRUE(editor.modified());
  editor.Undo();
  EXPECT_FALSE(editor.modified());
  editor.Redo();
  editor.PlayMove({2, 2}, true);
  editor.Undo();
  EXPECT_TRUE(editor.CanRedo());
  editor.PlayMove({3, 3}, true);
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(editor.undoCount(), 2);
}

TEST_F(UndoTest, UndoIsRefusedReadOnlyUnlessTryingMoves) {
  GoEditor& editor = Open("(;SZ[9])");
  editor.PlayMove({1, 1}, false);
  editor.SetReadOnly(true);
  EXPECT_FALSE(editor.CanUndo());
  editor.StartTryPlay();
  EXPECT_TRUE(editor.CanUndo());
}

TEST_F(UndoTest, TrimmingFreesJustMoreThanHalfTheLimit) {
  GoEditor& editor = Open("(;SZ[9])");
  std::vector<int> sizes;  // of each step, from the growth of the total
  int before = 0;
  for (int i = 0; i < 40; ++i) {
    const int count = editor.undoCount();
    const int total = editor.undoTotalSize();
    editor.SetComment(std::u16string(150000, u'a' + static_cast<char16_t>(i % 20)));
    if (editor.undoCount() == count + 1) {
      sizes.push_back(editor.undoTotalSize() - total);
      continue;
    }
    // The oldest steps went: just enough of them to free more than 5000000.
    const int removed = count + 1 - editor.undoCount();
    const int freed = total + sizes.back() - editor.undoTotalSize();
    int sum = 0;
    for (int k = 0; k < removed - 1; ++k) sum += sizes[k];
    EXPECT_GE(total, 10000000);
    EXPECT_LE(sum, 5000000);
    EXPECT_GT(sum + sizes[removed - 1], 5000000);
    EXPECT_GT(freed, 0);
    before = removed;
    break;
  }
  EXPECT_GT(before, 0) << "the history was never trimmed";
}

TEST_F(UndoTest, TheNewestThreeStepsAlwaysStay) {
  GoEditor& editor = Open("(;SZ[9])");
  const std::u16string huge(6000000, u'y');
  for (int i = 0; i < 3; ++i) editor.SetComment(huge + std::u16string(1, u'a' + i));
  editor.SetComment(u"small");
  EXPECT_EQ(editor.undoCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(editor.Undo());
}

TEST_F(UndoTest, AnEditThatFailsHalfWayIsTakenBackAndReported) {
  GoEditor& editor = Open("(;SZ[9];B[aa];W[bb])");
  GoTo({{}, 1});
  const std::string before = Sgf();
  EXPECT_FALSE(editor.Commit(EditWith(std::make_unique<FailingAction>(0, false), Place::Last)));
  EXPECT_EQ(Sgf(), before);
  EXPECT_EQ(Where(), "/1");
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.undoCount(), 0);
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(UndoTest, AnUndoThatFailsHalfWayKeepsTheEdit) {
  GoEditor& editor = Open("(;SZ[9];B[aa];W[bb])");
  GoTo({{}, 1});
  ASSERT_TRUE(editor.Commit(EditWith(std::make_unique<FailingAction>(1, true), Place::First)));
  const std::string edited = Sgf();
  EXPECT_EQ(edited, "(;SZ[9]\r\n;B[aa]C[half];W[cc];W[bb])");
  EXPECT_FALSE(editor.Undo());
  EXPECT_EQ(Sgf(), edited);
  EXPECT_EQ(Where(), "/2");
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(editor.undoIndex(), 0);
  EXPECT_FALSE(editor.CanRedo());
}

TEST_F(UndoTest, ARedoThatFailsHalfWayLeavesTheUndoneRecord) {
  GoEditor& editor = Open("(;SZ[9];B[aa];W[bb])");
  GoTo({{}, 1});
  const std::string before = Sgf();
  ASSERT_TRUE(editor.Commit(EditWith(std::make_unique<FailingAction>(1, false), Place::Last)));
  ASSERT_TRUE(editor.Undo());
  EXPECT_FALSE(editor.Redo());
  EXPECT_EQ(Sgf(), before);
  EXPECT_EQ(Where(), "/1");
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(editor.undoIndex(), -1);
  EXPECT_TRUE(editor.CanRedo());
}

}  // namespace
}  // namespace vantaro::test
