#include "editor/update_sink.h"

#include <functional>

#include "editor_fixture.h"

namespace vantaro::test {
namespace {

class UpdateSinkTest : public EditorTest {};

TEST_F(UpdateSinkTest, InstallingARecordAnnouncesItInOrder) {
  editor_ = std::make_unique<GoEditor>(options_, &sounds_);
  RecordingSink sink;
  sink.SetEditor(editor_.get());
  editor_->InstallRecord(ReadSgfText("(;B[aa])").root, 65001);
  EXPECT_EQ(sink.log, "history status board treeAdded current(null)");
}

TEST_F(UpdateSinkTest, TransactionsRaiseTheirActionsFirst) {
  GoEditor& editor = Open("(;SZ[9];B[aa])");
  GoTo({{}, 1});
  RecordingSink sink;
  sink.SetEditor(&editor);
  const auto told = [&sink](const std::function<void()>& step) {
    sink.log.clear();
    step();
    return sink.log;
  };
  EXPECT_EQ(told([&] { editor.PlayMove({4, 4}, true); }), "nodeAdded board current status history");
  EXPECT_EQ(told([&] { editor.Undo(); }),
            "nodeRemoving nodeRemoved board current(null) status history");
  EXPECT_EQ(told([&] { editor.Redo(); }), "nodeAdded board current status history");
  // A step that leaves the modified flag as it was raises three.
  editor.First();
  EXPECT_EQ(told([&] { editor.GoBack(); }), "board current(null) history");
}

TEST_F(UpdateSinkTest, ChangesOfTheRootNodeUpdateTheStatus) {
  GoEditor& editor = Open("(;SZ[9]GN[game];B[aa])");
  RecordingSink sink;
  sink.SetEditor(&editor);
  editor.SetComment(u"about the game");
  EXPECT_EQ(sink.log, "nodeChanged status board current status history");
}

}  // namespace
}  // namespace vantaro::test
