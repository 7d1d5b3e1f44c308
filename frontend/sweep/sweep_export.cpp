// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/sweep/sweep_export.h"

#include "frontend/charts/export_drawing.h"
#include "frontend/sweep/sweep_chart.h"

#include <QChart>
#include <QCoreApplication>
#include <QPainter>

namespace varmkalk {

QByteArray sweep_chart_png(const std::shared_ptr<const Sweep>& sweep) {
  return export_png([&sweep](QPainter& painter, const QRectF& area) {
    render_chart(painter, area, build_sweep_chart(sweep));
  });
}

QByteArray sweep_chart_pdf(const std::shared_ptr<const Sweep>& sweep) {
  return export_pdf(
      QPageLayout::Landscape,
      QCoreApplication::translate("SweepExport", "Känslighetsanalys: %1").arg(sweep->heading),
      [&sweep](QPdfWriter& writer, QPainter& painter) {
        render_chart(painter, paint_area(writer), build_sweep_chart(sweep));
      });
}

}  // namespace varmkalk
