// The list of games: the games of a collection or of a folder's files,
// sorted, filtered, previewed and opened as a user does it.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "app/game_list_model.h"
#include "app/game_list_window.h"
#include "app/game_preview.h"
#include "app/main_frame.h"
#include "desktop_app_fixture.h"
#include "document/vantaro_doc.h"

namespace vantaro::test {
namespace {

using app::GameListModel;
using Answer = app::Dialogs::SaveAnswer;

constexpr std::string_view kGames =
    "(;GM[1]SZ[9]PB[Lee Sedol]BR[9p]PW[\xd0\x81\xd0\xb6\xd0\xb8\xd0\xba]WR[3d]RE[W+R]"
    "DT[2016-03-09]EV[Cup]RO[1]GN[first];B[aa];W[bb])\n"
    "(;SZ[9]PB[\xe6\x9c\xac\xe5\x9b\xa0\xe5\x9d\x8a]PW[lee]RE[B+5]DT[1846];B[cc](;W[dd];B[ee])"
    "(;W[ff]))\n"
    "(;SZ[9]PB[Ann]PW[Bob]AB[ee]C[a problem];B[ff];W[gg];B[hh])\n";

class GameListTest : public DesktopAppTest {
 protected:
  app::GameListWindow& List() const { return app_->gameList(); }

  // Lets the background reading finish and its rows arrive.
  void WaitForRows() const {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !List().reading(); }, 10000));
    ProcessEvents();
  }

  // A column of the rows as the list shows them, joined by "|".
  std::string Shown(int column) const {
    const QAbstractItemModel& shown = *List().table().model();
    std::string texts;
    for (int row = 0; row < shown.rowCount(); ++row) {
      texts += (row > 0 ? "|" : "") + shown.index(row, column).data().toString().toStdString();
    }
    return texts;
  }

  // Typed into the filter box key by key, in any script.
  void Filter(const QString& text) const {
    QLineEdit& box = List().filterBox();
    box.clear();
    for (const QChar character : text) {
      QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
      QApplication::sendEvent(&box, &key);
    }
  }

  void SortBy(int column, Qt::SortOrder order) const { List().table().sortByColumn(column, order); }

  // The keys go to the table of the list window.
  void PressInList(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QApplication::setActiveWindow(&List());
    List().table().setFocus();
    QTest::keyClick(&List().table(), static_cast<Qt::Key>(key), modifiers);
    ProcessEvents();
  }

  void SelectRow(int row) const {
    QTableView& table = List().table();
    table.setCurrentIndex(table.model()->index(row, 0));
    ProcessEvents();
  }

  std::string Open() const {
    return std::filesystem::path(app_->document().path()).filename().string() + " " +
           std::to_string(app_->document().gameIndex() + 1);
  }
};

TEST_F(GameListTest, AFileOfSeveralGamesOpensTheListWithARowPerGame) {
  StartOn("games.sgf", kGames);
  ASSERT_TRUE(List().isVisible());
  WaitForRows();
  EXPECT_EQ(List().windowTitle(), "Games - games.sgf");
  const GameListModel& model = List().model();
  std::string headers;
  for (int column = 0; column < model.columnCount(); ++column) {
    headers += model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
    headers += ',';
  }
  EXPECT_EQ(headers, "#,Black,rank,White,rank,Result,Date,Event,Round,Name,Moves,Size,");
  std::string first;
  for (int column = 0; column < model.columnCount(); ++column) {
    first += model.index(0, column).data().toString().toStdString() + ',';
  }
  EXPECT_EQ(first, "1,Lee Sedol,9p,Ёжик,3d,W+R,2016-03-09,Cup,1,first,2,9,");
  EXPECT_EQ(Shown(GameListModel::Black), "Lee Sedol|本因坊|Ann");
  EXPECT_EQ(Shown(GameListModel::Moves), "2|3|3");
  EXPECT_EQ(List().status().text(), "3 games");
  EXPECT_EQ(List().table().currentIndex().row(), 0) << "the game open is marked";
  EXPECT_EQ(Title(), "games.sgf [1/3]");

  // A file of one game leaves the list alone until it is asked for.
  List().close();
  dialogs_->files.push_back(directory_.Write("one.sgf", "(;PB[alone])"));
  Choose("File/Open...");
  EXPECT_FALSE(List().isVisible());
  EXPECT_EQ(Title(), "one.sgf");
  Press(Qt::Key_L, Qt::ControlModifier);
  ASSERT_TRUE(List().isVisible());
  WaitForRows();
  EXPECT_EQ(Shown(GameListModel::Black), "alone");
}

