#include "render/device_context.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <utility>

namespace rutl {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Line breaks of record text come as CR LF, CR or LF; the layout knows LF only.
QString WithLineFeeds(std::u16string_view text) {
  QString result = ToQString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

int QtFlags(TextLayout layout) {
  switch (layout) {
    case TextLayout::CentredSingleLine:
      return Qt::AlignCenter | Qt::TextSingleLine;
    case TextLayout::WordWrap:
      return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  }
  return 0;
}

// Faces the board is laid out for, with the widths of their digits and
// their average character width per em. When the machine lacks one, its
// stand-in is narrowed or widened to the same digit width, so that move
// numbers still fit on their stones.
struct DesignFace {
  std::u16string_view name;
  double regularDigit;
  double boldDigit;  // weights from 600 on
  double averageCharacter;
};
constexpr DesignFace kDesignFaces[] = {{u"Tahoma", 0.546, 0.637, 0.488}};

// The design face the font stands in for, if it is one.
const DesignFace* StandInFor(const QFont& font, std::u16string_view face) {
  for (const DesignFace& design : kDesignFaces) {
    if (design.name == face && QFontInfo(font).family() != ToQString(face)) return &design;
  }
  return nullptr;
}

// Stretches the font so that its digits (or, with a width, its average
// character) take the wanted width.
void SetWidth(QFont& font, std::u16string_view face, int width, int weight) {
  if (const DesignFace* design = StandInFor(font, face)) {
    const double digit = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    const double wanted =
        width > 0 ? width * design->regularDigit / design->averageCharacter
                  : (weight >= 600 ? design->boldDigit : design->regularDigit) * font.pixelSize();
    if (digit > 0) {
      font.setStretch(std::clamp(static_cast<int>(std::lround(100 * wanted / digit)), 1, 4000));
    }
  } else if (width > 0) {
    const double natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0) {
      font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * width / natural)), 1, 4000));
    }
  }
}

QRect ToQRect(const Rect& rect) {
  return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

QPainter::CompositionMode CompositionOf(RasterOp op) {
  switch (op) {
    case RasterOp::SrcAnd:
      return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::SrcPaint:
      return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::SrcCopy:
      break;
  }
  return QPainter::CompositionMode_Source;
}

}  // namespace

Font::Font(QFont font) : font_(std::move(font)) {
  static std::uint64_t lastSerial = 0;
  serial_ = ++lastSerial;
}

Font Font::Create(std::u16string_view face, int height, int width, int weight) {
  QFont font(ToQString(face));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  if (height < 0) {
    font.setPixelSize(-height);
  } else if (height > 0) {
    // The cell height includes the face's leading above and below the em.
    constexpr int kProbe = 256;
    font.setPixelSize(kProbe);
    const QFontMetricsF metrics(font);
    const double cell = metrics.ascent() + metrics.descent();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * kProbe / cell))));
  }
  SetWidth(font, face, width, weight);
  return Font(font);
}

Font Font::CreatePoint(std::u16string_view face, int tenthsOfPoint, int weight, const DC& dc) {
  const long long scaled = static_cast<long long>(tenthsOfPoint) * dc.PixelsPerInchY();
  const int pixels = static_cast<int>((scaled + 360) / 720);
  return Create(face, -std::max(1, pixels), 0, weight);
}

Font Font::Scaled(double factor) const {
  QFont font = font_;
  const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(pixels * factor))));
  return Font(font);
}

int ScreenPixelsPerInchY() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      return std::max(1, static_cast<int>(std::lround(screen->logicalDotsPerInchY())));
    }
  }
  return 96;
}

DC::DC() : pixelsPerInchY_(ScreenPixelsPerInchY()) {}

DC::DC(QPainter& painter) : painter_(&painter) {
  pixelsPerInchY_ = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
}

DC::DC(QPainter& painter, int pixelsPerInchY)
    : pixelsPerInchY_(pixelsPerInchY), painter_(&painter) {}

DC::DC(QImage& image, int pixelsPerInchY)
    : image_(&image),
      bits_(reinterpret_cast<std::uint32_t*>(image.bits())),
      stride_(static_cast<int>(image.bytesPerLine() / 4)),
      pixelsPerInchY_(pixelsPerInchY) {}

DC::~DC() = default;

int DC::PixelsPerInchY() const {
  return pixelsPerInchY_;
}

QPainter* DC::Painter() {
  if (painter_ == nullptr && image_ != nullptr) {
    ownPainter_ = std::make_unique<QPainter>(image_);
    painter_ = ownPainter_.get();
    ApplyClip(*painter_);
  }
  return painter_;
}

void DC::SetClip(const std::optional<Rect>& clip) {
  clip_ = clip;
  if (painter_ != nullptr) ApplyClip(*painter_);
}

void DC::ApplyClip(QPainter& painter) const {
  if (clip_) {
    painter.setClipRect(ToQRect(*clip_));
  } else {
    painter.setClipping(false);
  }
}

