// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;
class QFontMetrics;

// What the line chart and the surface chart share: axes, number labels and the legend.

namespace varmkalk {

struct ChartAxis {
  QString title;
  double min = 0.0;
  double max = 1.0;
  double tick_step = 0.1;
  int decimals = 0;  // of the tick labels
};

struct LegendEntry {
  QString label;
  QColor color;
};

// A number as the charts label it: fixed decimals and a decimal comma ("0,5").
QString chart_number(double value, int decimals);

// Where `value` lies on `axis`, 0 at its minimum and 1 at its maximum.
double axis_fraction(const ChartAxis& axis, double value);

// The width of the widest tick label of `axis`.
int widest_tick_label(const QFontMetrics& metrics, const ChartAxis& axis);

QSize legend_size(const QFontMetrics& metrics, const std::vector<LegendEntry>& entries);

// A framed list of coloured line samples with their labels, its top left corner at `top_left`.
void draw_legend(QPainter& painter, QPoint top_left, const std::vector<LegendEntry>& entries);

// Text turned a quarter left, centred on `centre`: the title of a vertical axis.
void draw_vertical_text(QPainter& painter, QPointF centre, const QString& text);

// The bold, slightly larger font of a chart's title.
QFont chart_title_font(const QFont& base);

// The path through `points`, each placed on the screen by `to_screen`.
template <typename Points, typename ToScreen>
QPainterPath path_through(const Points& points, const ToScreen& to_screen) {
  QPainterPath path;
  bool first = true;
  for (const auto& point : points) {
    if (first) {
      path.moveTo(to_screen(point));
      first = false;
    } else {
      path.lineTo(to_screen(point));
    }
  }
  return path;
}

// The white, framed background every chart is drawn on, antialiased from here on.
void paint_chart_background(QPainter& painter, const QRect& area);

// One legend entry per series, in their order.
template <typename Series>
std::vector<LegendEntry> legend_of(const std::vector<Series>& series) {
  std::vector<LegendEntry> legend;
  for (const Series& one : series) {
    legend.push_back({one.name, one.color});
  }
  return legend;
}

// The pen of a data curve.
QPen curve_pen(const QColor& color);

}  // namespace varmkalk