// Every word typed must be in some field, in any case and any script; the
// rows follow each key typed.
TEST_F(GameListTest, TheFilterKeepsRowsHoldingEveryWordInAnyCaseAndScript) {
  StartOn("games.sgf", kGames);
  WaitForRows();
  const struct {
    const char* typed;
    const char* black;
  } cases[] = {
      {"LEE", "Lee Sedol|本因坊"},  {"lee w+r", "Lee Sedol"}, {"ёЖИК", "Lee Sedol"},
      {"本因坊", "本因坊"},         {"games.sgf ann", "Ann"}, {"lee ann", ""},
      {"", "Lee Sedol|本因坊|Ann"},
  };
  for (const auto& c : cases) {
    Filter(QString::fromUtf8(c.typed));
    EXPECT_EQ(Shown(GameListModel::Black), c.black) << c.typed;
  }
  Filter(QStringLiteral("le"));
  EXPECT_EQ(List().status().text(), "2 shown of 3 games");
  QTest::keyClick(&List().filterBox(), Qt::Key_E);
  EXPECT_EQ(Shown(GameListModel::Black), "Lee Sedol|本因坊");
}

TEST_F(GameListTest, ColumnsSortAsTextOrAsNumbers) {
  StartOn("games.sgf", kGames);
  WaitForRows();
  const struct {
    int column;
    Qt::SortOrder order;
    const char* black;
  } cases[] = {
      {GameListModel::White, Qt::AscendingOrder, "Ann|本因坊|Lee Sedol"},  // Bob, lee, Ёжик
      {GameListModel::Date, Qt::DescendingOrder, "Lee Sedol|本因坊|Ann"},
      {GameListModel::Moves, Qt::AscendingOrder, "Lee Sedol|本因坊|Ann"},
      {GameListModel::Number, Qt::DescendingOrder, "Ann|本因坊|Lee Sedol"},
  };
  for (const auto& c : cases) {
    SortBy(c.column, c.order);
    EXPECT_EQ(Shown(GameListModel::Black), c.black) << c.column;
  }
}

// Enter and a double-click open the game; the title says which of the
// file's games it is; with unsaved edits the user is asked first, and
// Cancel keeps the game and its edits.
TEST_F(GameListTest, EnterOrADoubleClickOpensTheGameAskingFirstAboutEdits) {
  StartOn("games.sgf", kGames);
  WaitForRows();
  SelectRow(1);
  PressInList(Qt::Key_Return);
  EXPECT_EQ(Open(), "games.sgf 2");
  EXPECT_EQ(Title(), "games.sgf [2/3]");
  EXPECT_EQ(editor().GameInfoNode()->Find(kPropPB)->text(), u"本因坊");

  editor().SetComment(u"mine");
  QTableView& table = List().table();
  const QRect third = table.visualRect(table.model()->index(2, 1));
  // Through the window system, which turns a second press into a double-click.
  QTest::mouseDClick(List().windowHandle(), Qt::LeftButton, {},
                     table.viewport()->mapTo(&List(), third.center()));
  ProcessEvents();
  ASSERT_FALSE(dialogs_->shown.empty());
  EXPECT_EQ(dialogs_->shown.back(), "save changes: games.sgf");
  EXPECT_EQ(Open(), "games.sgf 2") << "Cancel keeps the game";
  EXPECT_TRUE(editor().modified());
  EXPECT_EQ(Title(), "games.sgf [2/3] *");

  dialogs_->saveAnswers.push_back(Answer::Discard);
  Filter(QStringLiteral("ann"));
  QTest::keyClick(&List().filterBox(), Qt::Key_Return);
  ProcessEvents();
  EXPECT_EQ(Open(), "games.sgf 3") << "Enter in the filter box opens the row found";
  EXPECT_FALSE(editor().modified());
}