Pen DC::SelectPen(const Pen& pen) {
  return std::exchange(pen_, pen);
}
Brush DC::SelectBrush(const Brush& brush) {
  return std::exchange(brush_, brush);
}
Font DC::SelectFont(const Font& font) {
  return std::exchange(font_, font);
}
COLORREF DC::SetTextColor(COLORREF colour) {
  return std::exchange(textColour_, colour);
}

void DC::FillPixels(int left, int top, int right, int bottom, COLORREF colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image_->width());
  bottom = std::min(bottom, image_->height());
  if (clip_) {
    left = std::max(left, clip_->left);
    top = std::max(top, clip_->top);
    right = std::min(right, clip_->right);
    bottom = std::min(bottom, clip_->bottom);
  }
  const std::uint32_t pixel = ToQRgb(colour);
  for (int y = top; y < bottom; ++y) {
    std::fill(bits_ + y * stride_ + left, bits_ + y * stride_ + std::max(left, right), pixel);
  }
}

void DC::FillSolidRect(const Rect& rect, COLORREF colour) {
  if (rect.IsEmpty()) return;
  if (IsMemory()) {
    FillPixels(rect.left, rect.top, rect.right, rect.bottom, colour);
  } else if (QPainter* painter = Painter()) {
    painter->fillRect(ToQRect(rect), QColor::fromRgb(ToQRgb(colour)));
  }
}

