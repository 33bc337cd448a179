#pragma once

#include <QImage>

#include <optional>
#include <string>
#include <vector>

namespace vantaro::test {

// What poppler's tools say of a PDF: its text (pdftotext) and its
// description (pdfinfo); nothing when the tool is not installed.
std::optional<std::string> PdfText(const std::string& path);
std::optional<std::string> PdfInfo(const std::string& path);

// What an SVG document holds: whether it parses, its discs of at least the
// radius (stones, not star points or rings) and its texts in document order.
struct SvgContents {
  bool parsed = false;
  int discs = 0;
  std::vector<std::string> texts;
};
SvgContents ReadSvg(const std::string& path, double radius);

// The document drawn at the size on white, as a browser shows it. Text in it
// needs a QGuiApplication.
QImage Rasterised(const std::string& path, QSize size);

// The share of the pixels of two pictures of one size that differ plainly
// (a channel by more than a third), in percent: the edges of shapes drawn
// twice differ a little, a stone too many or too few a lot.
double PercentDifferent(const QImage& a, const QImage& b);

}  // namespace vantaro::test
