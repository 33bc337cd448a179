#include "editor_fixture.h"

namespace vantaro::test {
namespace {

class TryPlayTest : public EditorTest {};

TEST_F(TryPlayTest, AReadOnlyRecordCanBeTriedAndComesBackUnchanged) {
  GoEditor& editor = Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  editor.SetReadOnly(true);
  const std::string before = Sgf();
  EXPECT_TRUE(editor.StartTryPlay());
  EXPECT_TRUE(options_.autoBranch);
  EXPECT_TRUE(editor.PlayMove({4, 4}, true));
  EXPECT_FALSE(editor.CanSaveTryPlay());
  EXPECT_TRUE(editor.StopTryPlay());
  EXPECT_EQ(Sgf(), before);
  EXPECT_EQ(Where(), "/1");
  EXPECT_FALSE(editor.modified());
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(TryPlayTest, StoppingIsOneUndoableStep) {
  GoEditor& editor = Open("(;SZ[9];B[cc])");
  GoTo({{}, 1});
  editor.StartTryPlay();
  for (int i = 0; i < 5; ++i) editor.PlayMove({i, 8}, i % 2 == 0);
  const std::string tried = Sgf();
  editor.StopTryPlay();
  EXPECT_EQ(Sgf(), "(;SZ[9]\r\n;B[cc])");
  EXPECT_FALSE(editor.modified());
  editor.Undo();
  EXPECT_EQ(Sgf(), tried);
}

TEST_F(TryPlayTest, KeepingTheMovesEndsTryPlay) {
  GoEditor& editor = Open("(;SZ[9];B[cc])");
  editor.StartTryPlay();
  EXPECT_FALSE(editor.StartTryPlay());
  editor.PlayMove({4, 4}, true);
  EXPECT_TRUE(editor.SaveTryPlay());
  EXPECT_FALSE(editor.tryPlayActive());
  EXPECT_FALSE(editor.StopTryPlay());
  EXPECT_TRUE(editor.modified());
}

class SoundTest : public EditorTest {};

TEST_F(SoundTest, AMoveSoundsByTheStonesItTook) {
  const struct {
    const char* sgf;
    Point move;
    bool white;
    const char16_t* sound;
  } cases[] = {
      {"(;SZ[9])", {4, 4}, false, u"/install/sound/move.wav"},
      {"(;SZ[9]AB[ba][bb]AW[aa][ab])", {0, 2}, false, u"/install/sound/deadstoneless.wav"},
      {"(;SZ[9]AB[aa][ba][ca][da]AW[ab][bb][cb][db])",
       {4, 0},
       true,
       u"/install/sound/deadstonemore.wav"},
  };
  for (const auto& c : cases) {
    now_ += 1000;
    Open(c.sgf).PlayMove(c.move, c.white);
    ASSERT_FALSE(output_.played.empty());
    EXPECT_EQ(output_.played.back(), c.sound) << c.sgf;
  }
}

TEST_F(SoundTest, QuickMovesMakeOneSoundAndPassesNone) {
  GoEditor& editor = Open("(;SZ[9])");
  editor.PlayMove({1, 1}, false);
  now_ += 200;
  editor.PlayMove({2, 2}, true);
  EXPECT_EQ(output_.played.size(), 1u);
  now_ += 201;
  editor.PlayMove({-1, -1}, false);
  EXPECT_EQ(output_.played.size(), 1u);
  editor.PlayMove({3, 3}, true);
  EXPECT_EQ(output_.played.size(), 2u);
}

TEST_F(SoundTest, FastForwardPlaysOneSoundAndGoingBackNone) {
  GoEditor& editor = Open("(;SZ[9];B[aa];W[bb];B[cc];W[dd];B[ee];W[ff])");
  editor.Next(5);
  EXPECT_EQ(output_.played.size(), 1u);
  now_ += 1000;
  editor.Previous(1);
  EXPECT_EQ(output_.played.size(), 1u);
  editor.SetSoundOn(false);
  editor.Next(1);
  EXPECT_EQ(output_.played.size(), 1u);
}

}  // namespace
}  // namespace vantaro::test
