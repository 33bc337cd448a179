#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/board.h"
#include "options/options.h"
#include "property/property.h"
#include "render/bitmap_dc.h"
#include "render/board_geometry.h"
#include "render/drawable_cache.h"
#include "render/drawing_times.h"
#include "render/stone_image.h"

namespace vantaro {

class GoEditor;

// What the picture of a position shows, point by point and as a whole: two
// of them tell which parts of the picture a change of the position touches.
struct BoardPicture {
  struct PointLook {
    std::uint32_t cell = 0;
    std::optional<int> shownNumber;
    bool lastMove = false;
    int markup = 0;
    std::u16string label;
    OverlayEntry::Continuation continuation = OverlayEntry::Continuation::None;
    int continuationIndex = 0;
    bool operator==(const PointLook&) const = default;
  };
  int width = 0;
  int height = 0;
  bool tryPlay = false;
  std::u16string name;  // the node name and comment, where the board shows them
  std::u16string comment;
  std::vector<PointLook> points;  // x + width * y
};

// Paints the position of an editor: board, grid, star points, coordinates,
// stones, move numbers, markers, labels, next-move marks, the last-move
// marker and the comment area, for any client size, board size, rotation
// and flip; and maps a tapped pixel back to its board point.
//
// The view calls ApplyOptions whenever the view settings change, then on
// every paint Layout with its client rectangle and Draw with its device
// context. Everything is painted into a back buffer and copied to the
// target in one block. Stones and markers are pictures rendered once per
// size and colour and then only copied. DrawDirect paints a PDF, SVG or
// printer page instead, where stones and markers are shapes and text is
// text. Layout and both draws write text, so they need a QGuiApplication.
class CBoardDrawer {
 public:
  // ApplyOptions copies the view settings from source, which must outlive
  // the drawer; the timed steps report to times when it is not null.
  explicit CBoardDrawer(const Options& source, DrawingTimes* times = nullptr);
  CBoardDrawer(const CBoardDrawer&) = delete;
  CBoardDrawer& operator=(const CBoardDrawer&) = delete;
  ~CBoardDrawer();

  // The editor whose position is drawn; nothing is drawn while it is null.
  // It must stay alive while it is set.
  void SetBoard(const GoEditor* board);
  // A position of its own (a printed figure) in place of an editor's: drawn
  // without the try-play background and without the comment area.
  void SetPosition(const GoBoard* position) {
    editor_ = nullptr;
    board_ = position;
  }

  // Takes a fresh copy of the view settings, prepares the board texture and
  // loads the stone images; a colour whose stone image cannot be loaded
  // from its path is drawn with generated stones.
  void ApplyOptions();
  // Loads the board texture when needed, applies boardBrightness to it
  // (always starting from the program's own picture) and takes its average
  // colour. False, and the board plain, when its pixels cannot be read.
  bool PrepareBoardBitmap(rutl::DC& dc);
  // Computes where the board lies in the client rectangle, and the fonts.
  void Layout(const rutl::Rect& client);
  // Paints the current position into dc (from its top-left corner).
  void Draw(rutl::DC& dc);
  // The same straight onto a painter context, without the back buffer.
  void DrawDirect(rutl::DC& dc);
  // Paints only the area of the picture anew (the rest of dc is left as it
  // is), pixel for pixel as Draw would. When the back buffer holds no whole
  // picture of the present layout, it paints everything as Draw does.
  void DrawArea(rutl::DC& dc, const rutl::Rect& area);
  // What the picture of the current position shows.
  BoardPicture Picture() const;
  // The pixels of the present layout that differ between two pictures;
  // nullopt when the whole picture may (another size, another background).
  std::optional<std::vector<rutl::Rect>> ChangedAreas(const BoardPicture& before,
                                                      const BoardPicture& after) const;
  // The board point drawn nearest to the pixel; it may lie off the board.
  Point PointFromPixel(int x, int y) const;

  const BoardLayout& layout() const { return layout_; }
  // The settings in use: the copy taken by ApplyOptions, with the stone
  // styles of colours without a stone image set to generated stones.
  const Options& options() const { return options_; }
  DisplayTransform transform() const;
  // The colour standing for the board behind stones and markers.
  rutl::COLORREF EffectiveBoardColour() const;
  bool textureLoaded() const { return textureLoaded_; }
  rutl::COLORREF textureAverageColour() const { return textureAverage_; }
  const rutl::BitmapDC& texture() const { return texture_; }

