// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/line_chart.h"

#include <QPainter>

#include <algorithm>

namespace varmkalk {

namespace {
constexpr int kOuterMargin = 6;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 3;
}  // namespace

LineChart::LineChart(QWidget* parent) : QWidget(parent) {}

void LineChart::set_title(const QString& title) {
  title_ = title;
  update();
}

void LineChart::set_axes(const ChartAxis& x_axis, const ChartAxis& y_axis) {
  x_axis_ = x_axis;
  y_axis_ = y_axis;
  update();
}

void LineChart::add_series(const ChartSeries& series) {
  series_.push_back(series);
  update();
}

void LineChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paint_chart_background(painter, rect());

  const QFontMetrics metrics = fontMetrics();
  const QFont title_font = chart_title_font(font());
  const QFontMetrics title_metrics(title_font);

  const std::vector<LegendEntry> legend = legend_of(series_);
  const QSize legend_box = legend_size(metrics, legend);

  const std::vector<double> x_ticks = tick_values(x_axis_.min, x_axis_.max, x_axis_.tick_step);
  const std::vector<double> y_ticks = tick_values(y_axis_.min, y_axis_.max, y_axis_.tick_step);
  const int y_label_width = widest_tick_label(metrics, y_axis_);
  const int last_x_label_half =
      metrics.horizontalAdvance(chart_number(x_axis_.max, x_axis_.decimals)) / 2;

  const int plot_left =
      kOuterMargin + metrics.height() + kLabelGap + y_label_width + kLabelGap + kTickLength;
  const int plot_top = kOuterMargin + title_metrics.height() + kOuterMargin;
  const int plot_right =
      width() - kOuterMargin - legend_box.width() - kOuterMargin - last_x_label_half;
  const int plot_bottom = height() - kOuterMargin - metrics.height() - kLabelGap -
                          metrics.height() - kLabelGap - kTickLength;
  const QRectF plot(QPointF(plot_left, plot_top), QPointF(plot_right, plot_bottom));

  const auto to_screen = [&](const PlotPoint& p) {
    return QPointF(plot.left() + axis_fraction(x_axis_, p.x) * plot.width(),
                   plot.bottom() - axis_fraction(y_axis_, p.y) * plot.height());
  };

  painter.setFont(title_font);
  painter.drawText(QRect(0, kOuterMargin, width(), title_metrics.height()), Qt::AlignCenter,
                   title_);
  painter.setFont(font());

  // Grid, ticks and tick labels.
  painter.setPen(QPen(QColor(210, 210, 210), 1));
  for (double tick : x_ticks) {
    const double x = to_screen({tick, y_axis_.min}).x();
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  for (double tick : y_ticks) {
    const double y = to_screen({x_axis_.min, tick}).y();
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  }
  painter.setPen(Qt::black);
  for (double tick : x_ticks) {
    const double x = to_screen({tick, y_axis_.min}).x();
    painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
    const QString label = chart_number(tick, x_axis_.decimals);
    const double label_width = metrics.horizontalAdvance(label);
    painter.drawText(QRectF(x - label_width / 2.0 - 1.0, plot.bottom() + kTickLength + kLabelGap,
                            label_width + 2.0, metrics.height()),
                     Qt::AlignCenter, label);
  }
  for (double tick : y_ticks) {
    const double y = to_screen({x_axis_.min, tick}).y();
    painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
    painter.drawText(QRectF(plot.left() - kTickLength - kLabelGap - y_label_width,
                            y - metrics.height() / 2.0, y_label_width, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, chart_number(tick, y_axis_.decimals));
  }
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());
  painter.drawLine(plot.bottomLeft(), plot.topLeft());

  // Axis titles.
  painter.drawText(QRectF(plot.left(), height() - kOuterMargin - metrics.height(), plot.width(),
                          metrics.height()),
                   Qt::AlignCenter, x_axis_.title);
  draw_vertical_text(painter, QPointF(kOuterMargin + metrics.height() / 2.0, plot.center().y()),
                     y_axis_.title);

  // Curves, kept inside the plot area even if a point strays outside the axes.
  painter.save();
  painter.setClipRect(plot.adjusted(-1.0, -1.0, 1.0, 1.0));
  for (const ChartSeries& series : series_) {
    painter.setPen(curve_pen(series.color));
    for (const Polyline& piece : series.pieces) {
      painter.drawPath(path_through(piece, to_screen));
    }
  }
  painter.restore();

  draw_legend(painter, QPoint(width() - kOuterMargin - legend_box.width(), plot_top), legend);
}

}  // namespace varmkalk
