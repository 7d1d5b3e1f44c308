// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/sweep/sweep_export.h"

#include "frontend/charts/export_drawing.h"
#include "frontend/sweep/sweep_chart.h"

#include <QBuffer>
#include <QChart>
#include <QPainter>
#include <QPdfWriter>

namespace varmkalk {

QByteArray sweep_chart_png(const std::shared_ptr<const Sweep>& sweep) {
  return export_png([&sweep](QPainter& painter, const QRectF& area) {
    render_chart(painter, area, build_sweep_chart(sweep));
  });
}

QByteArray sweep_chart_pdf(const std::shared_ptr<const Sweep>& sweep) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    start_pdf(writer, QPageLayout::Landscape);
    writer.setTitle(QStringLiteral("Känslighetsanalys: %1").arg(sweep->heading));
    QPainter painter(&writer);
    render_chart(painter, paint_area(writer), build_sweep_chart(sweep));
  }
  return bytes;
}

}  // namespace varmkalk
