#include <algorithm>
#include <string>

#include "editor/go_editor.h"
#include "render/board_drawer.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

using namespace marker_kind;

constexpr rutl::COLORREF kBlack = 0x000000;
constexpr rutl::COLORREF kWhite = 0xFFFFFF;
// Dark blue (colours are 0x00BBGGRR), apart from the board's black text.
constexpr rutl::COLORREF kCommentColour = 0x880000;
// Named as the comment area has always named it, not "Verdana": another
// name would change the face that stands in for it.
constexpr std::u16string_view kCommentFace = u"Vadana";

// The drawable kind of a stone of the colour in the style.
int StoneKind(StoneStyle style, bool black) {
  switch (style) {
    case StoneStyle::MonoAntialiased:
      return black ? kBlackMonoAntiaStone : kWhiteMonoAntiaStone;
    case StoneStyle::Mono:
      return black ? kBlackMonoStone : kWhiteMonoStone;
    case StoneStyle::Image:
      return black ? kBlackImageStone : kWhiteImageStone;
    case StoneStyle::Material:
      return black ? kBlackMaterialStone : kWhiteMaterialStone;
    case StoneStyle::Generated:
      break;
  }
  return black ? kBlackStone : kWhiteStone;
}

}  // namespace

void CBoardDrawer::Draw(rutl::DC& dc) {
  Paint(dc, std::nullopt);
}

void CBoardDrawer::DrawArea(rutl::DC& dc, const rutl::Rect& area) {
  Paint(dc, area);
}

void CBoardDrawer::Paint(rutl::DC& dc, const std::optional<rutl::Rect>& area) {
  ScopedDrawingTimer timer(times_, "CBoardDrawer::Draw");
  if (board_ == nullptr) return;
  FollowBoardSize();
  const int width = std::max(layout_.client.Width(), 1);
  const int height = std::max(layout_.client.Height(), 1);
  if (backBuffer_.width() != width || backBuffer_.height() != height) {
    pictured_ = {};
    if (!backBuffer_.Create(dc, width, height)) return;
  }
  const rutl::Rect whole{0, 0, width, height};
  // A part is painted into a whole picture of this very layout only.
  if (area && pictured_ == layout_.client && layout_.client == whole) {
    area_ = rutl::Rect{std::max(area->left, 0), std::max(area->top, 0),
                       std::min(area->right, width), std::min(area->bottom, height)};
    if (area_->IsEmpty()) {
      area_.reset();
      return;
    }
  }
  rutl::DC& out = *backBuffer_.dc();
  out.SetClip(area_);
  PaintLayers(out, whole);
  out.SetClip(std::nullopt);
  const rutl::Rect copied = area_.value_or(whole);
  area_.reset();
  pictured_ = layout_.client;
  ScopedDrawingTimer copy(times_, "CBoardDrawer::Draw::BitBlt");
  dc.BitBlt(copied.left, copied.top, copied.Width(), copied.Height(), out, copied.left, copied.top,
            rutl::RasterOp::SrcCopy);
}

void CBoardDrawer::DrawDirect(rutl::DC& dc) {
  if (board_ == nullptr) return;
  FollowBoardSize();
  PaintLayers(dc, layout_.client);
}

void CBoardDrawer::FollowBoardSize() {
  // The board may have changed its size since the last layout.
  const DisplayTransform display = transform();
  if (display.displayedWidth() != layout_.columns || display.displayedHeight() != layout_.rows) {
    Layout(layout_.client);
  }
}

void CBoardDrawer::PaintLayers(rutl::DC& out, const rutl::Rect& whole) {
  FillBackground(out, whole);
  DrawBoardSurface(out);
  const std::vector<std::uint8_t> hidden = HiddenLines();
  DrawGrid(out, hidden);
  DrawDoubleBorder(out);
  DrawStarPoints(out, hidden);
  DrawCoordinates(out);
  DrawStones(out);
  if (options_.showMarkers || options_.showNextMoves) DrawMarkers(out);
  DrawLastMoveMarker(out);
  DrawCommentArea(out);
}

bool CBoardDrawer::Touches(const rutl::Rect& drawn) const {
  return !area_ || (drawn.left < area_->right && area_->left < drawn.right &&
                    drawn.top < area_->bottom && area_->top < drawn.bottom);
}

