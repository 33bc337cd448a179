#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include "app/dialogs.h"
#include "qt_test_support.h"

namespace vantaro::test {
namespace {

// The program's own dialogs as the user meets them: each test answers the
// modal window that opens, from inside its event loop.
class QtDialogsTest : public QtTest {
 protected:
  // Runs answer on the modal window that opens next.
  static void WhenShown(std::function<void(QWidget&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
      QWidget* shown = QApplication::activeModalWidget();
      ASSERT_NE(shown, nullptr) << "no dialog opened";
      answer(*shown);
    });
  }

  app::QtDialogs dialogs_;
};

TEST_F(QtDialogsTest, Fault9TheOpenDialogOffersEveryRecordFormatItReadsFirst) {
  std::vector<std::string> filters;
  std::string chosen;
  WhenShown([&](QWidget& shown) {
    auto& dialog = dynamic_cast<QFileDialog&>(shown);
    for (const QString& filter : dialog.nameFilters()) filters.push_back(filter.toStdString());
    chosen = dialog.selectedNameFilter().toStdString();
    dialog.reject();
  });
  EXPECT_EQ(dialogs_.PromptOpenFile(directory_.path().string()), std::nullopt);
  EXPECT_EQ(filters, std::vector<std::string>({
                         "Game Records (*.sgf *.mgt *.gib *.ugf *.ugi *.ngf *.gos *.bdx *.go)",
                         "SGF Files (*.sgf *.mgt)",
                         "GIB Files (*.gib)",
                         "UGF Files (*.ugf)",
                         "UGI Files (*.ugi)",
                         "NGF Files (*.ngf)",
                         "GOS Files (*.gos)",
                         "BDX Files (*.bdx)",
                         "GO Files (*.go)",
                         "All Files (*)",
                     }));
  EXPECT_EQ(chosen, filters.front());
}

// Save As writes SGF: a name typed without an extension gets .sgf, unless
// the user chose All Files.
TEST_F(QtDialogsTest, Fault10SaveAsWithTheSgfFilterAddsSgfToANameWithoutAnExtension) {
  const auto save = [&](const std::string& name, int filter) {
    WhenShown([&](QWidget& shown) {
      auto& dialog = dynamic_cast<QFileDialog&>(shown);
      auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      ASSERT_NE(types, nullptr);
      // What the box does when the user picks an entry.
      types->setCurrentIndex(filter);
      emit types->activated(filter);
      emit types->textActivated(types->itemText(filter));
      dialog.selectFile(QString::fromStdString(directory_.PathOf(name)));
      static_cast<QDialog&>(dialog).accept();
    });
    return dialogs_.PromptSaveFile(directory_.PathOf("Untitled.sgf"));
  };
  EXPECT_EQ(save("game", 0), directory_.PathOf("game.sgf"));
  EXPECT_EQ(save("game.v2.sgf", 0), directory_.PathOf("game.v2.sgf"));
  EXPECT_EQ(save("notes", 1), directory_.PathOf("notes"));
}

// One name, "Vantaro", and the project's version, wherever the program names itself.
TEST_F(QtDialogsTest, Fault12TheProgramNamesItselfVantaroWithTheProjectsVersion) {
  std::vector<std::string> titles;
  std::string versionLine;
  const auto close = [&](QWidget& shown) {
    titles.push_back(shown.windowTitle().toStdString());
    if (auto* version = shown.findChild<QLabel*>(QStringLiteral("version"))) {
      versionLine = version->text().toStdString();
    }
    dynamic_cast<QDialog&>(shown).reject();
  };
  WhenShown(close);
  dialogs_.ShowMessage(u"text", DocumentUi::Icon::Exclamation);
  WhenShown(close);
  dialogs_.AskYesNo(u"text");
  WhenShown(close);
  dialogs_.AskSaveChanges(u"game.sgf");
  WhenShown(close);
  dialogs_.PromptText(u"prompt", u"");
  WhenShown(close);
  dialogs_.ShowAbout();
  EXPECT_EQ(titles, std::vector<std::string>(
                        {"Vantaro", "Vantaro", "Vantaro", "Vantaro", "About Vantaro"}));
  EXPECT_EQ(versionLine, "Vantaro " PROJECT_VERSION);
}

}  // namespace
}  // namespace vantaro::test
