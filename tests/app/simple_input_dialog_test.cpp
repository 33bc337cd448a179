#include "app/simple_input_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/dialogs.h"
#include "qt_test_support.h"

namespace vantaro::test {
namespace {

using app::CDlgSimpleInput;

class SimpleInputDialogTest : public QtTest {
 protected:
  // Acts on the input dialog once it is shown, as a user would.
  static void WhenShown(std::function<void(CDlgSimpleInput&)> act) {
    QTimer::singleShot(0, [act] {
      auto* dialog = qobject_cast<CDlgSimpleInput*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
    });
  }
  app::QtDialogs dialogs_;
};

TEST_F(SimpleInputDialogTest, TypingReplacesTheOfferedValueAndEnterAnswers) {
  WhenShown([](CDlgSimpleInput& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Vantaro");
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Jump to move number");
    QTest::keyClicks(dialog.edit(), "120");
    QTest::keyClick(dialog.edit(), Qt::Key_Return);
  });
  EXPECT_EQ(dialogs_.PromptText(u"Jump to move number", u"1"), u"120");
}

// OK is the default button and keeps the value as it stands; Cancel gives nothing.
TEST_F(SimpleInputDialogTest, TheButtonsKeepTheOfferedValueOrCancel) {
  for (const char* pressed : {"OK", "Cancel"}) {
    WhenShown([pressed](CDlgSimpleInput& dialog) {
      for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        EXPECT_EQ(button->isDefault(), button->text() == "OK");
        if (button->text() == pressed) QTest::mouseClick(button, Qt::LeftButton);
      }
    });
    const auto answer = dialogs_.PromptText(u"Please enter new node name:", u"名前 이름");
    EXPECT_EQ(answer, std::string_view(pressed) == "OK"
                          ? std::optional<std::u16string>(u"名前 이름")
                          : std::nullopt);
  }
}

}  // namespace
}  // namespace vantaro::test
