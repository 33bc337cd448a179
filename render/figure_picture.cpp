#include "render/figure_picture.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

#include "figures/figure_diagram.h"

namespace vantaro {
namespace {

// A figure is laid out in units of this many per inch and scaled onto its
// device: its one-unit lines come out about a sixth of a millimetre thick.
constexpr int kFigureUnitsPerInch = 150;
constexpr int kPaper = 0xFFFFFF;
constexpr int kInk = 0x000000;

}  // namespace

Options FigureDrawingOptions(const Options& settings) {
  Options figure = settings;
  figure.backgroundColor = kPaper;
  figure.boardColor = kPaper;
  figure.boardBitmap = false;
  figure.boardBorderDoubleThick = false;
  figure.coordColor = kInk;
  figure.stoneTypeB = StoneStyle::Mono;
  figure.stoneTypeW = StoneStyle::Mono;
  figure.rotation = 0;
  figure.flipHorizontal = false;
  figure.flipVertical = false;
  figure.showMoveNumber = settings.printShowMoveNumber;
  figure.showMoveCount = 10000;
  figure.showMarkers = settings.printShowMarkers;
  figure.showCoord = settings.printShowCoord;
  figure.showNextMoves = false;
  figure.showCommentOnBoard = false;
  return figure;
}

FigurePicture::FigurePicture(const GameTree& root, const Options& settings)
    : root_(root), options_(FigureDrawingOptions(settings)), drawer_(options_) {}

CBoardDrawer& FigurePicture::Show(const Figure& figure) {
  ShowFigure(root_, figure, options_.showMarkers, board_);
  drawer_.SetPosition(&board_);
  return drawer_;
}

void FigurePicture::Paint(QPainter& painter, const QRectF& target, const Figure& figure) {
  const QPaintDevice* device = painter.device();
  const double dotsPerInch = device != nullptr ? device->logicalDpiY() : kFigureUnitsPerInch;
  const double scale = dotsPerInch / kFigureUnitsPerInch;
  Show(figure);
  drawer_.Layout({0, 0, std::max(static_cast<int>(target.width() / scale), 1),
                  std::max(static_cast<int>(target.height() / scale), 1)});
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(scale, scale);
  rutl::DC dc(painter, kFigureUnitsPerInch);
  drawer_.DrawDirect(dc);
  painter.restore();
}

}  // namespace vantaro
