#include "app/dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include "app/about_dialog.h"
#include "app/game_info_dialog.h"
#include "app/page_setup_dialog.h"
#include "app/program_name.h"
#include "app/simple_input_dialog.h"
#include "record/record_format.h"

namespace vantaro::app {
namespace {

const QString kSgfSaveFilter = QStringLiteral("SGF Files (*.sgf)");
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

// Every record format Open reads, chosen by default, then each format alone.
QStringList OpenFilters() {
  QStringList every;
  QList<std::pair<RecordFormat, QStringList>> formats;
  for (const FormatExtension& known : RecordExtensions()) {
    const QString pattern = QStringLiteral("*.") + QString::fromLatin1(known.extension);
    every << pattern;
    if (formats.isEmpty() || formats.back().first != known.format) {
      formats.append({known.format, {}});
    }
    formats.back().second << pattern;
  }
  QStringList filters{QStringLiteral("Game Records (%1)").arg(every.join(u' '))};
  for (const auto& [format, patterns] : formats) {
    const std::string_view name = FormatName(format);
    filters << QStringLiteral("%1 Files (%2)")
                   .arg(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                        patterns.join(u' '));
  }
  return filters << kAllFilesFilter;
}

// A name without an extension saved as SGF gets .sgf, on any platform's dialog.
QString WithSgfExtension(const QString& path) {
  const QString name = path.section(u'/', -1);
  return name.isEmpty() || name.contains(u'.') ? path : path + QStringLiteral(".sgf");
}

QMessageBox::Icon BoxIcon(DocumentUi::Icon icon) {
  switch (icon) {
    case DocumentUi::Icon::Exclamation:
      return QMessageBox::Warning;
    case DocumentUi::Icon::Stop:
      return QMessageBox::Critical;
    case DocumentUi::Icon::Question:
      return QMessageBox::Question;
    case DocumentUi::Icon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QWidget* Parent() {
  return QApplication::activeWindow();
}

QString Text(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

std::optional<std::string> FileName(const QString& chosen) {
  if (chosen.isEmpty()) return std::nullopt;
  return QFile::encodeName(chosen).toStdString();
}

}  // namespace

std::u16string SaveChangesQuestion(const std::u16string& documentName) {
  return u"Save changes to " + documentName + u"?";
}

void QtDialogs::ShowMessage(const std::u16string& text, DocumentUi::Icon icon) {
  QMessageBox box(BoxIcon(icon), kProgramName, Text(text), QMessageBox::Ok, Parent());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtDialogs::AskYesNo(const std::u16string& text) {
  QMessageBox box(QMessageBox::Question, kProgramName, Text(text),
                  QMessageBox::Yes | QMessageBox::No, Parent());
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

DocumentUi::Answer QtDialogs::AskYesNoCancel(const std::u16string& text) {
  QMessageBox box(QMessageBox::Question, kProgramName, Text(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return DocumentUi::Answer::Yes;
    case QMessageBox::No:
      return DocumentUi::Answer::No;
    default:
      return DocumentUi::Answer::Cancel;
  }
}

Dialogs::SaveAnswer QtDialogs::AskSaveChanges(const std::u16string& documentName) {
  QMessageBox box(QMessageBox::Warning, kProgramName, Text(SaveChangesQuestion(documentName)),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveAnswer::Save;
    case QMessageBox::No:
      return SaveAnswer::Discard;
    default:
      return SaveAnswer::Cancel;
  }
}

std::optional<std::u16string> QtDialogs::PromptText(const std::u16string& prompt,
                                                    const std::u16string& initial) {
  CDlgSimpleInput dialog(Parent());
  dialog.SetPrompt(Text(prompt));
  dialog.SetValue(Text(initial));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.value().toStdU16String();
}

std::optional<std::string> QtDialogs::PromptOpenFile(const std::string& folder) {
  return FileName(QFileDialog::getOpenFileName(Parent(), QStringLiteral("Open"),
                                               QFile::decodeName(folder.c_str()),
                                               OpenFilters().join(QStringLiteral(";;"))));
}

std::optional<std::string> QtDialogs::PromptSaveFile(const std::string& defaultName) {
  QFileDialog dialog(Parent(), QStringLiteral("Save As"), QFile::decodeName(defaultName.c_str()));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({kSgfSaveFilter, kAllFilesFilter});
  // The suffix goes on before the dialog asks about replacing an existing file.
  dialog.setDefaultSuffix(QStringLiteral("sgf"));
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kSgfSaveFilter ? QStringLiteral("sgf") : QString());
      });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().front();
  return FileName(dialog.selectedNameFilter() == kSgfSaveFilter ? WithSgfExtension(chosen)
                                                                : chosen);
}

std::optional<std::string> QtDialogs::PromptFolder(const std::string& folder) {
  return FileName(QFileDialog::getExistingDirectory(Parent(), QStringLiteral("Open Folder"),
                                                    QFile::decodeName(folder.c_str())));
}

std::optional<std::string> QtDialogs::PromptExportFile(const std::string& defaultName,
                                                       const std::string& filter) {
  return FileName(QFileDialog::getSaveFileName(Parent(), QStringLiteral("Export"),
                                               QFile::decodeName(defaultName.c_str()),
                                               QString::fromStdString(filter)));
}

void QtDialogs::ShowAbout() {
  CAboutDlg(Parent()).exec();
}

std::optional<std::vector<GameInfoEdit>> QtDialogs::EditGameInformation(const Node& node,
                                                                        bool readOnly) {
  GameInfoDialog dialog(node, readOnly, Parent());
  if (dialog.exec() != QDialog::Accepted || readOnly) return std::nullopt;
  return dialog.Edits();
}

bool QtDialogs::ChoosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, Parent());
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::ShowPrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
  QPrintPreviewDialog dialog(&printer, Parent());
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&paint](QPrinter* pages) { paint(*pages); });
  dialog.exec();
}

bool QtDialogs::EditPrintSettings(Options& options) {
  CDlgPageSetup dialog(options, Parent());
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.Apply(options);
  return true;
}

}  // namespace vantaro::app
