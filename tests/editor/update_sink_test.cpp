#include "editor/update_sink.h"

#include "editor_fixture.h"

namespace vantaro::test {
namespace {

class UpdateSinkTest : public EditorTest {};

TEST_F(UpdateSinkTest, AttachingTwiceDeliversOnce) {
  GoEditor& editor = Open("(;B[aa];W[bb])");
  RecordingSink sink;
  sink.SetEditor(&editor);
  sink.SetEditor(&editor);
  static_cast<UpdateSink&>(editor).OnBoardChanged();
  EXPECT_EQ(sink.Joined(), "board");
  EXPECT_EQ(sink.editor(), &editor);
  sink.SetEditor(nullptr);
  EXPECT_EQ(sink.editor(), nullptr);
}

TEST_F(UpdateSinkTest, SinksAreToldInAttachOrder) {
  GoEditor& editor = Open("(;B[aa];W[bb])");
  struct Ordered : UpdateSink {
    Ordered(std::string name, std::string& out) : name(std::move(name)), out(out) {}
    void OnStatusChanged() override { out += name; }
    std::string name;
    std::string& out;
  };
  std::string order;
  Ordered frame("frame ", order), view("view ", order), pane("pane", order);
  frame.SetEditor(&editor);
  view.SetEditor(&editor);
  pane.SetEditor(&editor);
  static_cast<UpdateSink&>(editor).OnStatusChanged();
  EXPECT_EQ(order, "frame view pane");
}

TEST_F(UpdateSinkTest, InstallingARecordAnnouncesItInOrder) {
  editor_ = std::make_unique<GoEditor>(options_, &sounds_);
  RecordingSink sink;
  sink.SetEditor(editor_.get());
  editor_->InstallRecord(ReadSgfText("(;B[aa])").root, 65001);
  EXPECT_EQ(sink.Joined(), "history status board treeAdded current(null)");
}

TEST_F(UpdateSinkTest, TransactionsRaiseTheirActionsFirst) {
  GoEditor& editor = Open("(;SZ[9];B[aa])");
  GoTo({{}, 1});
  RecordingSink sink;
  sink.SetEditor(&editor);
  editor.PlayMove({4, 4}, true);
  EXPECT_EQ(sink.Joined(), "nodeAdded board current status history");
  sink.log.clear();
  editor.Undo();
  EXPECT_EQ(sink.Joined(), "nodeRemoving nodeRemoved board current(null) status history");
  sink.log.clear();
  editor.Redo();
  EXPECT_EQ(sink.Joined(), "nodeAdded board current status history");
}

TEST_F(UpdateSinkTest, UndoWithoutAChangeOfTheModifiedFlagRaisesThree) {
  GoEditor& editor = Open("(;SZ[9];B[aa];W[bb])");
  editor.Next(1);
  RecordingSink sink;
  sink.SetEditor(&editor);
  editor.GoBack();
  EXPECT_EQ(sink.Joined(), "board current(null) history");
}

TEST_F(UpdateSinkTest, ChangesOfTheRootNodeUpdateTheStatus) {
  GoEditor& editor = Open("(;SZ[9]GN[game];B[aa])");
  RecordingSink sink;
  sink.SetEditor(&editor);
  editor.SetComment(u"about the game");
  EXPECT_EQ(sink.Joined(), "nodeChanged status board current status history");
}

}  // namespace
}  // namespace vantaro::test