// What a point draws stays inside its cell; two pixels more cover the
// edges of antialiased text.
bool CBoardDrawer::TouchesPoint(Point display) const {
  return Touches(layout_.CellOf(display).Inflated(2, 2));
}

rutl::Rect CBoardDrawer::CommentArea() const {
  return {layout_.boardArea.right + 10, layout_.originY, layout_.client.right - 10,
          layout_.client.bottom};
}

std::optional<int> CBoardDrawer::ShownNumber(std::uint32_t cell) const {
  const int number = GoBoard::CellMoveNumber(cell);
  const int id = GoBoard::CellProperty(cell);
  if ((id != kPropB && id != kPropW) || !options_.showMoveNumber || number < 1 ||
      board_->moveNumber() - number >= options_.showMoveCount) {
    return std::nullopt;
  }
  if (!board_->hasNumberOverride()) return number;
  // Numbering restarts at a reset point: earlier moves carry no number.
  if (number < board_->overrideFromMove()) return std::nullopt;
  return board_->overrideDisplayed() - board_->overrideFromMove() + number;
}

void CBoardDrawer::FillBackground(rutl::DC& dc, const rutl::Rect& whole) {
  const bool trying = editor_ != nullptr && editor_->tryPlayActive();
  const rutl::COLORREF colour =
      rutl::ColourOf(trying ? options_.tryPlayBackground : options_.backgroundColor);
  // The board covers its own rectangle next: only what lies around it needs filling.
  const rutl::Rect& board = layout_.board;
  dc.FillSolidRect({whole.left, whole.top, whole.right, board.top}, colour);
  dc.FillSolidRect({whole.left, board.bottom, whole.right, whole.bottom}, colour);
  dc.FillSolidRect({whole.left, board.top, board.left, board.bottom}, colour);
  dc.FillSolidRect({board.right, board.top, whole.right, board.bottom}, colour);
}

void CBoardDrawer::DrawBoardSurface(rutl::DC& dc) {
  const rutl::Rect& board = layout_.board;
  if (!options_.boardBitmap || !textureLoaded_) {
    dc.FillSolidRect(board, rutl::ColourOf(options_.boardColor));
    return;
  }
  if (!dc.IsMemory()) {
    // A page takes the surface as one picture rather than one per tile.
    rutl::BitmapDC surface;
    if (surface.Create(dc, board.Width(), board.Height())) {
      TileTexture(*surface.dc(), {0, 0, board.Width(), board.Height()});
      dc.BitBlt(board.left, board.top, board.Width(), board.Height(), *surface.dc(), 0, 0,
                rutl::RasterOp::SrcCopy);
      return;
    }
  }
  TileTexture(dc, board);
}

void CBoardDrawer::TileTexture(rutl::DC& dc, const rutl::Rect& area) {
  const int tileWidth = texture_.width();
  const int tileHeight = texture_.height();
  for (int x = area.left; x < area.right; x += tileWidth) {
    for (int y = area.top; y < area.bottom; y += tileHeight) {
      dc.BitBlt(x, y, std::min(tileWidth, area.right - x), std::min(tileHeight, area.bottom - y),
                *texture_.dc(), 0, 0, rutl::RasterOp::SrcCopy);
    }
  }
}

bool CBoardDrawer::ShowsNextMoveMark(const OverlayEntry& entry) const {
  switch (entry.continuation) {
    case OverlayEntry::Continuation::OneOfSeveral:
      return options_.showNextMoves;
    case OverlayEntry::Continuation::OnlyOne:
      return options_.showNextMoves && options_.showNextOnlyMove;
    case OverlayEntry::Continuation::None:
      break;
  }
  return false;
}

std::vector<std::uint8_t> CBoardDrawer::HiddenLines() const {
  const int w = board_->width();
  const int h = board_->height();
  std::vector<std::uint8_t> hidden(static_cast<size_t>(w * h), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const OverlayEntry& entry = board_->OverlayAt(x, y);
      const bool marked = options_.showMarkers && entry.markup != OverlayEntry::None &&
                          entry.markup != OverlayEntry::BlackTerritory &&
                          entry.markup != OverlayEntry::WhiteTerritory;
      hidden[static_cast<size_t>(x + w * y)] = marked || ShowsNextMoveMark(entry);
    }
  }
  return hidden;
}

