#include "qt_test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QWidget>

#include <cstdlib>

#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

// Made before the first test runs and kept to the end of the program, as Qt wants.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vantaro-test";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { application_.reset(); }

 private:
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

std::string Utf8(const std::u16string& text) {
  return ToDisplayUtf8(text);
}

}  // namespace

QtTest::QtTest() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(UserSettings().string()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                     QString::fromStdString(MachineSettings().string()));
}

QtTest::~QtTest() {
  ProcessEvents();
}

std::filesystem::path QtTest::UserSettings() const {
  return directory_.path() / "user";
}

std::filesystem::path QtTest::MachineSettings() const {
  return directory_.path() / "machine";
}

void QtTest::ProcessEvents() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

void ScriptedDialogs::ShowMessage(const std::u16string& text, DocumentUi::Icon) {
  shown.push_back("message: " + Utf8(text));
}

bool ScriptedDialogs::AskYesNo(const std::u16string& text) {
  shown.push_back("question: " + Utf8(text));
  return yes;
}

app::Dialogs::SaveAnswer ScriptedDialogs::AskSaveChanges(const std::u16string& documentName) {
  shown.push_back("save changes: " + Utf8(documentName));
  if (saveAnswers.empty()) return SaveAnswer::Cancel;
  const SaveAnswer answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::optional<std::u16string> ScriptedDialogs::PromptText(const std::u16string& prompt,
                                                          const std::u16string& initial) {
  shown.push_back("prompt: " + Utf8(prompt) + " [" + Utf8(initial) + "]");
  if (texts.empty()) return std::nullopt;
  std::u16string text = texts.front();
  texts.pop_front();
  return text;
}

std::optional<std::string> ScriptedDialogs::PromptOpenFile(const std::string&) {
  shown.push_back("open");
  if (files.empty()) return std::nullopt;
  std::string file = files.front();
  files.pop_front();
  return file;
}

std::optional<std::string> ScriptedDialogs::PromptSaveFile(const std::string& defaultName) {
  shown.push_back("save as: " + defaultName);
  if (files.empty()) return std::nullopt;
  std::string file = files.front();
  files.pop_front();
  return file;
}

std::string WindowTitle(const QWidget& widget) {
  return widget.windowTitle().toStdString();
}

}  // namespace vantaro::test
