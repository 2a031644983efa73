// The program's icon: signal bars on a blue tile. Drawn rather than loaded,
// so it is sharp at every size and scale.

#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "qtpaint/main_window.h"

namespace qtpaint {
namespace {

QPixmap DrawIcon(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  QLinearGradient g(0, 0, 0, s);
  g.setColorAt(0, QColor("#2f80ff"));
  g.setColorAt(1, QColor("#0b4fb3"));
  QPainterPath tile;
  tile.addRoundedRect(QRectF(0.04 * s, 0.04 * s, 0.92 * s, 0.92 * s), 0.2 * s, 0.2 * s);
  p.fillPath(tile, g);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const qreal barW = 0.12 * s, gap = 0.06 * s, base = 0.76 * s;
  for (int i = 0; i < 4; ++i) {
    const qreal h = (0.16 + 0.14 * i) * s;
    const qreal x = 0.19 * s + i * (barW + gap);
    p.drawRoundedRect(QRectF(x, base - h, barW, h), 0.025 * s, 0.025 * s);
  }
  return pm;
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawIcon(size));
  return icon;
}

}  // namespace qtpaint
