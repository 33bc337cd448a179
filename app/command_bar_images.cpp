#include "app/command_bar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vantaro::app {
namespace {

const QColor kInk(0x20, 0x3A, 0x6A);

// A triangle pointing left or right, its tip at x, filling the height band.
void Arrowhead(QPainter& painter, qreal tipX, qreal width, qreal s, bool right) {
  const qreal back = right ? tipX - width : tipX + width;
  QPainterPath path;
  path.moveTo(tipX, s * 0.5);
  path.lineTo(back, s * 0.2);
  path.lineTo(back, s * 0.8);
  path.closeSubpath();
  painter.fillPath(path, kInk);
}

void Bar(QPainter& painter, qreal x, qreal s) {
  painter.fillRect(QRectF(x, s * 0.2, s * 0.1, s * 0.6), kInk);
}

void DrawTryPlay(QPainter& painter, qreal s) {
  QRadialGradient shade(QPointF(s * 0.38, s * 0.36), s * 0.45);
  shade.setColorAt(0, QColor(120, 120, 120));
  shade.setColorAt(1, QColor(15, 15, 15));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawEllipse(QPointF(s * 0.42, s * 0.5), s * 0.32, s * 0.32);
  // The pencil of trying: a slanted stroke over the stone's corner.
  painter.setPen(QPen(QColor(0xD0, 0x40, 0x20), s * 0.12, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(s * 0.62, s * 0.86), QPointF(s * 0.9, s * 0.42));
}

void DrawUndo(QPainter& painter, qreal s) {
  painter.setPen(QPen(kInk, s * 0.11, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath curve;
  curve.moveTo(s * 0.3, s * 0.4);
  curve.cubicTo(s * 0.55, s * 0.2, s * 0.95, s * 0.35, s * 0.8, s * 0.72);
  painter.drawPath(curve);
  QPainterPath head;
  head.moveTo(s * 0.08, s * 0.42);
  head.lineTo(s * 0.4, s * 0.2);
  head.lineTo(s * 0.4, s * 0.62);
  head.closeSubpath();
  painter.fillPath(head, kInk);
}

void DrawImage(QPainter& painter, int index, qreal s) {
  switch (index) {
    case 0:
      Arrowhead(painter, s * 0.08, s * 0.42, s, false);
      Arrowhead(painter, s * 0.5, s * 0.42, s, false);
      break;
    case 1:
      Bar(painter, s * 0.18, s);
      Arrowhead(painter, s * 0.3, s * 0.5, s, false);
      break;
    case 2:
      Arrowhead(painter, s * 0.7, s * 0.5, s, true);
      Bar(painter, s * 0.72, s);
      break;
    case 3:
      Arrowhead(painter, s * 0.5, s * 0.42, s, true);
      Arrowhead(painter, s * 0.92, s * 0.42, s, true);
      break;
    case 5:
      DrawTryPlay(painter, s);
      break;
    case 6:
      DrawUndo(painter, s);
      break;
    default:
      break;
  }
}

}  // namespace

QIcon CommandBarIcon(int index) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawImage(painter, index, size);
    painter.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace vantaro::app
