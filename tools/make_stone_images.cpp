// Writes the default stone pictures, black.png and white.png, into a folder.
#include <QDir>
#include <QImage>

#include <cstdio>

#include "render/glass_stones.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_stone_images FOLDER\n", stderr);
    return 2;
  }
  constexpr int kSize = 80;
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "make_stone_images: cannot create %s\n", argv[1]);
    return 1;
  }
  for (const bool black : {true, false}) {
    const QString path = folder + (black ? "/black.png" : "/white.png");
    if (!vantaro::MakeGlassStoneImage(black, kSize).save(path, "PNG")) {
      std::fprintf(stderr, "make_stone_images: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
