#include "render/board_drawer.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "editor/go_editor.h"
#include "render/bitmap_resources.h"

namespace vantaro {
namespace {

// Every size on the board (numbers, labels, coordinates) is fitted to this
// face's metrics; a stand-in face keeps its widths (rutl::Font).
constexpr std::u16string_view kBoardFace = u"Tahoma";

}  // namespace

CBoardDrawer::CBoardDrawer(const Options& source, DrawingTimes* times)
    : source_(source),
      times_(times),
      options_(source),
      drawables_(options_, blackImage_, whiteImage_) {
  ApplyOptions();
}

CBoardDrawer::~CBoardDrawer() = default;

void CBoardDrawer::SetBoard(const GoEditor* board) {
  editor_ = board;
  board_ = board;
}

void CBoardDrawer::ApplyOptions() {
  options_ = source_;
  pictured_ = {};
  rutl::DC screen;
  PrepareBoardBitmap(screen);
  LoadStoneImage(options_.stoneTypeB, options_.stoneBitmapB, blackImage_);
  LoadStoneImage(options_.stoneTypeW, options_.stoneBitmapW, whiteImage_);
}

void CBoardDrawer::LoadStoneImage(StoneStyle& style, const std::u16string& path,
                                  StoneImage& image) {
  if (style != StoneStyle::Image && style != StoneStyle::Material) return;
  if (!image.loaded() || image.path() != path) image.Load(path);
  if (!image.loaded() || image.path() != path) style = StoneStyle::Generated;
}

bool CBoardDrawer::PrepareBoardBitmap(rutl::DC& dc) {
  ScopedDrawingTimer timer(times_, "CBoardDrawer::PrepareBoardBitmap");
  // Brightness always applies to the program's own picture, never twice.
  if (texture_.dc() == nullptr || textureAdjusted_) {
    textureAdjusted_ = false;
    texture_.LoadResource(dc, rutl::kBoardTextureResource);
  }
  std::vector<rutl::COLORREF> pixels = texture_.ReadPixels();
  textureLoaded_ = !pixels.empty();
  if (!textureLoaded_) {
    texture_.Release();
    return false;
  }
  if (options_.boardBrightness != 100) {
    for (rutl::COLORREF& pixel : pixels) pixel = rutl::Blend(pixel, 0, options_.boardBrightness);
    texture_.WritePixels(pixels);
    textureAdjusted_ = true;
  }
  long long sums[3] = {0, 0, 0};
  for (const rutl::COLORREF pixel : pixels) {
    sums[0] += rutl::RedOf(pixel);
    sums[1] += rutl::GreenOf(pixel);
    sums[2] += rutl::BlueOf(pixel);
  }
  const auto count = static_cast<long long>(pixels.size());
  textureAverage_ = rutl::Rgb(static_cast<int>(sums[0] / count), static_cast<int>(sums[1] / count),
                              static_cast<int>(sums[2] / count));
  return true;
}

rutl::COLORREF CBoardDrawer::EffectiveBoardColour() const {
  return options_.boardBitmap && textureLoaded_ ? textureAverage_
                                                : rutl::ColourOf(options_.boardColor);
}

DisplayTransform CBoardDrawer::transform() const {
  return DisplayTransform(BoardWidth(), BoardHeight(), options_.rotation, options_.flipHorizontal,
                          options_.flipVertical);
}

int CBoardDrawer::BoardWidth() const {
  return board_ != nullptr ? board_->width() : 19;
}
int CBoardDrawer::BoardHeight() const {
  return board_ != nullptr ? board_->height() : 19;
}

void CBoardDrawer::Layout(const rutl::Rect& client) {
  const DisplayTransform display = transform();
  layout_ = ComputeLayout(client, display.displayedWidth(), display.displayedHeight(),
                          options_.showCoord, options_.showCommentOnBoard);
  MakeFonts();
  FitCoordinates();
  if (options_.stoneTypeB == StoneStyle::Material || options_.stoneTypeW == StoneStyle::Material) {
    FillRandomGrid();
  }
}

void CBoardDrawer::MakeFonts() {
  const int s = layout_.spacing;
  if (fonts_.spacing != s) {
    fonts_.spacing = s;
    fonts_.moveNumber = rutl::Font::Create(kBoardFace, s, 0, 400);
    fonts_.narrowMoveNumber = rutl::Font::Create(kBoardFace, s, static_cast<int>(0.3 * s), 400);
    fonts_.fittedMoveNumbers.clear();
    fonts_.label = rutl::Font::Create(kBoardFace, static_cast<int>(1.1 * s), 0, 600);
  }
  if (fonts_.coordinateTenths != layout_.coordinateFontTenths) {
    fonts_.coordinateTenths = layout_.coordinateFontTenths;
    const rutl::DC screen;
    fonts_.coordinate = rutl::Font::CreatePoint(kBoardFace, fonts_.coordinateTenths, 400, screen);
  }
}

void CBoardDrawer::FitCoordinates() {
  // Every paint lays the board out again: the fit is measured only when
  // the labels or their room change.
  const DisplayTransform display = transform();
  const Fonts::CoordinateRoom room{layout_.client,         layout_.boardArea,
                                   layout_.columns,        layout_.rows,
                                   display.rotation,       display.flipHorizontal,
                                   display.flipVertical,   options_.showCoordI,
                                   options_.showCoord,     fonts_.coordinate.serial()};
  if (fonts_.fittedTo == room) return;
  fonts_.fittedTo = room;
  fonts_.fittedCoordinate.reset();
  if (!options_.showCoord) return;
  // Letters above and below the board, numbers centred a spacing to its
  // left and right: what room the layout leaves them.
  const int above = layout_.board.top - layout_.labelGap - layout_.client.top;
  const int below = layout_.client.bottom - layout_.board.bottom - layout_.labelGap;
  const int leftOf = layout_.originX - layout_.spacing - layout_.boardArea.left;
  const int rightOf =
      layout_.boardArea.right - (layout_.originX + layout_.columns * layout_.spacing);
  // A pixel to spare: the ink of a J or a Q reaches the very bottom of its line.
  const int height = std::min(above, below) - 1;
  const int width = 2 * std::min(leftOf, rightOf) - 2;
  constexpr int kSmallestLegible = 6;  // pixels from the top of a letter to the bottom of a J
  rutl::DC measure;
  rutl::Font font = fonts_.coordinate;
  for (int attempt = 0; attempt < 8; ++attempt) {
    measure.SelectFont(font);
    const int textHeight = measure.TextExtent(u"A").cy;
    int widest = 0;
    for (int j = 0; j < layout_.rows; ++j) {
      widest = std::max(widest, measure.TextExtent(CoordinateLabel(LabelAxis::Rows, j,
                                                                   layout_.rows, display,
                                                                   options_.showCoordI))
                                    .cx);
    }
    if (textHeight < kSmallestLegible) return;
    if (textHeight <= height && widest <= width) {
      fonts_.fittedCoordinate = font;
      return;
    }
    // Metrics do not shrink in proportion to the size: try again, a little smaller.
    const double factor = std::min(static_cast<double>(height) / textHeight,
                                   static_cast<double>(width) / std::max(widest, 1));
    font = font.Scaled(std::min(factor, 0.95));
  }
}

void CBoardDrawer::FillRandomGrid() {
  const size_t points = static_cast<size_t>(BoardWidth()) * static_cast<size_t>(BoardHeight());
  if (randomGrid_.size() == points) return;
  std::mt19937 generator(
      static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  randomGrid_.resize(points);
  for (std::uint32_t& entry : randomGrid_) entry = generator();
}

Point CBoardDrawer::PointFromPixel(int x, int y) const {
  return transform().FromDisplay(layout_.DisplayPointAt(x, y));
}

}  // namespace vantaro