 private:
  struct Fonts {
    int spacing = -1;
    int coordinateTenths = -1;
    rutl::Font moveNumber;
    rutl::Font narrowMoveNumber;
    // By number of digits: the font above, made smaller where it would
    // run over the stone.
    std::vector<rutl::Font> fittedMoveNumbers;
    rutl::Font label;
    rutl::Font coordinate;
    // The coordinate font made as small as the room around the board asks;
    // none when the labels would be too small to read.
    std::optional<rutl::Font> fittedCoordinate;
    // What it was fitted to: the labels and the room for them.
    struct CoordinateRoom {
      rutl::Rect client;
      rutl::Rect boardArea;
      int columns = 0;
      int rows = 0;
      int rotation = 0;
      bool flipHorizontal = false;
      bool flipVertical = false;
      bool withI = false;
      bool shown = false;
      std::uint64_t font = 0;
      bool operator==(const CoordinateRoom&) const = default;
    };
    std::optional<CoordinateRoom> fittedTo;
  };

  void LoadStoneImage(StoneStyle& style, const std::u16string& path, StoneImage& image);
  void MakeFonts();
  void FitCoordinates();
  void FillRandomGrid();
  int BoardWidth() const;
  int BoardHeight() const;

  void FollowBoardSize();
  // Draws the layers into the back buffer, inside the area when there is
  // one, then copies what was drawn to dc.
  void Paint(rutl::DC& dc, const std::optional<rutl::Rect>& area);
  // Whether something drawn inside the rectangle shows in the area being painted.
  bool Touches(const rutl::Rect& drawn) const;
  bool TouchesPoint(Point display) const;
  // The move number a stone shows, if it shows one.
  std::optional<int> ShownNumber(std::uint32_t cell) const;
  rutl::Rect CommentArea() const;

  // The layers, in drawing order (board_drawer_layers.cpp).
  void PaintLayers(rutl::DC& dc, const rutl::Rect& whole);
  void FillBackground(rutl::DC& dc, const rutl::Rect& whole);
  void DrawBoardSurface(rutl::DC& dc);
  void TileTexture(rutl::DC& dc, const rutl::Rect& area);
  std::vector<std::uint8_t> HiddenLines() const;
  bool ShowsNextMoveMark(const OverlayEntry& entry) const;
  void DrawGrid(rutl::DC& dc, const std::vector<std::uint8_t>& hidden);
  void DrawDoubleBorder(rutl::DC& dc);
  void DrawStarPoints(rutl::DC& dc, const std::vector<std::uint8_t>& hidden);
  void DrawCoordinates(rutl::DC& dc);
  void DrawStones(rutl::DC& dc);
  void DrawMoveNumber(rutl::DC& dc, Point board, Point display, std::uint32_t cell);
  const rutl::Font& MoveNumberFont(rutl::DC& dc, size_t digits);
  void DrawMarkers(rutl::DC& dc);
  void DrawMarker(rutl::DC& dc, Point board, Point display, const OverlayEntry& entry);
  void DrawNextMoveMark(rutl::DC& dc, Point display, const OverlayEntry& entry);
  void DrawLastMoveMarker(rutl::DC& dc);
  void DrawCommentArea(rutl::DC& dc);
  ColourContext ContextAt(Point board) const;

  const Options& source_;
  DrawingTimes* times_;
  const GoBoard* board_ = nullptr;
  const GoEditor* editor_ = nullptr;
  Options options_;
  BoardLayout layout_;
  Fonts fonts_;
  std::optional<rutl::Font> commentNameFont_;
  std::optional<rutl::Font> commentFont_;
  StoneImage blackImage_;
  StoneImage whiteImage_;
  DrawableCache drawables_;
  std::vector<std::uint32_t> randomGrid_;
  rutl::BitmapDC texture_;
  bool textureLoaded_ = false;
  bool textureAdjusted_ = false;
  rutl::COLORREF textureAverage_ = 0;
  rutl::BitmapDC backBuffer_;
  // The client of the whole picture the back buffer holds; empty when none.
  rutl::Rect pictured_;
  std::optional<rutl::Rect> area_;  // being painted, when not everything is
};

}  // namespace vantaro
