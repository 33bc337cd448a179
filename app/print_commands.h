#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/document_ui.h"
#include "figures/figures.h"
#include "render/board_picture.h"

class QPagedPaintDevice;
class QWidget;

namespace vantaro {
class CVantaroCEDoc;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class Dialogs;

// The printout and picture commands of the File menu. The printout is the
// current line cut into figures by the print settings; the pictures are the
// board as the board view shows it now, at its size.
class PrintCommands {
 public:
  // All must outlive the object.
  PrintCommands(CVantaroCEDoc& document, Options& options, Dialogs& dialogs,
                const QWidget& boardView);

  void Run(DocumentUi::Output output);

 private:
  void Print();
  void Preview();
  void ExportPdf();
  void ExportBoard(PictureFormat format);
  // The current line's figures; there must be a record.
  std::vector<Figure> CurrentFigures() const;
  // False when there is no record or the device could not be painted on.
  bool PaintPrintout(QPagedPaintDevice& device) const;
  // The record's file name with the extension, or "Untitled" with it.
  std::string DefaultName(std::string_view extension) const;
  void ReportFailure(const std::u16string& text) const;

  CVantaroCEDoc& document_;
  Options& options_;
  Dialogs& dialogs_;
  const QWidget& boardView_;
};

}  // namespace vantaro::app
