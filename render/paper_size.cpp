#include "render/paper_size.h"

#include <langinfo.h>

#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace vantaro {
namespace {

std::optional<QPageSize::PageSizeId> NamedPaper(QString name) {
  name = name.trimmed().toLower();
  const struct {
    const char* name;
    QPageSize::PageSizeId id;
  } papers[] = {{"a4", QPageSize::A4},
                {"a3", QPageSize::A3},
                {"a5", QPageSize::A5},
                {"b5", QPageSize::B5},
                {"letter", QPageSize::Letter},
                {"legal", QPageSize::Legal},
                {"executive", QPageSize::Executive}};
  if (name.isEmpty()) return std::nullopt;
  for (const auto& paper : papers) {
    if (name == QLatin1String(paper.name)) return paper.id;
  }
  return QPageSize::A4;
}

std::optional<QPageSize::PageSizeId> PaperFile() {
  QFile file(QStringLiteral("/etc/papersize"));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  while (!file.atEnd()) {
    const QString line = QString::fromLatin1(file.readLine()).trimmed();
    if (!line.isEmpty() && !line.startsWith(u'#')) return NamedPaper(line.section(u' ', 0, 0));
  }
  return std::nullopt;
}

// glibc gives the locale's paper in millimetres.
std::optional<QPageSize::PageSizeId> LocalePaper() {
  const auto width =
      static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
  const auto height =
      static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
  if (width == 216 && height == 279) return QPageSize::Letter;
  if (width == 210 && height == 297) return QPageSize::A4;
  return std::nullopt;
}

}  // namespace

QPageSize SystemPaperSize() {
  std::optional<QPageSize::PageSizeId> paper =
      NamedPaper(QString::fromLocal8Bit(std::getenv("PAPERSIZE")));
  if (!paper) paper = PaperFile();
  if (!paper) paper = LocalePaper();
  return QPageSize(paper.value_or(QPageSize::A4));
}

}  // namespace vantaro
