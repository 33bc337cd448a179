#include "cli/output_checks.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace vantaro::test {
namespace {

std::optional<std::string> Output(const std::string& tool, const std::string& arguments) {
  const std::string program = "/usr/bin/" + tool;
  if (!std::filesystem::exists(program)) return std::nullopt;
  FILE* pipe = popen((program + " " + arguments + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string output;
  char buffer[4096];
  while (const size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
    output.append(buffer, read);
  pclose(pipe);
  return output;
}

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

}  // namespace

std::optional<std::string> PdfText(const std::string& path) {
  return Output("pdftotext", Quoted(path) + " -");
}

std::optional<std::string> PdfInfo(const std::string& path) {
  return Output("pdfinfo", Quoted(path));
}

SvgContents ReadSvg(const std::string& path, double radius) {
  QFile file(QString::fromStdString(path));
  SvgContents contents;
  if (!file.open(QIODevice::ReadOnly)) return contents;
  QXmlStreamReader svg(&file);
  while (!svg.atEnd()) {
    if (svg.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = svg.attributes();
    const QStringView name = svg.name();
    if ((name == u"circle" && attributes.value("r").toDouble() >= radius) ||
        (name == u"ellipse" && attributes.value("rx").toDouble() >= radius)) {
      ++contents.discs;
    } else if (name == u"text") {
      contents.texts.push_back(
          svg.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString());
    }
  }
  contents.parsed = !svg.hasError();
  return contents;
}

QImage Rasterised(const std::string& path, QSize size) {
  QSvgRenderer renderer(QString::fromStdString(path));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

double PercentDifferent(const QImage& a, const QImage& b) {
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))});
      different += most > 85 ? 1 : 0;
    }
  }
  return 100.0 * different / (a.width() * a.height());
}

}  // namespace vantaro::test
