#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/game_tree_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "desktop_app_fixture.h"

namespace vantaro::test {
namespace {

// Variations at two depths; the pane is driven as a user drives it.
constexpr char kRecord[] =
    "(;SZ[9];B[aa];W[bb](;B[cc];W[dd](;B[ee]N[named])(;B[ff];W[fg]))(;B[gg];W[hh])(;B[ii]))";

class GameTreeViewTest : public DesktopAppTest {
 protected:
  app::CGameTreeView& Pane() const { return *app_->frame().mainView().treePane(); }
  TreeCell CellOf(const TreePath& path) const {
    const auto position = GameTree::Resolve(*editor().recordRoot(), path);
    return *Pane().treeLayout().CellOf(*position->tree, position->index);
  }
  void Click(QPoint pixel) {
    QTest::mouseClick(Pane().viewport(), Qt::LeftButton, {}, pixel);
    ProcessEvents();
  }
  bool InView(TreeCell cell) const {
    return Pane().viewport()->rect().contains(Pane().ViewportRectOf(cell));
  }
};

class ClickTest : public GameTreeViewTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ClickTest, AClickOnANodeGoesThereAndOnAFoldMarkFoldsIt) {
  StartOn("game.sgf", kRecord);
  if (GetParam()) Choose("View/Game Tree/Vertical");
  app_->frame().resize(700, 1000);
  ProcessEvents();
  ASSERT_TRUE(Pane().isVisible());
  for (const TreePath& path : {TreePath{{0, 1}, 1}, TreePath{{1}, 0}, TreePath{{}, 1}}) {
    const int entries = editor().navigationCount();
    Click(Pane().ViewportRectOf(CellOf(path)).center());
    EXPECT_EQ(Where(), PathText(path));
    EXPECT_EQ(editor().navigationCount(), entries + 1) << "one step of the history";
  }
  const QRect cell = Pane().ViewportRectOf(CellOf({{0}, 1}));
  Click(app::GameTreeGeometry::FoldMarkRect(cell).center());
  EXPECT_EQ(Where(), "/1") << "a fold mark is no way to the node";
  EXPECT_TRUE(
      Pane().treeLayout().IsFolded(*GameTree::Resolve(*editor().recordRoot(), {{0}, 1})->node()));
  EXPECT_TRUE(Item("View/Game Tree/Unfold All")->isEnabled());
  Click(app::GameTreeGeometry::FoldMarkRect(cell).center());
  EXPECT_FALSE(Pane().treeLayout().HasFolds());

