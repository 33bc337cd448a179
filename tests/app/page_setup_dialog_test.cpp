#include "app/page_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "options/options.h"
#include "qt_test_support.h"

namespace vantaro::test {
namespace {

using PageSetupDialogTest = QtTest;

TEST_F(PageSetupDialogTest, ShowsTheSettingsAndWritesBackWhatWasChanged) {
  Options options;
  options.printPageType = 1;
  options.printFixedMoveCount = 25;
  options.printFigurePerPage = 6;
  options.printShowCoord = false;
  options.printFooter = u"\u672c\u56e0\u574a %PAGE%";
  app::CDlgPageSetup dialog(options);
  EXPECT_EQ(dialog.cutting()->currentIndex(), 1);
  EXPECT_EQ(dialog.movesPerFigure()->value(), 25);
  EXPECT_EQ(dialog.figuresPerPage()->currentText(), "6");
  EXPECT_FALSE(dialog.coordinates()->isChecked());
  EXPECT_EQ(dialog.title()->text().toStdU16String(), options.printTitleString);

  Options unchanged = options;
  dialog.Apply(unchanged);
  EXPECT_EQ(unchanged.printFooter, options.printFooter);
  EXPECT_EQ(unchanged.printFigurePerPage, 6);
  EXPECT_EQ(unchanged.printPageType, 1);

  dialog.cutting()->setCurrentIndex(0);
  dialog.movesPerFigure()->setValue(10);
  dialog.figuresPerPage()->setCurrentIndex(1);
  dialog.moveNumbers()->setChecked(false);
  dialog.markers()->setChecked(false);
  dialog.coordinates()->setChecked(true);
  dialog.subtitle()->setText(QStringLiteral("%EV%"));
  dialog.header()->clear();
  dialog.Apply(options);
  EXPECT_EQ(options.printPageType, 0);
  EXPECT_EQ(options.printFixedMoveCount, 10);
  EXPECT_EQ(options.printFigurePerPage, 2);
  EXPECT_FALSE(options.printShowMoveNumber);
  EXPECT_FALSE(options.printShowMarkers);
  EXPECT_TRUE(options.printShowCoord);
  EXPECT_EQ(options.printSubTitle, u"%EV%");
  EXPECT_EQ(options.printHeader, u"");
}

// A value the printout takes as another shows, and is kept, as that one.
TEST_F(PageSetupDialogTest, ValuesThatPrintAsOthersShowAsThose) {
  Options options;
  options.printPageType = 7;
  options.printFigurePerPage = 5;
  app::CDlgPageSetup dialog(options);
  EXPECT_EQ(dialog.cutting()->currentIndex(), 0);
  EXPECT_EQ(dialog.figuresPerPage()->currentText(), "4");
  dialog.Apply(options);
  EXPECT_EQ(options.printPageType, 0);
  EXPECT_EQ(options.printFigurePerPage, 4);
}

}  // namespace
}  // namespace vantaro::test