void CBoardDrawer::DrawGrid(rutl::DC& dc, const std::vector<std::uint8_t>& hidden) {
  const DisplayTransform display = transform();
  const int columns = layout_.columns;
  const int rows = layout_.rows;
  const int half = layout_.spacing / 2;
  const auto shown = [&](int dx, int dy) {
    const Point point = display.FromDisplay({dx, dy});
    return hidden[static_cast<size_t>(point.x + board_->width() * point.y)] == 0;
  };
  // Each shown point has its share of both lines around it, half a spacing
  // each way (none beyond the edge): a line runs on from shown point to
  // shown point and stops half-way to a hidden one.
  const auto runs = [half](int count, auto isShown, auto centre, auto draw) {
    for (int first = 0; first < count; ++first) {
      if (!isShown(first)) continue;
      int last = first;
      while (last + 1 < count && isShown(last + 1)) ++last;
      draw(first == 0 ? centre(first) : centre(first) - half,
           last == count - 1 ? centre(last) + 1 : centre(last) + half + 1);
      first = last;
    }
  };
  const rutl::Pen previous = dc.SelectPen({kBlack, 1});
  for (int dy = 0; dy < rows; ++dy) {
    const int cy = layout_.CentreY(dy);
    // Only the lines through the area being painted are drawn.
    if (!Touches({layout_.client.left, cy - 1, layout_.client.right, cy + 2})) continue;
    runs(
        columns, [&](int dx) { return shown(dx, dy); },
        [this](int dx) { return layout_.CentreX(dx); },
        [&](int from, int to) { dc.Line(from, cy, to, cy); });
  }
  for (int dx = 0; dx < columns; ++dx) {
    const int cx = layout_.CentreX(dx);
    if (!Touches({cx - 1, layout_.client.top, cx + 2, layout_.client.bottom})) continue;
    runs(
        rows, [&](int dy) { return shown(dx, dy); }, [this](int dy) { return layout_.CentreY(dy); },
        [&](int from, int to) { dc.Line(cx, from, cx, to); });
  }
  dc.SelectPen(previous);
}

void CBoardDrawer::DrawDoubleBorder(rutl::DC& dc) {
  if (options_.boardBitmap || !options_.boardBorderDoubleThick) return;
  const int left = layout_.originX - 1;
  const int top = layout_.originY - 1;
  const int right = layout_.CentreX(layout_.columns - 1) + 1;
  const int bottom = layout_.CentreY(layout_.rows - 1) + 1;
  const rutl::Pen previous = dc.SelectPen({kBlack, 1});
  dc.Line(left, top, right + 1, top);
  dc.Line(left, bottom, right + 1, bottom);
  dc.Line(left, top, left, bottom + 1);
  dc.Line(right, top, right, bottom + 1);
  dc.SelectPen(previous);
}

void CBoardDrawer::DrawStarPoints(rutl::DC& dc, const std::vector<std::uint8_t>& hidden) {
  const DisplayTransform display = transform();
  for (const Point point : StarPoints(board_->width(), board_->height())) {
    if (hidden[static_cast<size_t>(point.x + board_->width() * point.y)]) continue;
    const Point at = display.ToDisplay(point);
    if (!TouchesPoint(at)) continue;
    GoMarker* marker = drawables_.MarkerFor(kStarPoint, ColourContext::OnEmptyPoint,
                                            layout_.spacing, EffectiveBoardColour());
    if (marker == nullptr) continue;
    marker->Draw(dc, layout_.CentreX(at.x), layout_.CentreY(at.y), true);
  }
}

void CBoardDrawer::DrawCoordinates(rutl::DC& dc) {
  if (!options_.showCoord || !fonts_.fittedCoordinate) return;
  const DisplayTransform display = transform();
  dc.SetTextColor(rutl::ColourOf(options_.coordColor));
  dc.SelectFont(*fonts_.fittedCoordinate);
  const int textHeight = dc.TextExtent(u"A").cy;
  const auto label = [this, &dc](std::u16string_view text, int x, int y) {
    const rutl::Rect around{x - 100, y - 100, x + 100, y + 100};
    if (Touches(around)) dc.DrawText(text, around, rutl::TextLayout::CentredSingleLine);
  };
  const int above = layout_.board.top - layout_.labelGap - textHeight / 2;
  const int below = layout_.board.bottom + layout_.labelGap + textHeight / 2;
  for (int i = 0; i < layout_.columns; ++i) {
    const std::u16string text =
        CoordinateLabel(LabelAxis::Columns, i, layout_.columns, display, options_.showCoordI);
    label(text, layout_.CentreX(i), above);
    label(text, layout_.CentreX(i), below);
  }
  const int leftOf = layout_.originX - layout_.spacing;
  const int rightOf = layout_.originX + layout_.columns * layout_.spacing;
  for (int j = 0; j < layout_.rows; ++j) {
    const std::u16string text =
        CoordinateLabel(LabelAxis::Rows, j, layout_.rows, display, options_.showCoordI);
    label(text, leftOf, layout_.CentreY(j));
    label(text, rightOf, layout_.CentreY(j));
  }
}

