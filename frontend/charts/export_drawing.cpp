// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/export_drawing.h"

#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace varmkalk {

namespace {

constexpr qreal kPngScale = 2.0;
// The PDF is laid out in pixels of a 96 dpi screen, so that the charts' fonts, given in points,
// keep their size against the chart; it is drawn as vectors all the same.
constexpr int kPdfResolution = 96;
constexpr qreal kPageMarginMm = 15.0;
constexpr qreal kTextBlockGap = 10.0;

// Sets up an A4 page of PDF with the exports' margins, resolution and creator.
void start_pdf(QPdfWriter& writer, QPageLayout::Orientation orientation) {
  writer.setResolution(kPdfResolution);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(orientation);
  writer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                        QPageLayout::Millimeter);
  writer.setCreator(QStringLiteral("VARMKALK"));
}

}  // namespace

void fit_export_size(QPainter& painter, const QRectF& target) {
  const qreal scale =
      std::min(target.width() / kExportSize.width(), target.height() / kExportSize.height());
  painter.translate(target.center() -
                    QPointF(kExportSize.width(), kExportSize.height()) * scale / 2.0);
  painter.scale(scale, scale);
}

void render_chart(QPainter& painter, const QRectF& target, std::unique_ptr<QChart> chart) {
  const QRectF logical(QPointF(0.0, 0.0), kExportSize);
  painter.save();
  fit_export_size(painter, target);
  QGraphicsScene scene;
  QChart* drawn = chart.release();
  scene.addItem(drawn);
  drawn->setGeometry(logical);
  drawn->layout()->activate();
  scene.setSceneRect(logical);
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, logical, logical);
  painter.restore();
}

QByteArray export_png(const std::function<void(QPainter&, const QRectF&)>& paint) {
  QImage image((kExportSize * kPngScale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kPngScale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    paint(painter, QRectF(QPointF(0.0, 0.0), kExportSize));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QByteArray export_pdf(QPageLayout::Orientation orientation, const QString& title,
                      const std::function<void(QPdfWriter&, QPainter&)>& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    start_pdf(writer, orientation);
    writer.setTitle(title);
    QPainter painter(&writer);
    paint(writer, painter);
  }
  return bytes;
}

QRectF paint_area(const QPdfWriter& writer) {
  const QRect pixels = writer.pageLayout().paintRectPixels(writer.resolution());
  return QRectF(0.0, 0.0, pixels.width(), pixels.height());
}

QRectF draw_text_block(QPainter& painter, const QRectF& area, const QFont& font,
                       const QString& text) {
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QRectF used =
      painter.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  return area.adjusted(0.0, used.height() + kTextBlockGap, 0.0, 0.0);
}

}  // namespace varmkalk
