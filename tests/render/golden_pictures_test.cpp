// Whole boards compared with committed pictures. After a deliberate change
// of the drawing, regenerate them with
//   VANTARO_UPDATE_GOLDEN=1 build/tests/golden_pictures_test
// and look at every changed picture before committing it.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <cstdlib>
#include <functional>
#include <string>

#include "render/glass_stones.h"
#include "render_fixture.h"

namespace vantaro::test {
namespace {

struct GoldenCase {
  const char* name;
  const char* sgf;
  TreePath path;
  int width;
  int height;
  std::function<void(Options&, const std::string& stoneFolder)> settings;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
  *out << golden.name;
}

// Text is part of every picture: they were drawn with the fonts the set-up installs.
bool SetUpFonts() {
  return QFontInfo(QFont(QStringLiteral("Tahoma"))).family() == QStringLiteral("DejaVu Sans") &&
         QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei"));
}

// Pixels whose channels differ by more than a little (antialiasing may move
// by a shade between builds of the font libraries).
struct Difference {
  int changedPixels = 0;
  double meanChannelDifference = 0;
};

Difference Compare(const QImage& expected, const QImage& actual) {
  Difference difference;
  long long total = 0;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb a = expected.pixel(x, y);
      const QRgb b = actual.pixel(x, y);
      const int channels[3] = {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                               std::abs(qBlue(a) - qBlue(b))};
      total += channels[0] + channels[1] + channels[2];
      if (std::max({channels[0], channels[1], channels[2]}) > 48) ++difference.changedPixels;
    }
  }
  difference.meanChannelDifference =
      static_cast<double>(total) / (3.0 * expected.width() * expected.height());
  return difference;
}

class GoldenPictureTest : public RenderTest, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenPictureTest, DrawsAsBefore) {
  if (!SetUpFonts()) GTEST_SKIP() << "drawn with DejaVu Sans for Tahoma and WenQuanYi Micro Hei";
  const GoldenCase& golden = GetParam();
  TemporaryDirectory stones;
  for (const bool black : {true, false}) {
    MakeGlassStoneImage(black, 80).save(
        QString::fromStdString((stones.path() / (black ? "black.png" : "white.png")).string()));
  }
  golden.settings(options_, stones.path().string());
  Open(golden.sgf);
  editor_->GoToNode(GameTree::Resolve(*editor_->recordRoot(), golden.path)->node());
  const QImage picture = Draw(golden.width, golden.height);

  const QString file = QStringLiteral(VANTARO_GOLDEN_DIR "/%1.png").arg(golden.name);
  if (std::getenv("VANTARO_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(picture.save(file, "PNG"));
    GTEST_SKIP() << "wrote " << file.toStdString();
  }
  const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(expected.isNull()) << "no picture " << file.toStdString();
  ASSERT_EQ(expected.size(), picture.size());
  const Difference difference = Compare(expected, picture);
  EXPECT_LE(difference.changedPixels, golden.width * golden.height / 500) << file.toStdString();
  EXPECT_LT(difference.meanChannelDifference, 0.5) << file.toStdString();
}

std::u16string Wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

INSTANTIATE_TEST_SUITE_P(
    Boards, GoldenPictureTest,
    ::testing::Values(
        GoldenCase{"markers_9x9",
                   "(;SZ[9]AB[cc][dc]AW[dd];B[gc]CR[ee]TR[cc]SQ[dd]MA[ge]TB[hh]TW[ih]LB[fg:A]"
                   "[dc:1](;W[eg])(;W[cg]))",
                   {{}, 1},
                   270,
                   270,
                   [](Options& options, const std::string&) { options.boardBitmap = false; }},
        GoldenCase{"numbers_19x19_turned",
                   "(;SZ[19];B[pd];W[dp];B[pq];W[dd];B[fq];W[cn];B[jp];W[qo];B[qp];W[po];B[op]"
                   ";W[pj];B[qf];W[nc];B[rd];W[qc];B[pc];W[qd];B[qe];W[rc];B[od];W[nd];B[ne]"
                   ";W[me];B[nf];W[mc];B[lf];W[fc];B[cf];W[ch])",
                   {{}, 30},
                   360,
                   360,
                   [](Options& options, const std::string&) {
                     options.showCoord = true;
                     options.showMoveNumber = true;
                     options.rotation = 1;
                     options.flipHorizontal = true;
                   }},
        GoldenCase{"styles_13x9_comment",
                   "(;SZ[13:9]AB[cc][dd][ke]AW[cd][de][jf];B[ee]N[Shape]"
                   "C[A hane at the head of two stones. 二目の頭は見ずハネよ。])",
                   {{}, 1},
                   520,
                   300,
                   [](Options& options, const std::string&) {
                     options.stoneTypeB = StoneStyle::MonoAntialiased;
                     options.stoneTypeW = StoneStyle::Mono;
                     options.showCoord = true;
                     options.showCoordI = true;
                     options.showCommentOnBoard = true;
                     options.boardBitmap = false;
                     options.boardBorderDoubleThick = true;
                   }},
        GoldenCase{"glass_9x9",
                   "(;SZ[9]AB[cc][gg][ce]AW[gc][ee][eg];B[dg])",
                   {{}, 1},
                   240,
                   240,
                   [](Options& options, const std::string& stones) {
                     options.stoneTypeB = StoneStyle::Image;
                     options.stoneTypeW = StoneStyle::Material;
                     options.stoneRandomCountW = 1;
                     options.stoneBitmapB = Wide(stones + "/black.png");
                     options.stoneBitmapW = Wide(stones + "/white.png");
                   }}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantaro::test
