#include "app/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vantaro::app {
namespace {

void DrawStone(QPainter& painter, QPointF centre, qreal radius, bool black) {
  QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
  shade.setColorAt(0, black ? QColor(110, 110, 110) : QColor(255, 255, 255));
  shade.setColorAt(1, black ? QColor(10, 10, 10) : QColor(200, 200, 195));
  painter.setPen(QPen(QColor(0, 0, 0, black ? 255 : 120), radius / 14));
  painter.setBrush(shade);
  painter.drawEllipse(centre, radius, radius);
}

}  // namespace

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const QRectF board(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
  QLinearGradient wood(board.topLeft(), board.bottomRight());
  wood.setColorAt(0, QColor(0xF0, 0xC8, 0x78));
  wood.setColorAt(1, QColor(0xD2, 0x9A, 0x4C));
  painter.setPen(QPen(QColor(0x7A, 0x4E, 0x1C), s / 48));
  painter.setBrush(wood);
  painter.drawRoundedRect(board, s * 0.1, s * 0.1);

  // Four lines each way, the lower left corner of a board.
  const qreal step = s * 0.2;
  const QPointF corner(s * 0.2, s * 0.8);
  painter.setPen(QPen(QColor(0x3A, 0x26, 0x10), std::max<qreal>(1, s / 40)));
  for (int i = 0; i < 4; ++i) {
    painter.drawLine(QPointF(corner.x(), corner.y() - i * step),
                     QPointF(s * 0.94 - s * 0.02, corner.y() - i * step));
    painter.drawLine(QPointF(corner.x() + i * step, corner.y()),
                     QPointF(corner.x() + i * step, s * 0.06 + s * 0.02));
  }
  const qreal radius = step * 0.47;
  DrawStone(painter, corner + QPointF(step, -2 * step), radius, true);
  DrawStone(painter, corner + QPointF(2 * step, -step), radius, false);
  DrawStone(painter, corner + QPointF(2 * step, -2 * step), radius, true);
  return image;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
  }
  return icon;
}

}  // namespace vantaro::app
