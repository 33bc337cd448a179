#include "render/printout.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

#include "figures/figure_text.h"
#include "figures/print_template.h"
#include "game/record_summary.h"
#include "render/figure_picture.h"
#include "render/paper_size.h"

namespace vantaro {
namespace {

constexpr double kMarginMillimetres = 15;
constexpr double kGapMillimetres = 4;

struct Grid {
  int columns;
  int rows;
};

Grid GridFor(int perPage) {
  switch (perPage) {
    case 1:
      return {1, 1};
    case 2:
      return {1, 2};
    case 4:
      return {2, 2};
    default:
      return {2, 3};
  }
}

QFont PointFont(double points, bool bold = false) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

struct Paragraph {
  QString text;
  bool bold = false;
};

QString Text(std::u16string_view text) {
  QString result = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(u'\r', u'\n');
  return result;
}

// What is printed under a figure: its moves, its notes on one line, then
// each comment after its move number (none before the first move).
std::vector<Paragraph> ParagraphsOf(const Figure& figure, int boardHeight, bool withI) {
  std::vector<Paragraph> paragraphs;
  if (figure.HasMoves()) {
    paragraphs.push_back(
        {figure.firstMove == figure.lastMove
             ? QStringLiteral("Move %1").arg(figure.firstMove)
             : QStringLiteral("Moves %1-%2").arg(figure.firstMove).arg(figure.lastMove),
         true});
  }
  QStringList notes;
  for (const FigureNote& note : figure.notes) {
    notes << QString::fromStdString(NoteText(note, boardHeight, withI));
  }
  if (!notes.isEmpty()) paragraphs.push_back({notes.join(QStringLiteral(", "))});
  for (const FigureComment& comment : figure.comments) {
    const QString heading = comment.move > 0 ? QStringLiteral("%1: ").arg(comment.move) : QString();
    paragraphs.push_back({heading + Text(comment.text).trimmed()});
  }
  return paragraphs;
}

class PagePainter {
 public:
  PagePainter(const GameTree& root, const Options& settings, QPagedPaintDevice& device,
              QPainter& painter)
      : root_(root),
        settings_(settings),
        device_(device),
        painter_(painter),
        picture_(root, settings),
        boardHeight_(RecordBoardSize(root).value_or(kDefaultBoardSize).y) {}

  void PaintPage(const std::vector<Figure>& figures, PageNumbers pages, int perPage) {
    QRectF area(0, 0, device_.width(), device_.height());
    Band(area, Expanded(settings_.printHeader, pages), PointFont(9), true);
    Band(area, Expanded(settings_.printFooter, pages), PointFont(9), false);
    if (pages.page == 1) {
      Band(area, Expanded(settings_.printTitleString, pages), PointFont(16, true), true);
      Band(area, Expanded(settings_.printSubTitle, pages), PointFont(11), true);
    }
    const Grid grid = GridFor(perPage);
    const double gap = Dots(kGapMillimetres);
    const double width = (area.width() - gap * 2 * (grid.columns - 1)) / grid.columns;
    const double height = (area.height() - gap * (grid.rows - 1)) / grid.rows;
    const size_t first = static_cast<size_t>((pages.page - 1) * perPage);
    for (int i = 0; i < perPage && first + static_cast<size_t>(i) < figures.size(); ++i) {
      const int column = i % grid.columns;
      const int row = i / grid.columns;
      PaintFigure(QRectF(area.left() + column * (width + 2 * gap),
                         area.top() + row * (height + gap), width, height),
                  figures[first + static_cast<size_t>(i)]);
    }
  }

 private:
  double Dots(double millimetres) const { return millimetres * device_.logicalDpiY() / 25.4; }

  QString Expanded(const std::u16string& pattern, PageNumbers pages) const {
    return Text(ExpandPrintTemplate(pattern, root_.NodeAt(0), pages));
  }

