#include <gtest/gtest.h>

#include "app/frame_title.h"
#include "app/pane_layout.h"
#include "app/window_layout.h"
#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

using app::ComputePaneLayout;
using app::FrameTitle;
using app::PaneBox;

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

TEST(FrameTitleTest, TheDesktopLayoutShowsTheWholeName) {
  EXPECT_EQ(ToDisplayUtf8(app::WholeFrameTitle(u"ladder-problem.sgf", true, true)),
            "ladder-problem.sgf R *");
  EXPECT_EQ(ToDisplayUtf8(app::WholeFrameTitle(u"", false, true)), "Untitled *");
}

TEST(WindowLayoutTest, AutomaticFollowsTheShapeAndAChoiceHolds) {
  using app::WindowLayout;
  const struct {
    LayoutChoice choice;
    int width, height;
    WindowLayout layout;
  } cases[] = {
      {LayoutChoice::Automatic, 1000, 600, WindowLayout::BoardBesidePanel},
      {LayoutChoice::Automatic, 600, 1000, WindowLayout::BoardAboveComment},
      {LayoutChoice::Automatic, 700, 700, WindowLayout::BoardAboveComment},
      {LayoutChoice::BoardAboveComment, 1000, 600, WindowLayout::BoardAboveComment},
      {LayoutChoice::BoardBesidePanel, 600, 1000, WindowLayout::BoardBesidePanel},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::ResolveWindowLayout(c.choice, c.width, c.height), c.layout)
        << static_cast<int>(c.choice) << " at " << c.width << "x" << c.height;
  }
}

// The board is square and as large as fits beside a panel of the asked
// width; the panel takes what is left, and never falls below its minimum.
TEST(WindowLayoutTest, TheBoardIsSquareOnTheLeftAndThePanelTakesTheRest) {
  const struct {
    PaneBox client;
    int panelWidth;
    PaneBox board, handle, panel;
  } cases[] = {
      {{0, 0, 800, 500}, 320, {0, 13, 474, 474}, {474, 0, 6, 500}, {480, 0, 320, 500}},
      // Wide: the board is as high as the client and the panel grows.
      {{0, 0, 1600, 900}, 320, {0, 0, 900, 900}, {900, 0, 6, 900}, {906, 0, 694, 900}},
      // Tall: the board is centred from top to bottom.
      {{10, 20, 600, 900}, 320, {10, 333, 274, 274}, {284, 20, 6, 900}, {290, 20, 320, 900}},
      // The panel keeps its minimum, and leaves the board its own.
      {{0, 0, 800, 500}, 40, {0, 0, 500, 500}, {500, 0, 6, 500}, {506, 0, 294, 500}},
      {{0, 0, 800, 500}, 2000, {0, 190, 120, 120}, {120, 0, 6, 500}, {126, 0, 674, 500}},
      {{0, 0, 200, 100}, 320, {0, 43, 14, 14}, {14, 0, 6, 100}, {20, 0, 180, 100}},
  };
  for (const auto& c : cases) {
    const app::BesideLayout layout = app::ComputeBesideLayout(c.client, c.panelWidth);
    SCOPED_TRACE(::testing::Message()
                 << c.client.width << "x" << c.client.height << " panel " << c.panelWidth);
    EXPECT_EQ(layout.board, c.board);
    EXPECT_EQ(layout.handle, c.handle);
    EXPECT_EQ(layout.panel, c.panel);
  }
  // A drag keeps what it asked for, within the same bounds.
  EXPECT_EQ(app::PanelWidthForHandleAt({0, 0, 800, 500}, 400), 394);
  EXPECT_EQ(app::PanelWidthForHandleAt({0, 0, 800, 500}, 780), app::kMinSidePanelWidth);
  EXPECT_EQ(app::PanelWidthForHandleAt({0, 0, 800, 500}, 10), 800 - 6 - app::kMinBoardSide);
}

struct LayoutCase {
  PaneBox client;
  bool split;
  PaneBox board;
  PaneBox comment;
};

TEST(PaneLayoutTest, TheBoardIsSquareAndTheCommentKeepsThirtyPixels) {
  const LayoutCase cases[] = {
      {{0, 0, 240, 320}, false, {0, 0, 240, 240}, {0, 240, 240, 80}},
      {{0, 0, 320, 240}, false, {0, 0, 320, 210}, {0, 210, 320, 30}},
      {{0, 0, 240, 270}, false, {0, 0, 240, 240}, {0, 240, 240, 30}},
      {{0, 0, 240, 320}, true, {0, 0, 240, 160}, {0, 160, 240, 160}},
      {{0, 0, 240, 321}, true, {0, 0, 240, 160}, {0, 160, 240, 161}},
  };
  for (const LayoutCase& c : cases) {
    const app::PaneLayout layout = ComputePaneLayout(c.client, c.split);
    EXPECT_EQ(layout.board, c.board) << c.client.width << "x" << c.client.height;
    EXPECT_EQ(layout.comment, c.comment) << c.client.width << "x" << c.client.height;
  }
}

// With the game tree, the tree takes the lower half of what lies below the
// board, and never less than its minimum; the comment pane keeps 30 pixels.
TEST(PaneLayoutTest, TheTreeTakesTheLowerHalfBelowTheBoard) {
  struct TreeCase {
    PaneBox client;
    bool split;
    PaneBox board;
    PaneBox comment;
    PaneBox tree;
  };
  const TreeCase cases[] = {
      {{0, 0, 240, 500}, false, {0, 0, 240, 240}, {0, 240, 240, 130}, {0, 370, 240, 130}},
      {{0, 0, 320, 240}, false, {0, 0, 320, 130}, {0, 130, 320, 30}, {0, 160, 320, 80}},
      {{0, 0, 240, 320}, true, {0, 0, 240, 160}, {0, 160, 240, 80}, {0, 240, 240, 80}},
  };
  for (const TreeCase& c : cases) {
    const app::PaneLayout layout = ComputePaneLayout(c.client, c.split, true);
    EXPECT_EQ(layout.board, c.board) << c.client.width << "x" << c.client.height;
    EXPECT_EQ(layout.comment, c.comment) << c.client.width << "x" << c.client.height;
    EXPECT_EQ(layout.tree, c.tree) << c.client.width << "x" << c.client.height;
  }
}

}  // namespace
}  // namespace vantaro::test
