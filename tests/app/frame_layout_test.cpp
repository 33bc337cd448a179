#include <gtest/gtest.h>

#include "app/frame_title.h"
#include "app/pane_layout.h"
#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

using app::ComputePaneLayout;
using app::FrameTitle;

struct TitleCase {
  const char* document;
  bool readOnly;
  bool modified;
  const char* shown;
};

TEST(FrameTitleTest, TitlesAreCutAndMarked) {
  const TitleCase cases[] = {
      {"ladder-problem.sgf", false, false, "ladder-pro..."},
      {"ladder-problem.sgf", true, true, "ladder-pro... R *"},
      {"ladder-problem.sgf", false, true, "ladder-pro... *"},
      {"tenletters", false, false, "tenletters"},
      {"game.v2.sgf", true, false, "game.v2 R"},
      {"", false, true, "Untitled *"},
      {"Untitled", false, false, "Untitled"},
      {"本因坊秀策対局集第一巻.sgf", false, false, "本因坊秀策対局集第一..."},
      // A character outside the basic plane is never cut in half.
      {"abcdefghi\U00020000xyz", false, false, "abcdefghi..."},
  };
  for (const TitleCase& c : cases) {
    EXPECT_EQ(ToDisplayUtf8(FrameTitle(FromUtf8(c.document), c.readOnly, c.modified)), c.shown)
        << c.document;
  }
}

struct LayoutCase {
  QRect client;
  bool split;
  QRect board;
  QRect comment;
};

TEST(PaneLayoutTest, TheBoardIsSquareAndTheCommentKeepsThirtyPixels) {
  const LayoutCase cases[] = {
      {QRect(0, 0, 240, 320), false, QRect(0, 0, 240, 240), QRect(0, 240, 240, 80)},
      {QRect(0, 0, 320, 240), false, QRect(0, 0, 320, 210), QRect(0, 210, 320, 30)},
      {QRect(0, 0, 240, 270), false, QRect(0, 0, 240, 240), QRect(0, 240, 240, 30)},
      {QRect(0, 0, 240, 320), true, QRect(0, 0, 240, 160), QRect(0, 160, 240, 160)},
      {QRect(0, 0, 240, 321), true, QRect(0, 0, 240, 160), QRect(0, 160, 240, 161)},
  };
  for (const LayoutCase& c : cases) {
    const app::PaneLayout layout = ComputePaneLayout(c.client, c.split);
    EXPECT_EQ(layout.board, c.board) << c.client.width() << "x" << c.client.height();
    EXPECT_EQ(layout.comment, c.comment) << c.client.width() << "x" << c.client.height();
  }
}

// With the game tree, the tree takes the lower half of what lies below the
// board, and never less than its minimum; the comment pane keeps 30 pixels.
TEST(PaneLayoutTest, TheTreeTakesTheLowerHalfBelowTheBoard) {
  struct TreeCase {
    QRect client;
    bool split;
    QRect board;
    QRect comment;
    QRect tree;
  };
  const TreeCase cases[] = {
      {QRect(0, 0, 240, 500), false, QRect(0, 0, 240, 240), QRect(0, 240, 240, 130),
       QRect(0, 370, 240, 130)},
      {QRect(0, 0, 320, 240), false, QRect(0, 0, 320, 130), QRect(0, 130, 320, 30),
       QRect(0, 160, 320, 80)},
      {QRect(0, 0, 240, 320), true, QRect(0, 0, 240, 160), QRect(0, 160, 240, 80),
       QRect(0, 240, 240, 80)},
  };
  for (const TreeCase& c : cases) {
    const app::PaneLayout layout = ComputePaneLayout(c.client, c.split, true);
    EXPECT_EQ(layout.board, c.board) << c.client.width() << "x" << c.client.height();
    EXPECT_EQ(layout.comment, c.comment) << c.client.width() << "x" << c.client.height();
    EXPECT_EQ(layout.tree, c.tree) << c.client.width() << "x" << c.client.height();
  }
}

}  // namespace
}  // namespace vantaro::test
