// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

class QChart;
class QFont;
class QPainter;
class QPdfWriter;

namespace varmkalk {

// The size, in pixels of the screen, at which a chart is drawn for export; a PNG has twice as
// many pixels, a PDF page draws it scaled as vectors.
inline constexpr QSizeF kExportSize{1000.0, 640.0};

// Scales and moves `painter` so that a picture laid out at the export size (kExportSize) fills
// `target`, centred at its own proportions. The caller saves and restores the painter.
void fit_export_size(QPainter& painter, const QRectF& target);

// Draws `chart` laid out at the export size, scaled to fit `target` and centred in it.
void render_chart(QPainter& painter, const QRectF& target, std::unique_ptr<QChart> chart);

// A PNG picture of what `paint` draws into a white area of the export size, with twice as many
// pixels.
QByteArray export_png(const std::function<void(QPainter&, const QRectF&)>& paint);

// A PDF titled `title` of what `paint` draws with the painter on the writer's A4 pages, which
// have the exports' margins, resolution and creator; the first page in `orientation`.
QByteArray export_pdf(QPageLayout::Orientation orientation, const QString& title,
                      const std::function<void(QPdfWriter&, QPainter&)>& paint);

// The part of the page inside its margins, in the painter's coordinates.
QRectF paint_area(const QPdfWriter& writer);

// Draws `text` in black from the top of `area`, wrapped to its width, and returns the area below
// it, a gap further down.
QRectF draw_text_block(QPainter& painter, const QRectF& area, const QFont& font,
                       const QString& text);

}  // namespace varmkalk
