#include <QImage>

#include <filesystem>

#include "app/board_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "cli/cli_process.h"
#include "cli/output_checks.h"
#include "desktop_app_fixture.h"

namespace vantaro::test {
namespace {

constexpr char kGame[] =
    "(;GN[Demo]PW[White]PB[Black]SZ[9];B[cc];W[gg](;B[cg]C[main line])(;B[gc]C[side line]))";

class PrintingTest : public DesktopAppTest {
 protected:
  // Chooses the menu item with the file dialog answering path.
  void ChooseWithFile(const std::string& item, const std::string& path) {
    dialogs_->files.push_back(path);
    Choose(item);
  }
  QSize BoardViewSize() const { return app_->frame().mainView().boardView()->size(); }
  // What vantaro-cli render draws of the record at the current node, at the board view's size.
  QImage Rendered(const std::string& record) {
    const QSize size = BoardViewSize();
    const std::string picture = directory_.PathOf("rendered.png");
    const ProcessResult result =
        RunCli({"render", record, "--path", Where(), "--size",
                std::to_string(size.width()) + "x" + std::to_string(size.height()), "-o", picture});
    EXPECT_EQ(result.status, 0) << result.err;
    return QImage(QString::fromStdString(picture)).convertToFormat(QImage::Format_RGB32);
  }
  std::string PrintedText(const std::string& path) {
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
    return PdfText(path).value_or("");
  }
};

TEST_F(PrintingTest, BoardPicturesShowTheBoardAsRenderDrawsIt) {
  const std::string record = directory_.Write("game.sgf", kGame);
  Start({QString::fromStdString(record)});
  Choose("Move/Last");
  const std::string png = directory_.PathOf("board.png");
  ChooseWithFile("File/Export/Board as PNG...", png);
  EXPECT_EQ(dialogs_->shown.back(),
            "export: " + directory_.PathOf("game.png") + " [PNG Pictures (*.png)]");
  const QImage rendered = Rendered(record);
  const QImage exported = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(exported.size(), BoardViewSize());
  EXPECT_EQ(exported, rendered);

  const std::string svg = directory_.PathOf("board.svg");
  ChooseWithFile("File/Export/Board as SVG...", svg);
  const SvgContents contents = ReadSvg(svg, BoardViewSize().width() / 9.0 / 3);
  EXPECT_TRUE(contents.parsed);
  EXPECT_EQ(contents.discs, 3);
  EXPECT_LT(PercentDifferent(Rasterised(svg, rendered.size()), rendered), 1.0);
}

TEST_F(PrintingTest, PrintPreviewAndPdfPrintTheLineThroughTheCurrentNode) {
  Start({QString::fromStdString(directory_.Write("game.sgf", kGame))});
  const std::string printed = directory_.PathOf("printed.pdf");
  ChooseWithFile("File/Print...", printed);
  const std::string text = PrintedText(printed);
  if (!PdfText(printed)) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  EXPECT_NE(text.find("Demo White (W) vs Black (B) Page 1 of 1"), std::string::npos) << text;
  EXPECT_NE(text.find("3: main line"), std::string::npos) << text;
  EXPECT_EQ(text.find("side line"), std::string::npos) << text;

  GoTo(editor(), {{1}, 0});
  const std::string exported = directory_.PathOf("exported.pdf");
  ChooseWithFile("File/Export/PDF...", exported);
  EXPECT_NE(PrintedText(exported).find("3: side line"), std::string::npos);
  const std::string previewed = directory_.PathOf("previewed.pdf");
  ChooseWithFile("File/Print Preview...", previewed);
  EXPECT_NE(PrintedText(previewed).find("3: side line"), std::string::npos);
  EXPECT_EQ(dialogs_->shown,
            (std::vector<std::string>{
                "print", "export: " + directory_.PathOf("game.pdf") + " [PDF Files (*.pdf)]",
                "preview"}));
}

TEST_F(PrintingTest, PageSetupChangesWhatPrintsAndIsKept) {
  Start({QString::fromStdString(directory_.Write("game.sgf", kGame))});
  dialogs_->settingsEdits.push_back([](Options& options) {
    options.printFixedMoveCount = 1;
    options.printFigurePerPage = 1;
    options.printHeader = u"Sheet %PAGE%/%TOTALPAGES%";
  });
  Choose("File/Page Setup...");
  Choose("File/Page Setup...");  // cancelled: nothing changes
  const std::string pdf = directory_.PathOf("sheets.pdf");
  ChooseWithFile("File/Export/PDF...", pdf);
  const std::string text = PrintedText(pdf);
  if (!PdfText(pdf)) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  EXPECT_NE(text.find("Sheet 3/3"), std::string::npos) << text;
  EXPECT_NE(text.find("Move 3"), std::string::npos) << text;

  ASSERT_TRUE(Exit());
  Start();
  EXPECT_EQ(app_->options().printFixedMoveCount, 1);
  EXPECT_EQ(app_->options().printHeader, u"Sheet %PAGE%/%TOTALPAGES%");
}

TEST_F(PrintingTest, AnExportThatCannotBeWrittenSaysSoAndACancelledOneDoesNothing) {
  Start({QString::fromStdString(directory_.Write("game.sgf", kGame))});
  const std::string unwritable = directory_.PathOf("no-such-folder/board.png");
  ChooseWithFile("File/Export/Board as PNG...", unwritable);
  EXPECT_EQ(dialogs_->shown.back(), "message: Failed to save file " + unwritable);
  Choose("File/Export/Board as SVG...");
  Choose("File/Print...");
  EXPECT_TRUE(dialogs_->shown.back() == "print");
  EXPECT_FALSE(std::filesystem::exists(directory_.PathOf("no-such-folder")));
}

}  // namespace
}  // namespace vantaro::test