// Ctrl+Page Down and Ctrl+Page Up go through the list as it is sorted and
// filtered, from the main window and from the list alike.
TEST_F(GameListTest, NextAndPreviousGameFollowTheSortedAndFilteredList) {
  StartOn("games.sgf", kGames);
  WaitForRows();
  SortBy(GameListModel::White, Qt::DescendingOrder);  // Ёжик, lee, Bob
  Filter(QStringLiteral("le"));                       // Lee Sedol, 本因坊 (lee)
  ASSERT_EQ(Shown(GameListModel::Number), "1|2");
  QApplication::setActiveWindow(&app_->frame());
  app_->frame().activateWindow();
  Press(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(Open(), "games.sgf 2");
  EXPECT_FALSE(Item("Move/Next Game")->isEnabled()) << "the last game shown";
  Filter(QString());
  SortBy(GameListModel::White, Qt::AscendingOrder);  // Bob, lee, Ёжик
  PressInList(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(Open(), "games.sgf 3");
  EXPECT_EQ(List().table().currentIndex().row(), 0) << "the list marks the game opened";
  PressInList(Qt::Key_PageDown, Qt::ControlModifier);
  PressInList(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(Open(), "games.sgf 1");
  EXPECT_EQ(Title(), "games.sgf [1/3]");
}

// The preview shows a problem at its first node, without its answer, or
// a game at a move or at the end of its main line; the choice is kept.
TEST_F(GameListTest, ThePreviewStopsWhereTheListsOptionsSay) {
  StartOn("games.sgf", kGames);
  WaitForRows();
  SelectRow(2);
  const app::GamePreview& preview = List().preview();
  ASSERT_NE(preview.position(), nullptr);
  const auto stonesOnLine = [&](int y) {
    return preview.position()->StonesAsText().substr(static_cast<size_t>(y) * 10, 9);
  };
  EXPECT_EQ(stonesOnLine(4) + stonesOnLine(5) + stonesOnLine(6) + stonesOnLine(7),
            "....X.........X.........O.........X.")
      << "the last move by default";
  List().previewStop().setCurrentIndex(0);
  EXPECT_EQ(stonesOnLine(4) + stonesOnLine(5), "....X.............") << "only the setup";
  List().previewStop().setCurrentIndex(1);
  List().previewMove().setValue(2);
  EXPECT_EQ(preview.position()->moveNumber(), 2);
  EXPECT_EQ(stonesOnLine(6), "......O..");
  EXPECT_TRUE(Exit());
  EXPECT_EQ(QSettings(QSettings::UserScope, "Brenmoor", "Vantaro").value("GameList/Preview"), 1);
}

// The filter kept every row when a typed word stood in a folder above the
// records (the user's home folder, a temporary folder): the words are looked
// for in the file's name as the list shows it.
TEST_F(GameListTest, TheFilterLooksInTheFileNameNotInTheFoldersAboveIt) {
  StartOn("start.sgf", "(;PB[start])");
  const std::string folder = directory_.PathOf("leeds/games");
  std::filesystem::create_directories(folder);
  directory_.Write("leeds/games/ann.sgf", "(;PB[Ann]PW[Bob])");
  dialogs_->files.push_back(folder);
  Choose("File/Open Folder...");
  WaitForRows();
  Filter(QStringLiteral("leeds"));
  EXPECT_EQ(Shown(GameListModel::Black), "");
  Filter(QStringLiteral("games ann"));
  EXPECT_EQ(Shown(GameListModel::Black), "");
  Filter(QStringLiteral("ann.sgf bob"));
  EXPECT_EQ(Shown(GameListModel::Black), "Ann");
}

// A folder lists every record file below it; a damaged record shows what
// could be read, one that cannot be read is a row with its error, and
// opening another file's game asks about unsaved edits first.
TEST_F(GameListTest, AFolderListsItsRecordFilesWithARowForEachOneThatCannotBeRead) {
  StartOn("start.sgf", "(;PB[start])");
  const std::string folder = directory_.PathOf("records");
  std::filesystem::create_directories(folder + "/sub");
  directory_.Write("records/a.sgf", "(;PB[first];B[aa])(;PB[second])");
  directory_.Write("records/sub/b.SGF", "(;PB[damaged];B[aa];W[");
  directory_.Write("records/sub/c.ngf", "only\nthree\nlines\n");
  directory_.Write("records/notes.txt", "(;PB[not listed])");
  dialogs_->files.push_back(folder);
  Choose("File/Open Folder...");
  ASSERT_TRUE(List().isVisible());
  WaitForRows();
  SortBy(GameListModel::File, Qt::AscendingOrder);
  EXPECT_EQ(List().windowTitle(), "Games - records");
  EXPECT_EQ(Shown(GameListModel::File), "a.sgf|a.sgf|sub/b.SGF|sub/c.ngf");
  EXPECT_EQ(Shown(GameListModel::Black),
            "first|second|damaged|not an NGF record: fewer than 12 lines");
  EXPECT_EQ(Shown(GameListModel::Number), "1|2|1|");
  EXPECT_EQ(List().status().text(), "3 games, 1 files could not be read");

  editor().SetComment(u"mine");
  SelectRow(1);
  PressInList(Qt::Key_Return);
  EXPECT_EQ(dialogs_->shown.back(), "save changes: start.sgf");
  EXPECT_EQ(Open(), "start.sgf 1");
  dialogs_->saveAnswers.push_back(Answer::Discard);
  PressInList(Qt::Key_Return);
  EXPECT_EQ(Open(), "a.sgf 2");
  EXPECT_EQ(Title(), "a.sgf [2/2]");
  SelectRow(3);
  PressInList(Qt::Key_Return);
  EXPECT_EQ(Open(), "a.sgf 2") << "the row of a file that cannot be read opens nothing";
  PressInList(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(Open(), "b.SGF 1");
  EXPECT_FALSE(Item("Move/Next Game")->isEnabled()) << "nor is it a next game";
}

// Cancel stops the reading of a folder: the files read stay listed and can
// be opened; rows arriving while the list is sorted take their place.
TEST_F(GameListTest, CancelStopsReadingAFolderAndKeepsWhatWasRead) {
  StartOn("start.sgf", "(;PB[start])");
  const std::string folder = directory_.PathOf("many");
  std::filesystem::create_directories(folder);
  constexpr int kFiles = 500;
  // Long comments keep the reading busy for a while: tiny files could all be
  // read before the click on a loaded machine, and there would be nothing
  // left to cancel.
  const std::string comment(40000, 'c');
  for (int i = 0; i < kFiles; ++i) {
    directory_.Write("many/" + std::to_string(i) + ".sgf",
                     "(;PB[p" + std::to_string(kFiles - i) + "]C[" + comment + "];B[aa])");
  }
  dialogs_->files.push_back(folder);
  dialogs_->files.push_back(folder);
  SortBy(GameListModel::Black, Qt::AscendingOrder);
  Item("File/Open Folder...")->trigger();
  List().cancelButton().click();
  WaitForRows();
  const int read = List().model().rowCount();
  EXPECT_LT(read, kFiles);
  EXPECT_FALSE(List().progress().isVisibleTo(&List()));
  EXPECT_NE(List().status().text().toStdString().find(", cancelled after "), std::string::npos)
      << List().status().text().toStdString();

  Choose("File/Open Folder...");
  WaitForRows();
  EXPECT_EQ(List().model().rowCount(), kFiles);
  EXPECT_EQ(Shown(GameListModel::Black).substr(0, 19), "p1|p10|p100|p101|p1");
  SelectRow(0);
  PressInList(Qt::Key_Return);
  EXPECT_EQ(Open(), std::to_string(kFiles - 1) + ".sgf 1");
}

}  // namespace
}  // namespace vantaro::test