void DC::Line(int x0, int y0, int x1, int y1) {
  if (pen_.width <= 0 || (x0 == x1 && y0 == y1)) return;
  if (pen_.width == 1 && (x0 == x1 || y0 == y1)) {
    // The last point is not drawn: a horizontal or vertical line is a run of pixels.
    const auto run = [](int from, int to) {
      return to > from ? std::pair{from, to} : std::pair{to + 1, from + 1};
    };
    if (y0 == y1) {
      const auto [left, right] = run(x0, x1);
      FillSolidRect({left, y0, right, y0 + 1}, pen_.colour);
    } else {
      const auto [top, bottom] = run(y0, y1);
      FillSolidRect({x0, top, x0 + 1, bottom}, pen_.colour);
    }
    return;
  }
  if (QPainter* painter = Painter()) {
    painter->setPen(
        QPen(QColor::fromRgb(ToQRgb(pen_.colour)), pen_.width, Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(x0, y0, x1, y1);
  }
}

QPen DC::OutlinePen() const {
  return pen_.width > 0 ? QPen(QColor::fromRgb(ToQRgb(pen_.colour)), pen_.width) : QPen(Qt::NoPen);
}

QBrush DC::FillBrush() const {
  return brush_.hollow ? QBrush(Qt::NoBrush) : QBrush(QColor::fromRgb(ToQRgb(brush_.colour)));
}

void DC::Ellipse(const Rect& rect) {
  QPainter* painter = Painter();
  if (painter == nullptr || rect.IsEmpty()) return;
  if (!IsMemory()) {
    // The outline is stroked on its centre line, half a pen inside the edge.
    const double inset = std::max(pen_.width, 0) / 2.0;
    painter->save();
    painter->setPen(OutlinePen());
    painter->setBrush(FillBrush());
    painter->drawEllipse(QRectF(rect.left, rect.top, rect.Width(), rect.Height())
                             .adjusted(inset, inset, -inset, -inset));
    painter->restore();
    return;
  }
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(Qt::NoPen);
  const QRectF outer(rect.left, rect.top, rect.Width(), rect.Height());
  const int frame = std::max(pen_.width, 0);
  const QRectF inner = outer.adjusted(frame, frame, -frame, -frame);
  if (frame > 0) {
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addEllipse(outer);
    if (inner.isValid()) ring.addEllipse(inner);
    painter->fillPath(ring, QColor::fromRgb(ToQRgb(pen_.colour)));
  }
  if (!brush_.hollow && inner.isValid()) {
    painter->setBrush(QColor::fromRgb(ToQRgb(brush_.colour)));
    painter->drawEllipse(inner);
  }
  painter->restore();
}

void DC::Polygon(std::initializer_list<QPointF> points) {
  QPainter* painter = Painter();
  if (painter == nullptr || points.size() < 3) return;
  painter->save();
  painter->setPen(OutlinePen());
  painter->setBrush(FillBrush());
  painter->drawPolygon(points.begin(), static_cast<int>(points.size()));
  painter->restore();
}

void DC::ApplyTextState(QPainter& painter) {
  // A painter that is not ours may have been changed by its owner since.
  if (ownPainter_ == nullptr || paintedFont_ != font_.serial()) {
    painter.setFont(font_.qfont());
    paintedFont_ = font_.serial();
  }
  if (ownPainter_ == nullptr || paintedTextColour_ != textColour_) {
    painter.setPen(QColor::fromRgb(ToQRgb(textColour_)));
    paintedTextColour_ = textColour_;
  }
}

const QStaticText& DC::Shaped(std::u16string_view text) {
  // The key is the font's number followed by the text.
  std::u16string key(4, u'\0');
  for (int i = 0; i < 4; ++i)
    key[static_cast<size_t>(i)] = static_cast<char16_t>(font_.serial() >> (16 * i));
  key += text;
  if (shapedTexts_.size() > 4096) shapedTexts_.clear();
  auto [entry, added] = shapedTexts_.try_emplace(std::move(key));
  if (added) {
    entry->second.setTextFormat(Qt::PlainText);
    entry->second.setText(ToQString(text));
    entry->second.prepare(QTransform(), font_.qfont());
  }
  return entry->second;
}

double DC::LineHeight() {
  if (measuredFont_ != font_.serial()) {
    const QFontMetricsF metrics(font_.qfont());
    lineHeight_ = metrics.ascent() + metrics.descent();
    measuredFont_ = font_.serial();
  }
  return lineHeight_;
}

int DC::DrawText(std::u16string_view text, const Rect& rect, TextLayout layout) {
  QPainter* painter = Painter();
  if (painter == nullptr) return 0;
  ApplyTextState(*painter);
  if (layout == TextLayout::CentredSingleLine && text.find_first_of(u"\r\n") == text.npos) {
    // Shaping is most of the cost of text: board texts are shaped once and
    // then only drawn. Texts wider than their rectangle go the clipping way.
    // Centred on the line's ascent and descent, as laid-out text is.
    const QStaticText& shaped = Shaped(text);
    const double width = shaped.size().width();
    const double height = LineHeight();
    if (width <= rect.Width() && height <= rect.Height()) {
      painter->drawStaticText(
          QPointF(rect.left + (rect.Width() - width) / 2, rect.top + (rect.Height() - height) / 2),
          shaped);
      return static_cast<int>(std::ceil(height));
    }
  }
  QRect drawn;
  painter->drawText(ToQRect(rect), QtFlags(layout), WithLineFeeds(text), &drawn);
  return drawn.height();
}

Size DC::TextExtent(std::u16string_view text) const {
  const QFontMetrics metrics(font_.qfont());
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

int DC::WrappedTextHeight(std::u16string_view text, int width) const {
  const QFontMetrics metrics(font_.qfont());
  const QRect area(0, 0, std::max(width, 1), 1 << 24);
  return metrics.boundingRect(area, QtFlags(TextLayout::WordWrap), WithLineFeeds(text)).height();
}

COLORREF DC::GetPixel(int x, int y) const {
  if (!IsMemory() || x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) {
    return kInvalidColour;
  }
  return FromQRgb(bits_[y * stride_ + x]);
}

bool DC::SetPixel(int x, int y, COLORREF colour) {
  if (!IsMemory() || x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) {
    return false;
  }
  bits_[y * stride_ + x] = ToQRgb(colour);
  return true;
}

bool DC::BitBlt(int x, int y, int width, int height, const DC& source, int sx, int sy,
                RasterOp op) {
  if (!source.IsMemory()) return false;
  // Cut the rectangle to the source bitmap, then to this one.
  const auto cut = [&](int& position, int& other, int& extent, int limit) {
    if (position < 0) {
      other -= position;
      extent += position;
      position = 0;
    }
    extent = std::min(extent, limit - position);
  };
  cut(sx, x, width, source.image_->width());
  cut(sy, y, height, source.image_->height());
  if (IsMemory()) {
    cut(x, sx, width, image_->width());
    cut(y, sy, height, image_->height());
    if (clip_) {
      // The same cut, with the clip's corner as the origin.
      int left = x - clip_->left;
      int top = y - clip_->top;
      cut(left, sx, width, clip_->right - clip_->left);
      cut(top, sy, height, clip_->bottom - clip_->top);
      x = left + clip_->left;
      y = top + clip_->top;
    }
  }
  if (width <= 0 || height <= 0) return true;
  if (IsMemory()) return BlitPixels(x, y, width, height, source, sx, sy, op);
  if (QPainter* painter = Painter()) {
    const QPainter::CompositionMode previous = painter->compositionMode();
    painter->setCompositionMode(CompositionOf(op));
    painter->drawImage(QPoint(x, y), *source.image_, QRect(sx, sy, width, height));
    painter->setCompositionMode(previous);
  }
  return true;
}

bool DC::BlitPixels(int x, int y, int width, int height, const DC& source, int sx, int sy,
                    RasterOp op) {
  for (int row = 0; row < height; ++row) {
    const std::uint32_t* from = source.bits_ + (sy + row) * source.stride_ + sx;
    std::uint32_t* to = bits_ + (y + row) * stride_ + x;
    switch (op) {
      case RasterOp::SrcCopy:
        std::copy_n(from, width, to);
        break;
      case RasterOp::SrcAnd:
        for (int i = 0; i < width; ++i) to[i] &= from[i];
        break;
      case RasterOp::SrcPaint:
        for (int i = 0; i < width; ++i) to[i] |= from[i];
        break;
    }
  }
  return true;
}

}  // namespace rutl
