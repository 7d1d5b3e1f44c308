// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/info_picture.h"

#include <QColor>
#include <QPainter>

namespace varmkalk {

QPixmap info_picture(int size_px) {
  QPixmap pixmap(size_px, size_px);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 128));
  const qreal s = size_px;
  painter.drawEllipse(QRectF(0.5, 0.5, s - 1.0, s - 1.0));
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(s * 0.42, s * 0.16, s * 0.16, s * 0.16));
  painter.drawRoundedRect(QRectF(s * 0.43, s * 0.38, s * 0.14, s * 0.44), s * 0.03, s * 0.03);
  return pixmap;
}

}  // namespace varmkalk
