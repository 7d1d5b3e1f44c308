// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QRectF>

#include <functional>
#include <memory>

class QChart;
class QPainter;
class QPdfWriter;

namespace varmkalk {

// Scales and moves `painter` so that a picture laid out at the export size (kExportSize) fills
// `target`, centred at its own proportions. The caller saves and restores the painter.
void fit_export_size(QPainter& painter, const QRectF& target);

// Draws `chart` laid out at the export size, scaled to fit `target` and centred in it.
void render_chart(QPainter& painter, const QRectF& target, std::unique_ptr<QChart> chart);

// A PNG picture of what `paint` draws into a white area of the export size, with twice as many
// pixels.
QByteArray export_png(const std::function<void(QPainter&, const QRectF&)>& paint);

// Sets up an A4 page of PDF with the exports' margins, resolution and creator.
void start_pdf(QPdfWriter& writer, QPageLayout::Orientation orientation);

// The part of the page inside its margins, in the painter's coordinates.
QRectF paint_area(const QPdfWriter& writer);

}  // namespace varmkalk
