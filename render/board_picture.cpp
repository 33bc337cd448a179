#include "render/board_picture.h"

#include <QFile>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

#include "render/bitmap_dc.h"
#include "render/board_drawer.h"

namespace vantaro {
namespace {

// Vector pages use the screen's pixel, so that they match the picture.
constexpr int kPixelsPerInch = 96;

bool EndsWith(std::string_view path, std::string_view extension) {
  return path.size() >= extension.size() &&
         std::equal(extension.rbegin(), extension.rend(), path.rbegin(), [](char a, char b) {
           return a == std::tolower(static_cast<unsigned char>(b));
         });
}

bool WritePng(CBoardDrawer& drawer, int width, int height, QSaveFile& file) {
  const rutl::DC screen;
  rutl::BitmapDC picture;
  if (!picture.Create(screen, width, height)) return false;
  drawer.Draw(*picture.dc());
  QImageWriter writer(&file, "png");
  return writer.write(picture.ToImage());
}

bool PaintVector(CBoardDrawer& drawer, QPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  rutl::DC dc(painter, kPixelsPerInch);
  drawer.DrawDirect(dc);
  return painter.end();
}

bool WriteSvg(CBoardDrawer& drawer, int width, int height, QSaveFile& file) {
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(QStringLiteral("Go board"));
  return PaintVector(drawer, svg);
}

bool WritePdf(CBoardDrawer& drawer, int width, int height, QSaveFile& file) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kPixelsPerInch);
  pdf.setCreator(QStringLiteral("Vantaro"));
  const double points = 72.0 / kPixelsPerInch;
  pdf.setPageSize(QPageSize(QSizeF(width * points, height * points), QPageSize::Point,
                            QStringLiteral("Board"), QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  return PaintVector(drawer, pdf);
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(std::string_view path) {
  if (EndsWith(path, ".png")) return PictureFormat::Png;
  if (EndsWith(path, ".svg")) return PictureFormat::Svg;
  if (EndsWith(path, ".pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

bool SaveBoardPicture(CBoardDrawer& drawer, int width, int height, const std::string& path,
                      PictureFormat format) {
  drawer.Layout({0, 0, width, height});
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) return false;
  bool written = false;
  switch (format) {
    case PictureFormat::Png:
      written = WritePng(drawer, width, height, file);
      break;
    case PictureFormat::Svg:
      written = WriteSvg(drawer, width, height, file);
      break;
    case PictureFormat::Pdf:
      written = WritePdf(drawer, width, height, file);
      break;
  }
  return written && file.commit();
}

}  // namespace vantaro