void CBoardDrawer::DrawStones(rutl::DC& dc) {
  const DisplayTransform display = transform();
  const rutl::COLORREF background = EffectiveBoardColour();
  const int w = board_->width();
  const bool variantsReady = randomGrid_.size() == static_cast<size_t>(w * board_->height());
  for (int dy = 0; dy < layout_.rows; ++dy) {
    for (int dx = 0; dx < layout_.columns; ++dx) {
      const Point point = display.FromDisplay({dx, dy});
      const std::uint32_t cell = board_->Cell(point.x, point.y);
      const bool black = GoBoard::IsBlackCell(cell);
      if ((!black && !GoBoard::IsWhiteCell(cell)) || !TouchesPoint({dx, dy})) continue;
      const int kind = StoneKind(black ? options_.stoneTypeB : options_.stoneTypeW, black);
      const unsigned variant =
          variantsReady ? randomGrid_[static_cast<size_t>(point.x + w * point.y)] : 0;
      GoMarker* stone = drawables_.MarkerFor(kind, ColourContext::OnEmptyPoint, layout_.spacing,
                                             background, variant);
      if (stone == nullptr) continue;
      stone->Draw(dc, layout_.CentreX(dx), layout_.CentreY(dy), true);
      DrawMoveNumber(dc, point, {dx, dy}, cell);
    }
  }
}

void CBoardDrawer::DrawMoveNumber(rutl::DC& dc, Point board, Point display, std::uint32_t cell) {
  const std::optional<int> shown = ShownNumber(cell);
  if (!shown) return;
  // A label or marker on the stone says more than its number, and the two
  // drawn over each other say nothing: the number gives way.
  if (options_.showMarkers && board_->OverlayAt(board.x, board.y).markup != OverlayEntry::None) {
    return;
  }
  const std::u16string text = FromUtf8(std::to_string(*shown));
  const bool black = GoBoard::IsBlackCell(cell);
  rutl::COLORREF colour = black ? kWhite : kBlack;
  if (board == board_->lastMove()) {
    colour = rutl::ColourOf(black ? options_.focusColor : options_.focusColorW);
  }
  dc.SetTextColor(colour);
  dc.SelectFont(MoveNumberFont(dc, text.size()));
  dc.DrawText(text, layout_.CellOf(display), rutl::TextLayout::CentredSingleLine);
}

const rutl::Font& CBoardDrawer::MoveNumberFont(rutl::DC& dc, size_t digits) {
  std::vector<rutl::Font>& fitted = fonts_.fittedMoveNumbers;
  if (fitted.size() <= digits) fitted.resize(digits + 1);
  rutl::Font& font = fitted[digits];
  if (font.serial() != 0) return font;
  font = digits <= 2 ? fonts_.moveNumber : fonts_.narrowMoveNumber;
  // Digits as tall as the number fonts are reach the stone's edge at three
  // quarters of its width; the digits of the board faces are all as wide.
  const int room = std::max(1, layout_.spacing * 3 / 4);
  dc.SelectFont(font);
  const int width = dc.TextExtent(std::u16string(digits, u'0')).cx;
  if (width > room) font = font.Scaled(static_cast<double>(room) / width);
  return font;
}

ColourContext CBoardDrawer::ContextAt(Point board) const {
  const std::uint32_t cell = board_->Cell(board.x, board.y);
  if (GoBoard::IsBlackCell(cell)) return ColourContext::OnBlackStone;
  if (GoBoard::IsWhiteCell(cell)) return ColourContext::OnWhiteStone;
  return ColourContext::OnEmptyPoint;
}

