// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/sweep/sweep_export.h"

#include "frontend/charts/chart_page.h"
#include "frontend/sweep/sweep_chart.h"

#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace varmkalk {

namespace {

constexpr qreal kPngScale = 2.0;
// Laid out in pixels of a 96 dpi screen, so that the fonts keep their size against the chart.
constexpr int kPdfResolution = 96;
constexpr qreal kPageMarginMm = 15.0;

// Draws the chart laid out at the export size, scaled to fit `target` and centred in it.
void render_chart(QPainter& painter, const QRectF& target,
                  const std::shared_ptr<const Sweep>& sweep) {
  const QRectF logical(QPointF(0.0, 0.0), kExportSize);
  const qreal scale =
      std::min(target.width() / logical.width(), target.height() / logical.height());
  painter.save();
  painter.translate(target.center() - QPointF(logical.width(), logical.height()) * scale / 2.0);
  painter.scale(scale, scale);
  QGraphicsScene scene;
  QChart* chart = build_sweep_chart(sweep).release();
  scene.addItem(chart);
  chart->setGeometry(logical);
  chart->layout()->activate();
  scene.setSceneRect(logical);
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, logical, logical);
  painter.restore();
}

}  // namespace

QByteArray sweep_chart_png(const std::shared_ptr<const Sweep>& sweep) {
  QImage image((kExportSize * kPngScale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kPngScale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    render_chart(painter, QRectF(QPointF(0.0, 0.0), kExportSize), sweep);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QByteArray sweep_chart_pdf(const std::shared_ptr<const Sweep>& sweep) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                          QPageLayout::Millimeter);
    writer.setCreator(QStringLiteral("VARMKALK"));
    writer.setTitle(QStringLiteral("Känslighetsanalys: %1").arg(sweep->heading));
    QPainter painter(&writer);
    const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
    render_chart(painter, QRectF(0.0, 0.0, area.width(), area.height()), sweep);
  }
  return bytes;
}

}  // namespace varmkalk
