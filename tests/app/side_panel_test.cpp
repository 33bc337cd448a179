#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTest>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/game_tree_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/pane_layout.h"
#include "app/panel_handle.h"
#include "app/player_card.h"
#include "app/position_line.h"
#include "app/repair_notice.h"
#include "app/side_panel.h"
#include "app/text_line.h"
#include "desktop_app_fixture.h"

namespace vantaro::test {
namespace {

constexpr char kGame[] =
    "(;GM[1]SZ[5]PB[Aoi]BR[3d]BT[Kansai]PW[Ren]WR[2d]KM[6.5];B[ab];W[aa];B[ba](;W[cc])(;W[dd]))";

class SidePanelTest : public DesktopAppTest {
 protected:
  app::CMainView& view() const { return app_->frame().mainView(); }
  app::SidePanel& panel() const { return *view().sidePanel(); }

  // What a card shows, as a user reads it: its lines that are on screen.
  static std::string Shows(const app::PlayerCard& card) {
    std::string shown;
    for (const char* name : {"name", "rank", "team", "captures", "komi", "toPlay"}) {
      const auto* label = card.findChild<app::TextLine*>(QString::fromLatin1(name));
      if (label->isVisible() && !label->text().isEmpty()) {
        shown += (shown.empty() ? "" : " | ") + label->text().toStdString();
      }
    }
    return shown;
  }
  std::string White() const { return Shows(panel().whiteCard()); }
  std::string Black() const { return Shows(panel().blackCard()); }
  std::string Position() const { return panel().positionLine().text().toStdString(); }

  void ResizeWindow(int width, int height) {
    app_->frame().resize(width, height);
    ProcessEvents();
  }
  static app::PaneBox BoxOf(const QRect& geometry) {
    return {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
  }
};

// Beside: the board square on the left, the panel with the comment pane on
// the right; above: the board and the comment pane exactly as before.
TEST_F(SidePanelTest, TheLayoutFollowsTheWindowsShapeUnlessTheUserChoosesOne) {
  StartOn("ladder-problem.sgf", kGame);
  const struct {
    int width, height;
    const char* choice;
    bool beside;
  } cases[] = {
      {1200, 800, "Automatic", true},
      {1000, 500, "Automatic", true},
      {600, 900, "Automatic", false},
      {480, 640, "Automatic", false},
      {1200, 800, "Board Above Comment", false},
      {600, 900, "Board Beside Panel", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " " << c.choice);
    Choose(std::string("View/Layout/") + c.choice);
    ResizeWindow(c.width, c.height);
    EXPECT_TRUE(Item(std::string("View/Layout/") + c.choice)->isChecked());
    const QRect board = view().boardView()->geometry();
    const QRect comment = view().commentPane()->geometry();
    EXPECT_TRUE(view().commentPane()->isVisible());
    if (c.beside) {
      EXPECT_EQ(board.width(), board.height());
      EXPECT_EQ(board.left(), 0);
      EXPECT_TRUE(board.height() == view().height() || board.height() < view().height());
      EXPECT_TRUE(panel().isVisible());
      EXPECT_GT(panel().geometry().left(), board.right());
      EXPECT_EQ(panel().geometry().right(), view().rect().right());
      EXPECT_TRUE(panel().isAncestorOf(view().commentPane()));
      EXPECT_EQ(Title(), "ladder-problem.sgf");
    } else {
      const app::PaneLayout expected = app::ComputePaneLayout(
          {0, 0, view().width(), view().height()}, false, view().treePane()->isVisible());
      EXPECT_FALSE(panel().isVisible());
      EXPECT_EQ(BoxOf(board), expected.board);
      EXPECT_EQ(BoxOf(comment), expected.comment);
      EXPECT_EQ(view().commentPane()->parentWidget(), &view());
      EXPECT_EQ(Title(), "ladder-pro...");
    }
  }
}

TEST_F(SidePanelTest, CardsAndPositionFollowNavigationEditsTryPlayAndUndo) {
  StartOn("game.sgf", kGame);
  EXPECT_EQ(Black(), "Aoi | 3d | Kansai | Captures: 0 | \u25B6 to play");
  EXPECT_EQ(White(), "Ren | 2d | Captures: 0 | Komi: 6.5");
  EXPECT_EQ(Position(), "Move 0");
  Choose("Options/White First");
  EXPECT_EQ(White(), "Ren | 2d | Captures: 0 | Komi: 6.5 | \u25B6 to play");
  Choose("Options/White First");
  EXPECT_EQ(Black(), "Aoi | 3d | Kansai | Captures: 0 | \u25B6 to play");
  Press(Qt::Key_Right);
  Press(Qt::Key_Right);
  EXPECT_EQ(Position(), "Move 2 \u00B7 A5");
  Press(Qt::Key_Right);
  // B5 took the white stone at A5; the line branches after it.
  EXPECT_EQ(Black(), "Aoi | 3d | Kansai | Captures: 1");
  EXPECT_EQ(White(), "Ren | 2d | Captures: 0 | Komi: 6.5 | \u25B6 to play");
  EXPECT_EQ(Position(), "Move 3 \u00B7 B5 \u00B7 2 variations");

  Tap(4, 4);
  EXPECT_EQ(Position(), "Move 4 \u00B7 E1");
  EXPECT_EQ(Black(), "Aoi | 3d | Kansai | Captures: 1 | \u25B6 to play");
  Choose("Edit/Undo");
  EXPECT_EQ(Position(), "Move 3 \u00B7 B5 \u00B7 2 variations");
  EXPECT_EQ(White(), "Ren | 2d | Captures: 0 | Komi: 6.5 | \u25B6 to play");

  Choose("Edit/Try Play");
  Tap(3, 3);
  EXPECT_EQ(Position(), "Move 4 \u00B7 D2");
  Choose("Edit/Try Play");
  EXPECT_EQ(Position(), "Move 3 \u00B7 B5 \u00B7 2 variations");

  // A root edit reaches the cards at once.
  dialogs_->gameInfo = [](app::GameInfoDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("PW"));
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Honinbo"));
    return true;
  };
  Choose("Edit/Game Information");
  EXPECT_EQ(White(), "Honinbo | 2d | Captures: 0 | Komi: 6.5 | \u25B6 to play");
  Choose("Edit/Undo");
  EXPECT_EQ(White(), "Ren | 2d | Captures: 0 | Komi: 6.5 | \u25B6 to play");
}

// Letters skip I unless View > Show I asks for it, as on the board's edges.
TEST_F(SidePanelTest, ThePositionNamesThePointAsTheBoardsCoordinatesDo) {
  StartOn("game.sgf", "(;SZ[19];B[ia];W[];B[jj](;W[aa])(;W[bb])(;W[cc]))");
  Press(Qt::Key_Right);
  EXPECT_EQ(Position(), "Move 1 \u00B7 J19");
  Choose("View/Show I");
  EXPECT_EQ(Position(), "Move 1 \u00B7 I19");
  Press(Qt::Key_Right);
  EXPECT_EQ(Position(), "Move 2 \u00B7 Pass");
  Press(Qt::Key_Right);
  EXPECT_EQ(Position(), "Move 3 \u00B7 J10 \u00B7 3 variations");
}

TEST_F(SidePanelTest, TheRepairNoticeSaysWhatReadingRepairedAndListsIt) {
  StartOn("damaged.sgf", "(;GM[1]SZ[9]XY[1];B[aa];W[zz]");
  app::RepairNotice& notice = panel().repairNotice();
  ASSERT_TRUE(notice.isVisible());
  EXPECT_EQ(notice.text(), "Repaired while reading: 3 problems");
  QTest::mouseClick(&notice, Qt::LeftButton);
  ProcessEvents();
  const QPointer<QDialog> list = app_->frame().findChild<QDialog*>(QStringLiteral("repairList"));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->findChild<QPlainTextEdit*>()->toPlainText(),
            "12: unknown property XY kept\n"
            "25: W value \"zz\" lies off the 9x9 board\n"
            "29: game tree not closed at the end of the input\n");

