// Writes the program's icon into a hicolor icon theme folder, one PNG per
// size: FOLDER/hicolor/SIZExSIZE/apps/vantaro.png.
#include <QDir>
#include <QImage>

#include <cstdio>

#include "app/app_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_icons FOLDER\n", stderr);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  // The sizes desktops ask an icon theme for: menus, panels, docks, file managers.
  for (const int size : {16, 22, 24, 32, 48, 64, 96, 128, 256, 512}) {
    const QString sizeFolder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    const QString path = sizeFolder + QStringLiteral("/vantaro.png");
    if (!QDir().mkpath(sizeFolder) || !vantaro::app::DrawAppIcon(size).save(path, "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
