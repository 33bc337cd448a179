#include "app/game_info_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/player_card.h"
#include "app/side_panel.h"
#include "app/text_line.h"
#include "desktop_app_fixture.h"

namespace vantaro::test {
namespace {

// Fields as a user finds them: by the property they stand for.
QLineEdit* Line(const app::GameInfoDialog& dialog, const char* identifier) {
  return dialog.findChild<QLineEdit*>(QString::fromLatin1(identifier));
}
std::string Reason(const app::GameInfoDialog& dialog, const char* identifier) {
  return dialog.findChild<QLabel*>(app::GameInfoDialog::ReasonName(identifier))
      ->text()
      .toStdString();
}
bool OkEnabled(const app::GameInfoDialog& dialog) {
  return dialog.findChild<QPushButton*>(QStringLiteral("ok"))->isEnabled();
}
void Retype(QLineEdit& field, const QString& text) {
  field.selectAll();
  QTest::keyClick(&field, Qt::Key_Delete);
  QTest::keyClicks(&field, text);
}

class GameInfoDialogTest : public QtTest {};

// Each value is checked as it is typed: refused values keep OK disabled,
// warned ones say why and may be kept.
TEST_F(GameInfoDialogTest, TypedValuesAreCheckedWithTheReasonBesideTheField) {
  const ReadRecord record = ReadSgfText("(;PB[Aoi])");
  app::GameInfoDialog dialog(*record.root->NodeAt(0), false);
  dialog.show();
  const struct {
    const char* identifier;
    const char* typed;
    const char* reason;
    bool ok;
  } cases[] = {
      {"KM", "6.5", "", true},
      {"KM", "six", "Komi must be a number, such as 6.5", false},
      {"KM", "", "", true},
      {"HA", "1", "Handicap must be 0 or a whole number from 2 up", false},
      {"HA", "2", "", true},
      {"DT", "2024-03-05,06", "", true},
      {"DT", "last spring",
       "Not a date of the form 2024-03-05 (or 2024-03, 2024, or a list such as 2024-03-05,06)",
       true},
      {"RE", "W+R", "", true},
      {"RE", "white wins", "Not a result of the form B+R, W+6.5, B+T, B+F, 0, Draw, Void or ?",
       true},
      {"PB", "Anything goes", "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.identifier << " " << c.typed);
    Retype(*Line(dialog, c.identifier), QString::fromUtf8(c.typed));
    EXPECT_EQ(Reason(dialog, c.identifier), c.reason);
    EXPECT_EQ(OkEnabled(dialog), c.ok);
  }
  const std::vector<GameInfoEdit> edits = dialog.Edits();
  ASSERT_EQ(edits.size(), 4u);  // DT, PB, HA and RE: KM is empty again, as it was
  EXPECT_EQ(edits[0].identifier, "DT");
  EXPECT_EQ(edits.back().identifier, "RE");
}

// A value outside its syntax is shown as the record holds it, does not
// keep OK disabled, and stays byte for byte unless the user changes it.
TEST_F(GameInfoDialogTest, AStoredValueOutsideItsSyntaxIsKeptUnlessEdited) {
  const ReadRecord record = ReadSgfText("(;KM[six and a half]GC[one\ntwo])");
  app::GameInfoDialog dialog(*record.root->NodeAt(0), false);
  EXPECT_EQ(Line(dialog, "KM")->text(), "six and a half");
  EXPECT_EQ(Reason(dialog, "KM"), "Komi must be a number, such as 6.5 (kept as it is)");
  EXPECT_TRUE(OkEnabled(dialog));
  EXPECT_EQ(dialog.findChild<QPlainTextEdit*>(QStringLiteral("GC"))->toPlainText(), "one\ntwo");
  Retype(*Line(dialog, "KM"), QStringLiteral("seven"));
  EXPECT_FALSE(OkEnabled(dialog));
  Retype(*Line(dialog, "KM"), QStringLiteral("six and a half"));
  EXPECT_TRUE(OkEnabled(dialog));
  EXPECT_TRUE(dialog.Edits().empty());
}

class GameInfoCommandTest : public DesktopAppTest {};

TEST_F(GameInfoCommandTest, OkStoresEveryChangedFieldAsOneUndoStep) {
  StartOn("game.sgf", "(;GM[1]SZ[9]PB[Aoi]KM[abc]XY[other]C[root];B[cc])");
  dialogs_->gameInfo = [](app::GameInfoDialog& dialog) {
    Retype(*Line(dialog, "PB"), QStringLiteral("Aoi Sato"));
    Retype(*Line(dialog, "PW"), QStringLiteral("Ren"));
    Retype(*Line(dialog, "RU"), QStringLiteral("Japanese"));
    auto* comment = dialog.findChild<QPlainTextEdit*>(QStringLiteral("GC"));
    QTest::keyClicks(comment, QStringLiteral("first"));
    QTest::keyClick(comment, Qt::Key_Return);
    QTest::keyClicks(comment, QStringLiteral("second"));
    return true;
  };
  const std::string before = Sgf();
  Choose("Edit/Game Information");
  EXPECT_EQ(dialogs_->shown.back(), "game information");
  EXPECT_EQ(Sgf(),
            "(;GM[1]XY[other]RU[Japanese]C[root]SZ[9]GC[first\r\nsecond]PB[Aoi Sato]PW[Ren]"
            "KM[abc]\r\n;B[cc])");
  EXPECT_EQ(Title(), "game.sgf *");
  EXPECT_TRUE(Item("Edit/Undo")->isEnabled());
  Choose("Edit/Undo");
  EXPECT_EQ(Sgf(), before);
  EXPECT_FALSE(Item("Edit/Undo")->isEnabled());
}

TEST_F(GameInfoCommandTest, AReadOnlyRecordShowsItReadOnly) {
  StartOn("game.sgf", "(;GM[1]PB[Aoi];B[cc])");
  Choose("Edit/Read Only");
  bool readOnlyFields = false;
  bool hasOk = true;
  dialogs_->gameInfo = [&](app::GameInfoDialog& dialog) {
    readOnlyFields = Line(dialog, "PB")->isReadOnly();
    hasOk = dialog.findChild<QPushButton*>(QStringLiteral("ok")) != nullptr;
    return true;
  };
  ASSERT_TRUE(Item("Edit/Game Information")->isEnabled());
  Choose("Edit/Game Information");
  EXPECT_EQ(dialogs_->shown.back(), "game information read-only");
  EXPECT_TRUE(readOnlyFields);
  EXPECT_FALSE(hasOk);
  EXPECT_FALSE(editor().modified());
}

// A record read from another format shows and edits its game information
// the same way, and the cards show what it names.
TEST_F(GameInfoCommandTest, AnImportedRecordShowsAndEditsItsGameInformation) {
  VANTARO_REQUIRE_SHARED();
  const auto path = SharedDir() / "corpus/gib/gib2sgf-kt/Menskit_1D__zxcv2358_1D__202006291602.gib";
  StartOn("game.gib", ReadFileBytes(path));
  EXPECT_EQ(Title(), "game.gib");
  const app::SidePanel& panel = *app_->frame().mainView().sidePanel();
  const auto shown = [](const app::PlayerCard& card, const char* line) {
    return card.findChild<app::TextLine*>(QString::fromLatin1(line))->text().toStdString();
  };
  EXPECT_EQ(shown(panel.blackCard(), "name"), "zxcv2358");
  EXPECT_EQ(shown(panel.whiteCard(), "rank"), "1D");
  EXPECT_EQ(shown(panel.whiteCard(), "komi"), "Komi: 6.5");
  std::string shownResult;
  dialogs_->gameInfo = [&](app::GameInfoDialog& dialog) {
    shownResult = Line(dialog, "RE")->text().toStdString();
    Retype(*Line(dialog, "RE"), QStringLiteral("W+24.5"));
    return true;
  };
  Choose("Edit/Game Information");
  EXPECT_EQ(shownResult, "white 24.5 win");
  EXPECT_EQ(GameInfoValue(*editor().GameInfoNode(), "RE"), u"W+24.5");
  EXPECT_EQ(GameInfoValue(*editor().GameInfoNode(), "PB"), u"zxcv2358 ");
}

}  // namespace
}  // namespace vantaro::test