  // One centred line at the top or the bottom of the area, which gives up its room.
  void Band(QRectF& area, const QString& text, const QFont& font, bool top) {
    if (text.isEmpty()) return;
    const QFontMetricsF metrics(font, &device_);
    const double height = metrics.height();
    const QRectF line(area.left(), top ? area.top() : area.bottom() - height, area.width(), height);
    painter_.setFont(font);
    painter_.drawText(line, Qt::AlignCenter | Qt::TextSingleLine,
                      metrics.elidedText(text, Qt::ElideRight, area.width()));
    const double taken = height + Dots(kGapMillimetres) / 2;
    if (top) {
      area.setTop(area.top() + taken);
    } else {
      area.setBottom(area.bottom() - taken);
    }
  }

  double ParagraphHeight(const Paragraph& paragraph, double width) const {
    const QFontMetricsF metrics(PointFont(9, paragraph.bold), &device_);
    return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, paragraph.text)
        .height();
  }

  // The diagram as large as the cell allows once its text has room, but
  // never less than half the cell; the text is cut off at the cell's end.
  void PaintFigure(const QRectF& cell, const Figure& figure) {
    const std::vector<Paragraph> paragraphs =
        ParagraphsOf(figure, boardHeight_, settings_.showCoordI);
    const double gap = Dots(kGapMillimetres) / 2;
    double textHeight = 0;
    for (const Paragraph& paragraph : paragraphs) {
      textHeight += ParagraphHeight(paragraph, cell.width()) + gap;
    }
    const double side =
        std::min(cell.width(), std::max(cell.height() - textHeight - gap, cell.height() / 2));
    const QRectF board(cell.left() + (cell.width() - side) / 2, cell.top(), side, side);
    picture_.Paint(painter_, board, figure);
    painter_.save();
    painter_.setClipRect(cell);
    double top = board.bottom() + gap;
    for (const Paragraph& paragraph : paragraphs) {
      painter_.setFont(PointFont(9, paragraph.bold));
      QRectF drawn;
      // Under the board from its left edge on.
      painter_.drawText(QRectF(board.left(), top, cell.right() - board.left(),
                               std::max(cell.bottom() - top, 0.0)),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, paragraph.text, &drawn);
      top += drawn.height() + gap;
    }
    painter_.restore();
  }

  const GameTree& root_;
  const Options& settings_;
  QPagedPaintDevice& device_;
  QPainter& painter_;
  FigurePicture picture_;
  int boardHeight_;
};

}  // namespace

int FiguresPerPage(int setting) {
  if (setting >= 6) return 6;
  if (setting >= 4) return 4;
  if (setting >= 2) return 2;
  return 1;
}

int PageCount(int figureCount, int perPage) {
  return std::max((figureCount + perPage - 1) / perPage, 1);
}

bool PrintFigures(const GameTree& root, const std::vector<Figure>& figures, const Options& settings,
                  QPagedPaintDevice& device) {
  device.setPageMargins(
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setPen(Qt::black);
  const int perPage = FiguresPerPage(settings.printFigurePerPage);
  const int total = PageCount(static_cast<int>(figures.size()), perPage);
  PagePainter pages(root, settings, device, painter);
  for (int page = 1; page <= total; ++page) {
    if (page > 1 && !device.newPage()) return false;
    painter.setPen(Qt::black);
    pages.PaintPage(figures, {page, total}, perPage);
  }
  return painter.end();
}

bool SavePrintout(const GameTree& root, const std::vector<Figure>& figures, const Options& settings,
                  const std::string& path) {
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter pdf(&file);
    pdf.setPageSize(SystemPaperSize());
    pdf.setCreator(QStringLiteral("Vantaro"));
    const int pages =
        PageCount(static_cast<int>(figures.size()), FiguresPerPage(settings.printFigurePerPage));
    pdf.setTitle(Text(ExpandPrintTemplate(settings.printTitleString, root.NodeAt(0), {1, pages})));
    if (!PrintFigures(root, figures, settings, pdf)) return false;
  }
  return file.commit();
}

}  // namespace vantaro
