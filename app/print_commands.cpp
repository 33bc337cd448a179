#include "app/print_commands.h"

#include <QPrinter>
#include <QWidget>

#include <filesystem>

#include "app/dialogs.h"
#include "document/vantaro_doc.h"
#include "figures/figure_line.h"
#include "figures/figures.h"
#include "options/ui_strings.h"
#include "render/board_drawer.h"
#include "render/printout.h"
#include "text/text_conversion.h"

namespace vantaro::app {
namespace {

// "Failed to save file %s" for the path.
std::u16string FailedToSave(const std::string& path) {
  std::u16string text = UiString(kStrFailedToSaveFile);
  const size_t field = text.find(u"%s");
  if (field != std::u16string::npos) text.replace(field, 2, FromUtf8(path));
  return text;
}

}  // namespace

PrintCommands::PrintCommands(CVantaroCEDoc& document, Options& options, Dialogs& dialogs,
                             const QWidget& boardView)
    : document_(document), options_(options), dialogs_(dialogs), boardView_(boardView) {}

void PrintCommands::Run(DocumentUi::Output output) {
  using Output = DocumentUi::Output;
  switch (output) {
    case Output::PageSetup:
      dialogs_.EditPrintSettings(options_);
      return;
    case Output::PrintPreview:
      Preview();
      return;
    case Output::Print:
      Print();
      return;
    case Output::ExportPdf:
      ExportPdf();
      return;
    case Output::BoardPng:
      ExportBoard(PictureFormat::Png);
      return;
    case Output::BoardSvg:
      ExportBoard(PictureFormat::Svg);
      return;
  }
}

std::vector<Figure> PrintCommands::CurrentFigures() const {
  const GoEditor& editor = *document_.editor();
  return CutFigures(*editor.recordRoot(), LineThrough(*editor.cursorTree()),
                    FigureRulesFrom(options_));
}

bool PrintCommands::PaintPrintout(QPagedPaintDevice& device) const {
  const GoEditor* editor = document_.editor();
  return editor != nullptr &&
         PrintFigures(*editor->recordRoot(), CurrentFigures(), options_, device);
}

void PrintCommands::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdU16String(document_.Title()));
  if (!dialogs_.ChoosePrinter(printer)) return;
  if (!PaintPrintout(printer)) ReportFailure(u"The printer could not print the game.");
}

void PrintCommands::Preview() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdU16String(document_.Title()));
  dialogs_.ShowPrintPreview(printer, [this](QPrinter& pages) { PaintPrintout(pages); });
}

void PrintCommands::ExportPdf() {
  const GoEditor* editor = document_.editor();
  if (editor == nullptr) return;
  const auto path = dialogs_.PromptExportFile(DefaultName(".pdf"), "PDF Files (*.pdf)");
  if (!path) return;
  if (!SavePrintout(*editor->recordRoot(), CurrentFigures(), options_, *path)) {
    ReportFailure(FailedToSave(*path));
  }
}

void PrintCommands::ExportBoard(PictureFormat format) {
  const GoEditor* editor = document_.editor();
  if (editor == nullptr) return;
  const bool png = format == PictureFormat::Png;
  const auto path = dialogs_.PromptExportFile(
      DefaultName(png ? ".png" : ".svg"), png ? "PNG Pictures (*.png)" : "SVG Pictures (*.svg)");
  if (!path) return;
  CBoardDrawer drawer(options_);
  drawer.SetBoard(editor);
  if (!SaveBoardPicture(drawer, std::max(boardView_.width(), 1), std::max(boardView_.height(), 1),
                        *path, format)) {
    ReportFailure(FailedToSave(*path));
  }
}

std::string PrintCommands::DefaultName(std::string_view extension) const {
  const std::filesystem::path record(document_.path());
  const std::string stem = record.empty() ? std::string("Untitled") : record.stem().string();
  return (record.parent_path() / (stem + std::string(extension))).string();
}

void PrintCommands::ReportFailure(const std::u16string& text) const {
  dialogs_.ShowMessage(text, DocumentUi::Icon::Exclamation);
}

}  // namespace vantaro::app
