#pragma once

#include <QFont>
#include <QStaticText>

#include <QPointF>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "render/colour.h"
#include "render/rect.h"

class QBrush;
class QImage;
class QPainter;
class QPen;

namespace rutl {

struct Size {
  int cx = 0;
  int cy = 0;
};

// A solid pen; width 0 draws nothing.
struct Pen {
  COLORREF colour = 0;
  int width = 1;
};

// A solid brush, or the hollow brush that fills nothing.
struct Brush {
  COLORREF colour = 0;
  bool hollow = false;
  static Brush StockWhite() { return {0xFFFFFF, false}; }
  static Brush StockBlack() { return {0, false}; }
  static Brush Hollow() { return {0, true}; }
};

class DC;

// What GetPixel answers where there is no pixel: no colour has bits in the
// high byte, so it never stands for a pixel.
constexpr COLORREF kInvalidColour = 0xFFFFFFFF;

// A font chosen by face, size and weight. Faces the machine lacks fall back
// through the font configuration, keeping the width of the board's own face
// (Tahoma) when it stands in for it; characters a face lacks come from a face
// that has them (a CJK face for Japanese, Chinese and Korean). Creating a
// font needs a QGuiApplication.
class Font {
 public:
  Font() = default;
  // height > 0: the cell height (ascent + descent) in pixels; height < 0: the
  // character (em) height. width 0 keeps the face's own proportions, else the
  // average character width in pixels. weight 100..900, 400 regular.
  static Font Create(std::u16string_view face, int height, int width, int weight);
  // A size in tenths of a point at the context's vertical resolution.
  static Font CreatePoint(std::u16string_view face, int tenthsOfPoint, int weight, const DC& dc);
  // The same font, every dimension times factor.
  Font Scaled(double factor) const;

  const QFont& qfont() const { return font_; }
  // Tells fonts apart cheaply: every font made gets its own number (0 for the default).
  std::uint64_t serial() const { return serial_; }

 private:
  explicit Font(QFont font);
  QFont font_;
  std::uint64_t serial_ = 0;
};

// How DrawText lays out a text in its rectangle; text is never prefixed
// (an ampersand shows as itself) and never paints its background.
enum class TextLayout {
  CentredSingleLine,  // one line, centred both ways, clipped
  WordWrap,           // wrapped at words from the top left, clipped
};

// Raster operations of block transfers, with their classic codes.
enum class RasterOp : std::uint32_t {
  SrcCopy = 0x00CC0020,   // target = source
  SrcAnd = 0x008800C6,    // target = target AND source
  SrcPaint = 0x00EE0086,  // target = target OR source
};

// A device context: where drawing goes, with the pen, brush, font and text
// colour selected into it. A memory context (made by BitmapDC) draws into
// its bitmap's pixels; a painter context draws through a painter the caller
// keeps active for the context's life (a window's paint event, or a PDF,
// SVG or printer page, where shapes stay shapes and text stays text); the
// screen context only knows the screen's resolution and draws nothing.
class DC {
 public:
  DC();
  explicit DC(QPainter& painter);
  // A painter context whose sizes in points take this resolution: for a
  // painter that scales what it draws onto its device.
  DC(QPainter& painter, int pixelsPerInchY);
  // A memory context drawing into the image, which must outlive it and must
  // not be shared (copied) while the context lives: BitmapDC keeps both.
  DC(QImage& image, int pixelsPerInchY);
  DC(const DC&) = delete;
  DC& operator=(const DC&) = delete;
  ~DC();

  bool IsMemory() const { return image_ != nullptr; }

  // Keeps every drawing inside the rectangle (nullopt: anywhere). What is
  // drawn there is drawn pixel for pixel as it would be without the clip.
  void SetClip(const std::optional<Rect>& clip);
  // Vertical pixels per inch, for sizes in points.
  int PixelsPerInchY() const;

  // Each Select... returns what was selected before, for restoring it.
  Pen SelectPen(const Pen& pen);
  Brush SelectBrush(const Brush& brush);
  Font SelectFont(const Font& font);
  COLORREF SetTextColor(COLORREF colour);

  void FillSolidRect(const Rect& rect, COLORREF colour);
  // A line with the current pen from the first point up to, not including, the last.
  void Line(int x0, int y0, int x1, int y1);
  // An ellipse inside the rectangle: outlined inside its edge with the
  // current pen, filled with the current brush, not antialiased. A painter
  // context draws it as one shape.
  void Ellipse(const Rect& rect);
  // A polygon through the points (in pixel centres' coordinates), filled
  // with the current brush and outlined with the current pen.
  void Polygon(std::initializer_list<QPointF> points);
  // Draws with the current font and text colour; returns the height of the drawn text.
  int DrawText(std::u16string_view text, const Rect& rect, TextLayout layout);
  // Width and cell height of one line of text in the current font.
  Size TextExtent(std::u16string_view text) const;
  // Height the text takes when word-wrapped to the width in the current font.
  int WrappedTextHeight(std::u16string_view text, int width) const;

  // Single pixels of a memory context; kInvalidColour off its bitmap or elsewhere.
  COLORREF GetPixel(int x, int y) const;
  bool SetPixel(int x, int y, COLORREF colour);

  // Copies the source rectangle (sx, sy, width, height) of a memory context
  // to (x, y) here with the raster operation; the parts outside either
  // bitmap are left out. False when the source is not a memory context.
  bool BitBlt(int x, int y, int width, int height, const DC& source, int sx, int sy, RasterOp op);

 private:
  QPainter* Painter();
  // The selected pen and brush for the painter.
  QPen OutlinePen() const;
  QBrush FillBrush() const;
  // Puts the selected font and text colour into the painter when they changed.
  void ApplyTextState(QPainter& painter);
  // The text shaped once in the selected font, kept for the next paint.
  const QStaticText& Shaped(std::u16string_view text);
  // Ascent plus descent of the selected font.
  double LineHeight();
  void ApplyClip(QPainter& painter) const;
  void FillPixels(int left, int top, int right, int bottom, COLORREF colour);
  bool BlitPixels(int x, int y, int width, int height, const DC& source, int sx, int sy,
                  RasterOp op);

  QImage* image_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // the image's pixels, never detached while drawn into
  int stride_ = 0;                 // in pixels
  int pixelsPerInchY_ = 96;
  std::optional<Rect> clip_;
  QPainter* painter_ = nullptr;
  std::unique_ptr<QPainter> ownPainter_;
  Pen pen_;
  Brush brush_ = Brush::StockWhite();
  Font font_;
  COLORREF textColour_ = 0;
  std::uint64_t paintedFont_ = ~std::uint64_t{0};  // what the painter holds, for memory contexts
  COLORREF paintedTextColour_ = kInvalidColour;
  std::unordered_map<std::u16string, QStaticText> shapedTexts_;
  std::uint64_t measuredFont_ = ~std::uint64_t{0};
  double lineHeight_ = 0;
};

// The screen's vertical pixels per inch (96 when there is no screen).
int ScreenPixelsPerInchY();

}  // namespace rutl