void CBoardDrawer::DrawMarkers(rutl::DC& dc) {
  const DisplayTransform display = transform();
  for (int dy = 0; dy < layout_.rows; ++dy) {
    for (int dx = 0; dx < layout_.columns; ++dx) {
      const Point point = display.FromDisplay({dx, dy});
      if (!TouchesPoint({dx, dy})) continue;
      const OverlayEntry& entry = board_->OverlayAt(point.x, point.y);
      if (entry.markup != OverlayEntry::None && options_.showMarkers) {
        DrawMarker(dc, point, {dx, dy}, entry);
      } else if (options_.showNextMoves) {
        DrawNextMoveMark(dc, {dx, dy}, entry);
      }
    }
  }
}

void CBoardDrawer::DrawMarker(rutl::DC& dc, Point board, Point display, const OverlayEntry& entry) {
  const rutl::Rect cell = layout_.CellOf(display);
  int kind = -1;
  switch (entry.markup) {
    case OverlayEntry::Circle:
      kind = kCircle;
      break;
    case OverlayEntry::Triangle:
      kind = kTriangle;
      break;
    case OverlayEntry::Square:
      kind = kSquare;
      break;
    case OverlayEntry::Cross:
      kind = kCross;
      break;
    case OverlayEntry::BlackTerritory:
    case OverlayEntry::WhiteTerritory: {
      const int inset = layout_.spacing / 3;
      dc.FillSolidRect(cell.Inflated(-inset, -inset),
                       entry.markup == OverlayEntry::BlackTerritory ? kBlack : kWhite);
      return;
    }
    case OverlayEntry::Label:
      dc.SetTextColor(GoBoard::IsBlackCell(board_->Cell(board.x, board.y)) ? kWhite : kBlack);
      dc.SelectFont(fonts_.label);
      dc.DrawText(entry.label, cell, rutl::TextLayout::CentredSingleLine);
      return;
    default:
      return;
  }
  GoMarker* marker =
      drawables_.MarkerFor(kind, ContextAt(board), layout_.spacing, EffectiveBoardColour());
  if (marker != nullptr) {
    marker->Draw(dc, layout_.CentreX(display.x), layout_.CentreY(display.y), true);
  }
}

void CBoardDrawer::DrawNextMoveMark(rutl::DC& dc, Point display, const OverlayEntry& entry) {
  if (!ShowsNextMoveMark(entry)) return;
  const std::u16string text =
      NextMoveMark(options_.nextMoveStartingChar, entry.continuationIndex,
                   entry.continuation == OverlayEntry::Continuation::OnlyOne);
  dc.SetTextColor(rutl::ColourOf(options_.nextMoveMarkerColor));
  dc.SelectFont(fonts_.label);
  dc.DrawText(text, layout_.CellOf(display), rutl::TextLayout::CentredSingleLine);
}

void CBoardDrawer::DrawLastMoveMarker(rutl::DC& dc) {
  const Point last = board_->lastMove();
  if (options_.showMoveNumber || !board_->OnBoard(last.x, last.y) ||
      board_->Cell(last.x, last.y) == 0) {
    return;
  }
  GoMarker* marker =
      drawables_.MarkerFor(kFocus, ContextAt(last), layout_.spacing, EffectiveBoardColour());
  const Point at = transform().ToDisplay(last);
  if (marker == nullptr || !TouchesPoint(at)) return;
  marker->Draw(dc, layout_.CentreX(at.x), layout_.CentreY(at.y), true);
}

void CBoardDrawer::DrawCommentArea(rutl::DC& dc) {
  if (editor_ == nullptr) return;
  const rutl::Rect area = CommentArea();
  if (area.Width() < 10 || area.Height() < 10 || !Touches(area)) return;
  if (!commentFont_) {
    // 12 points at the screen's resolution.
    const int height = -(dc.PixelsPerInchY() * 12 / 72);
    commentNameFont_ = rutl::Font::Create(kCommentFace, height, 0, 600);
    commentFont_ = rutl::Font::Create(kCommentFace, height, 0, 500);
  }
  dc.SetTextColor(kCommentColour);
  int top = area.top;
  const std::u16string name = editor_->NodeName();
  if (!name.empty()) {
    dc.SelectFont(*commentNameFont_);
    dc.DrawText(name, {area.left, top, area.right, area.bottom}, rutl::TextLayout::WordWrap);
    top += dc.WrappedTextHeight(name, area.Width()) + 10;
  }
  dc.SelectFont(*commentFont_);
  dc.DrawText(editor_->Comment(), {area.left, top, area.right, area.bottom},
              rutl::TextLayout::WordWrap);
}

}  // namespace vantaro
