#pragma once

#include <QRectF>

#include "figures/figures.h"
#include "game/board.h"
#include "options/options.h"
#include "render/board_drawer.h"

class QPainter;

namespace vantaro {

// The settings a figure is drawn with: white paper, black lines, text and
// black-and-white stones, no texture, rotation, next-move marks, last-move
// mark or comment area; move numbers, markers and coordinates as the Print-
// settings say, and the letter I in coordinates as the view has it.
Options FigureDrawingOptions(const Options& settings);

// Draws the figures of one record with one board drawer.
class FigurePicture {
 public:
  // The record must outlive the object.
  FigurePicture(const GameTree& root, const Options& settings);
  FigurePicture(const FigurePicture&) = delete;
  FigurePicture& operator=(const FigurePicture&) = delete;

  // The drawer set up to draw the figure (for a picture of it); it draws
  // until the next figure is shown.
  CBoardDrawer& Show(const Figure& figure);
  // The figure's diagram as shapes and text within the rectangle of the
  // painter's coordinates, whatever the resolution of its device.
  void Paint(QPainter& painter, const QRectF& target, const Figure& figure);

 private:
  const GameTree& root_;
  Options options_;
  CBoardDrawer drawer_;
  GoBoard board_;
};

}  // namespace vantaro
