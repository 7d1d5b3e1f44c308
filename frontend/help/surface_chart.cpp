// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/surface_chart.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace varmkalk {

namespace {
constexpr int kOuterMargin = 6;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 3;
}  // namespace

SurfaceChart::SurfaceChart(QWidget* parent) : QWidget(parent) {}

void SurfaceChart::set_title(const QString& title) {
  title_ = title;
  update();
}

void SurfaceChart::set_axes(const ChartAxis& x_axis, const ChartAxis& y_axis,
                            const ChartAxis& z_axis) {
  x_axis_ = x_axis;
  y_axis_ = y_axis;
  z_axis_ = z_axis;
  update();
}

void SurfaceChart::add_series(const SurfaceSeries& series) {
  series_.push_back(series);
  update();
}

void SurfaceChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paint_chart_background(painter, rect());

  const QFontMetrics metrics = fontMetrics();
  const QFont title_font = chart_title_font(font());
  const QFontMetrics title_metrics(title_font);
  const int line_height = metrics.height();

  const std::vector<LegendEntry> legend = legend_of(series_);
  const QSize legend_box = legend_size(metrics, legend);

  const int y_label_width = widest_tick_label(metrics, y_axis_);
  const int z_label_width = widest_tick_label(metrics, z_axis_);
  // The depth axis is labelled below the legend, to the right of the floor's right corner.
  const int right_reserved = std::max(legend_box.width(), kTickLength + kLabelGap + y_label_width);

  const double box_left =
      kOuterMargin + line_height + kLabelGap + z_label_width + kLabelGap + kTickLength;
  const double box_top = kOuterMargin + title_metrics.height() + kOuterMargin;
  const double box_right = width() - kOuterMargin - right_reserved - kOuterMargin;
  const double box_bottom = height() - kOuterMargin - 2 * line_height - 2 * kLabelGap - kTickLength;
  const PlotBounds bounds = projected_bounds();
  const double x_scale = (box_right - box_left) / (bounds.max_x - bounds.min_x);
  const double y_scale = (box_bottom - box_top) / (bounds.max_y - bounds.min_y);

  const auto unit_to_screen = [&](const SpacePoint& unit) {
    const PlotPoint plane = project_dimetric(unit);
    return QPointF(box_left + (plane.x - bounds.min_x) * x_scale,
                   box_bottom - (plane.y - bounds.min_y) * y_scale);
  };
  const auto to_screen = [&](const SpacePoint& p) {
    return unit_to_screen(
        {axis_fraction(x_axis_, p.x), axis_fraction(y_axis_, p.y), axis_fraction(z_axis_, p.z)});
  };
  const auto unit_line = [&](const SpacePoint& a, const SpacePoint& b) {
    painter.drawLine(unit_to_screen(a), unit_to_screen(b));
  };
  const auto face = [&](std::initializer_list<SpacePoint> corners) {
    QPolygonF polygon;
    for (const SpacePoint& corner : corners) {
      polygon << unit_to_screen(corner);
    }
    return polygon;
  };

  painter.setFont(title_font);
  painter.drawText(QRect(0, kOuterMargin, width(), title_metrics.height()), Qt::AlignCenter,
                   title_);
  painter.setFont(font());

  // The floor and the two back walls, x = 0 on the left and y = 1 on the right.
  painter.setPen(QPen(QColor(150, 150, 150), 1));
  painter.setBrush(QColor(232, 232, 232));
  painter.drawPolygon(face({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}));
  painter.setBrush(QColor(240, 240, 240));
  painter.drawPolygon(face({{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}));
  painter.setBrush(QColor(246, 246, 246));
  painter.drawPolygon(face({{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}}));
  painter.setBrush(Qt::NoBrush);

  // Grid lines on the floor and the walls at every tick.
  const std::vector<double> x_ticks = tick_values(x_axis_.min, x_axis_.max, x_axis_.tick_step);
  const std::vector<double> y_ticks = tick_values(y_axis_.min, y_axis_.max, y_axis_.tick_step);
  const std::vector<double> z_ticks = tick_values(z_axis_.min, z_axis_.max, z_axis_.tick_step);
  painter.setPen(QPen(QColor(200, 200, 200), 1));
  for (double tick : x_ticks) {
    const double x = axis_fraction(x_axis_, tick);
    unit_line({x, 0, 0}, {x, 1, 0});
    unit_line({x, 1, 0}, {x, 1, 1});
  }
  for (double tick : y_ticks) {
    const double y = axis_fraction(y_axis_, tick);
    unit_line({0, y, 0}, {1, y, 0});
    unit_line({0, y, 0}, {0, y, 1});
  }
  for (double tick : z_ticks) {
    const double z = axis_fraction(z_axis_, tick);
    unit_line({0, 0, z}, {0, 1, z});
    unit_line({0, 1, z}, {1, 1, z});
  }

  // The remaining edges of the box, faint, so that the clipping at the top shows.
  painter.setPen(QPen(QColor(170, 170, 170), 1, Qt::DashLine));
  unit_line({1, 0, 0}, {1, 0, 1});
  unit_line({1, 1, 0}, {1, 1, 1});
  unit_line({0, 0, 1}, {1, 0, 1});
  unit_line({1, 0, 1}, {1, 1, 1});

  // The surfaces.
  for (const SurfaceSeries& series : series_) {
    painter.setPen(curve_pen(series.color));
    for (const SpaceLine& line : series.lines) {
      painter.drawPath(path_through(line, to_screen));
    }
  }

  // Axes with ticks and labels: x along the front left edge of the floor, y along its front
  // right edge, z up its left corner.
  painter.setPen(Qt::black);
  unit_line({0, 0, 0}, {1, 0, 0});
  unit_line({1, 0, 0}, {1, 1, 0});
  unit_line({0, 0, 0}, {0, 0, 1});
  for (double tick : x_ticks) {
    const QPointF at = unit_to_screen({axis_fraction(x_axis_, tick), 0, 0});
    painter.drawLine(at, at + QPointF(0, kTickLength));
    const QString label = chart_number(tick, x_axis_.decimals);
    const double label_width = metrics.horizontalAdvance(label);
    painter.drawText(QRectF(at.x() - label_width / 2.0 - 1.0, at.y() + kTickLength + kLabelGap,
                            label_width + 2.0, line_height),
                     Qt::AlignCenter, label);
  }
  for (double tick : y_ticks) {
    const QPointF at = unit_to_screen({1, axis_fraction(y_axis_, tick), 0});
    painter.drawLine(at, at + QPointF(kTickLength, 0));
    // A little low, clear of the edge that rises to the right.
    painter.drawText(QRectF(at.x() + kTickLength + kLabelGap, at.y() - line_height / 2.0 + 2.0,
                            y_label_width + 2.0, line_height),
                     Qt::AlignLeft | Qt::AlignVCenter, chart_number(tick, y_axis_.decimals));
  }
  for (double tick : z_ticks) {
    const QPointF at = unit_to_screen({0, 0, axis_fraction(z_axis_, tick)});
    painter.drawLine(at, at - QPointF(kTickLength, 0));
    painter.drawText(QRectF(at.x() - kTickLength - kLabelGap - z_label_width,
                            at.y() - line_height / 2.0, z_label_width, line_height),
                     Qt::AlignRight | Qt::AlignVCenter, chart_number(tick, z_axis_.decimals));
  }

  // The title of the x axis under the middle of its edge, below the tick labels; the longer
  // one of the depth axis in the bottom row, clear of the labels at the front corner.
  const auto draw_floor_title = [&](double centre_x, double top, const QString& title) {
    const double title_width = metrics.horizontalAdvance(title) + 2.0;
    const double left =
        std::clamp(centre_x - title_width / 2.0, 1.0, std::max(1.0, width() - 1.0 - title_width));
    painter.drawText(QRectF(left, top, title_width, line_height), Qt::AlignCenter, title);
  };
  const QPointF x_axis_middle = unit_to_screen({0.5, 0, 0});
  draw_floor_title(x_axis_middle.x(), x_axis_middle.y() + kTickLength + 2 * kLabelGap + line_height,
                   x_axis_.title);
  draw_floor_title(unit_to_screen({1, 0.5, 0}).x(),
                   box_bottom + kTickLength + 2 * kLabelGap + line_height, y_axis_.title);
  const QPointF z_axis_middle = unit_to_screen({0, 0, 0.5});
  draw_vertical_text(painter, QPointF(kOuterMargin + line_height / 2.0, z_axis_middle.y()),
                     z_axis_.title);

  draw_legend(painter,
              QPoint(width() - kOuterMargin - legend_box.width(), static_cast<int>(box_top)),
              legend);
}

}  // namespace varmkalk
