#include "qt_test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTest>

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

// The next scripted answer; none when the queue is empty.
template <typename Answer>
std::optional<Answer> Take(std::deque<Answer>& answers) {
  if (answers.empty()) return std::nullopt;
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

QtTest::QtTest() {
  // The recovery journal of each test is its own.
  setenv("XDG_STATE_HOME", (directory_.path() / "state").c_str(), 1);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(UserSettings().string()));
  // Where vantaro-cli, started by a test, finds the same settings.
  setenv("XDG_CONFIG_HOME", UserSettings().c_str(), 1);
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                     QString::fromStdString(MachineSettings().string()));
}

QtTest::~QtTest() {
  ProcessEvents();
}

void QtTest::ProcessEvents() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

void ScriptedDialogs::ShowMessage(const std::u16string& text, DocumentUi::Icon) {
  shown.push_back("message: " + ToDisplayUtf8(text));
}

bool ScriptedDialogs::AskYesNo(const std::u16string& text) {
  shown.push_back("question: " + ToDisplayUtf8(text));
  return yes;
}

DocumentUi::Answer ScriptedDialogs::AskYesNoCancel(const std::u16string& text) {
  shown.push_back("question: " + ToDisplayUtf8(text));
  return Take(answers).value_or(DocumentUi::Answer::Cancel);
}

app::Dialogs::SaveAnswer ScriptedDialogs::AskSaveChanges(const std::u16string& documentName) {
  shown.push_back("save changes: " + ToDisplayUtf8(documentName));
  return Take(saveAnswers).value_or(SaveAnswer::Cancel);
}

std::optional<std::u16string> ScriptedDialogs::PromptText(const std::u16string& prompt,
                                                          const std::u16string& initial) {
  shown.push_back("prompt: " + ToDisplayUtf8(prompt) + " [" + ToDisplayUtf8(initial) + "]");
  return Take(texts);
}

std::optional<std::string> ScriptedDialogs::PromptOpenFile(const std::string&) {
  shown.push_back("open");
  return Take(files);
}

std::optional<std::string> ScriptedDialogs::PromptFolder(const std::string&) {
  shown.push_back("open folder");
  return Take(files);
}

std::optional<std::string> ScriptedDialogs::PromptSaveFile(const std::string& defaultName) {
  shown.push_back("save as: " + defaultName);
  return Take(files);
}

std::optional<std::vector<GameInfoEdit>> ScriptedDialogs::EditGameInformation(const Node& node,
                                                                              bool readOnly) {
  shown.push_back(readOnly ? "game information read-only" : "game information");
  app::GameInfoDialog dialog(node, readOnly);
  dialog.show();
  const bool confirmed = gameInfo && gameInfo(dialog);
  auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ok"));
  if (!confirmed || ok == nullptr || !ok->isEnabled()) return std::nullopt;
  QTest::mouseClick(ok, Qt::LeftButton);
  if (dialog.result() != QDialog::Accepted) return std::nullopt;
  return dialog.Edits();
}

std::optional<std::string> ScriptedDialogs::PromptExportFile(const std::string& defaultName,
                                                             const std::string& filter) {
  shown.push_back("export: " + defaultName + " [" + filter + "]");
  return Take(files);
}

bool ScriptedDialogs::ChoosePrinter(QPrinter& printer) {
  shown.push_back("print");
  const std::optional<std::string> file = Take(files);
  if (!file) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(*file));
  return true;
}

void ScriptedDialogs::ShowPrintPreview(QPrinter& printer,
                                       const std::function<void(QPrinter&)>& paint) {
  shown.push_back("preview");
  if (const std::optional<std::string> file = Take(files)) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(*file));
    paint(printer);
  }
}

bool ScriptedDialogs::EditPrintSettings(Options& options) {
  shown.push_back("page setup");
  const std::optional<std::function<void(Options&)>> edit = Take(settingsEdits);
  if (!edit) return false;
  (*edit)(options);
  return true;
}

}  // namespace vantaro::test