  // A named node tells its name when the pointer rests on it.
  const QPoint named = Pane().ViewportRectOf(CellOf({{0, 0}, 0})).center();
  QHelpEvent help(QEvent::ToolTip, named, Pane().viewport()->mapToGlobal(named));
  QApplication::sendEvent(Pane().viewport(), &help);
  EXPECT_EQ(QToolTip::text().toStdString(), "named");
}

INSTANTIATE_TEST_SUITE_P(BothWays, ClickTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Vertical" : "Horizontal"; });

// A long game in a narrow pane: every step keeps the current node in view,
// and the pane scrolls only when a step would leave it.
TEST_F(GameTreeViewTest, TheCurrentNodeStaysInViewWithoutJumping) {
  std::string sgf = "(;SZ[19]";
  for (int i = 0; i < 150; ++i) {
    sgf += std::string(i % 2 ? ";W[" : ";B[") + static_cast<char>('a' + i % 19) +
           static_cast<char>('a' + i / 19) + "]";
  }
  StartOn("long.sgf", sgf + ")");
  app_->frame().resize(500, 800);
  ProcessEvents();
  int scrolls = 0;
  for (int step = 0; step < 150; ++step) {
    const int before = Pane().horizontalScrollBar()->value();
    Press(Qt::Key_Right);
    ASSERT_TRUE(InView(CellOf({{}, step + 1}))) << "after step " << step;
    scrolls += Pane().horizontalScrollBar()->value() != before;
  }
  EXPECT_GT(scrolls, 0);
  EXPECT_LT(scrolls, 20) << "the pane scrolls on steps that stay in view";
  Press(Qt::Key_Home);
  EXPECT_TRUE(InView(CellOf({{}, 0})));
}

// In both layouts the comment pane takes the place of the hidden pane.
TEST_F(GameTreeViewTest, ShowGameTreeHidesThePaneAndGivesItsPlaceBack) {
  StartOn("game.sgf", kRecord);
  app::CMainView& view = app_->frame().mainView();
  const auto bottomInView = [&view](const QWidget& widget) {
    return widget.mapTo(&view, widget.rect().bottomLeft()).y();
  };
  for (const QSize size : {QSize(500, 800), QSize(1200, 700)}) {
    SCOPED_TRACE(::testing::Message() << size.width() << "x" << size.height());
    app_->frame().resize(size);
    ProcessEvents();
    ASSERT_TRUE(Item("View/Game Tree/Show Game Tree")->isChecked());
    const int below = bottomInView(Pane());
    EXPECT_LT(bottomInView(*view.commentPane()), Pane().mapTo(&view, QPoint()).y());
    Press(Qt::Key_Home);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);  // on W[bb], which has variations
    EXPECT_TRUE(Item("View/Game Tree/Fold Here")->isEnabled());
    Choose("View/Game Tree/Show Game Tree");
    ProcessEvents();
    EXPECT_FALSE(Pane().isVisible());
    EXPECT_EQ(bottomInView(*view.commentPane()), below);
    EXPECT_EQ(Pane().treeLayout().root(), nullptr) << "a hidden pane lays nothing out";
    EXPECT_FALSE(Item("View/Game Tree/Fold Here")->isEnabled());
    Press(Qt::Key_Left);
    Choose("View/Game Tree/Show Game Tree");
    ProcessEvents();
    EXPECT_TRUE(Pane().isVisible());
    EXPECT_TRUE(InView(CellOf({{}, 1})));
  }
}

TEST_F(GameTreeViewTest, TheWheelAndADragMoveThePictureNotTheCursor) {
  std::string sgf = "(;SZ[9]";
  for (int i = 0; i < 40; ++i) sgf += "(;B[aa];W[bb];B[cc];W[dd];B[ee];W[ff];B[gg];W[hh])";
  StartOn("wide.sgf", sgf + ")");
  app_->frame().resize(300, 700);
  ProcessEvents();
  QScrollBar& down = *Pane().verticalScrollBar();
  QScrollBar& across = *Pane().horizontalScrollBar();
  ASSERT_GT(down.maximum(), 0);
  const QPoint middle = Pane().viewport()->rect().center();
  QWheelEvent wheel(middle, Pane().viewport()->mapToGlobal(middle), {}, {0, -120}, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Pane().viewport(), &wheel);
  EXPECT_EQ(down.value(), 3 * app::GameTreeGeometry::kCell);
  QWheelEvent shifted(middle, Pane().viewport()->mapToGlobal(middle), {}, {0, -120}, Qt::NoButton,
                      Qt::ShiftModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Pane().viewport(), &shifted);
  EXPECT_EQ(across.value(), std::min(across.maximum(), 3 * app::GameTreeGeometry::kCell));

  const int downBefore = down.value();
  QTest::mousePress(Pane().viewport(), Qt::LeftButton, {}, middle);
  QTest::mouseMove(Pane().viewport(), middle - QPoint(0, 50));
  QTest::mouseRelease(Pane().viewport(), Qt::LeftButton, {}, middle - QPoint(0, 50));
  ProcessEvents();
  EXPECT_EQ(down.value(), downBefore + 50) << "a drag up pans down";
  EXPECT_EQ(Where(), "/0") << "neither the wheel nor a drag moves the cursor";
}

// Steps come no faster than the window shows them: a held key's repeats
// that arrive before the last step was shown are dropped.
TEST_F(GameTreeViewTest, AHeldKeyNeverQueuesSteps) {
  StartOn("game.sgf", kRecord);
  QWidget& board = *app_->frame().mainView().boardView();
  board.setFocus();
  const auto hold = [&board](int repeats) {
    for (int i = 0; i <= repeats; ++i) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), i > 0);
      QApplication::sendEvent(&board, &press);
    }
  };
  hold(5);
  ProcessEvents();
  EXPECT_EQ(Where(), "/1");
  hold(5);
  ProcessEvents();
  EXPECT_EQ(Where(), "/2");
}

}  // namespace
}  // namespace vantaro::test
