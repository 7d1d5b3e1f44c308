// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/chart_common.h"

#include "frontend/help/chart_math.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace varmkalk {

namespace {
constexpr int kLegendPadding = 5;
constexpr int kLegendSampleLength = 18;
constexpr int kLegendSampleGap = 5;
}  // namespace

QString chart_number(double value, int decimals) {
  return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

double axis_fraction(const ChartAxis& axis, double value) {
  return (value - axis.min) / (axis.max - axis.min);
}

int widest_tick_label(const QFontMetrics& metrics, const ChartAxis& axis) {
  int widest = 0;
  for (double tick : tick_values(axis.min, axis.max, axis.tick_step)) {
    widest = std::max(widest, metrics.horizontalAdvance(chart_number(tick, axis.decimals)));
  }
  return widest;
}

QSize legend_size(const QFontMetrics& metrics, const std::vector<LegendEntry>& entries) {
  int text_width = 0;
  for (const LegendEntry& entry : entries) {
    text_width = std::max(text_width, metrics.horizontalAdvance(entry.label));
  }
  const int rows = static_cast<int>(entries.size());
  return {2 * kLegendPadding + kLegendSampleLength + kLegendSampleGap + text_width,
          2 * kLegendPadding + rows * metrics.height()};
}

void draw_legend(QPainter& painter, QPoint top_left, const std::vector<LegendEntry>& entries) {
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect frame(top_left, legend_size(metrics, entries));
  painter.save();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  int row_top = frame.top() + kLegendPadding;
  for (const LegendEntry& entry : entries) {
    const int middle = row_top + metrics.height() / 2;
    const int sample_left = frame.left() + kLegendPadding;
    painter.setPen(curve_pen(entry.color));
    painter.drawLine(sample_left, middle, sample_left + kLegendSampleLength, middle);
    painter.setPen(Qt::black);
    const QRect text_rect(sample_left + kLegendSampleLength + kLegendSampleGap, row_top,
                          frame.right() - sample_left, metrics.height());
    painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter, entry.label);
    row_top += metrics.height();
  }
  painter.restore();
}

void draw_vertical_text(QPainter& painter, QPointF centre, const QString& text) {
  const QFontMetrics metrics = painter.fontMetrics();
  const int width = metrics.horizontalAdvance(text);
  painter.save();
  painter.translate(centre);
  painter.rotate(-90.0);
  painter.drawText(
      QRectF(-width / 2.0 - 2.0, -metrics.height() / 2.0, width + 4.0, metrics.height()),
      Qt::AlignCenter, text);
  painter.restore();
}

QFont chart_title_font(const QFont& base) {
  QFont title_font = base;
  title_font.setBold(true);
  if (base.pixelSize() > 0) {
    title_font.setPixelSize(base.pixelSize() + 2);
  } else {
    title_font.setPointSizeF(base.pointSizeF() * 1.2);
  }
  return title_font;
}

QPen curve_pen(const QColor& color) {
  return QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap);
}

void paint_chart_background(QPainter& painter, const QRect& area) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(area, Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

}  // namespace varmkalk