  dialogs_->files = {directory_.Write("clean.sgf", "(;GM[1]SZ[9];B[aa])")};
  Choose("File/Open...");
  EXPECT_FALSE(notice.isVisible());
  EXPECT_TRUE(list.isNull() || !list->isVisible());
}

// The first start opens two thirds of the screen each way; the panel's
// width, the heights in its splitter and the window's size come back at
// the next start.
TEST_F(SidePanelTest, ThePanelsWidthItsSplitterAndTheWindowSizeAreKept) {
  Start();
  EXPECT_EQ(app_->frame().size(), app_->frame().screen()->availableSize() * 2 / 3);
  ResizeWindow(760, 540);  // within the screen, or the next start would shrink it
  const int width = panel().width();
  auto* handle = view().findChild<app::PanelHandle*>();
  QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 100));
  QTest::mouseMove(handle, QPoint(-38, 100));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-38, 100));
  ProcessEvents();
  EXPECT_EQ(panel().width(), width + 40);
  EXPECT_EQ(view().boardView()->width(), handle->geometry().left());

  auto* tree = new QWidget;
  panel().SetTreePane(tree);
  QSplitter& splitter = panel().splitter();
  ASSERT_EQ(splitter.count(), 2);
  EXPECT_EQ(splitter.widget(0), view().commentPane());
  EXPECT_EQ(splitter.widget(1), tree);
  QSplitterHandle* between = splitter.handle(1);
  QTest::mousePress(between, Qt::LeftButton, {}, QPoint(20, 1));
  QTest::mouseMove(between, QPoint(20, -29));
  QTest::mouseRelease(between, Qt::LeftButton, {}, QPoint(20, -29));
  const QList<int> heights = splitter.sizes();
  ASSERT_TRUE(Exit());

  Start();
  EXPECT_EQ(app_->frame().size(), QSize(760, 540));
  EXPECT_EQ(panel().width(), width + 40);
  panel().SetTreePane(new QWidget);
  EXPECT_EQ(panel().splitter().sizes(), heights);
  // The slot empties again and the comment pane has the splitter to itself.
  panel().SetTreePane(nullptr);
  EXPECT_EQ(panel().splitter().count(), 1);
}

}  // namespace
}  // namespace vantaro::test
