// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/formats/daily_line.h"
#include "frontend/logic/year/chart_year.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

// The building blocks of the charts of a year and of the comparison of calculations: one look for
// every chart, axes with tidy ticks, points of the days.
namespace varmkalk::chart_blocks {

inline constexpr qreal kLineWidth = 2.0;
// The air left around the values on an axis, as a share of their span.
inline constexpr double kRangeMargin = 0.04;

struct Point {
  double x;
  double y;
};

// A field of a daily line, empty where the file had a gap.
std::optional<double> field(const core::DailyFileLine& line, core::DailyField name);

// A new chart with the title, Swedish numbers, the legend below and no animation.
std::unique_ptr<QChart> new_chart(const QString& title);

QValueAxis* value_axis(QChart& chart, Qt::Alignment alignment, const QString& title);

// The decimals that the labels of ticks `step` apart need.
int step_decimals(double step);
// The axis from `low` to `high` with ticks at round values (multiples of a tidy step, 0 among
// them) and labels with the decimals they need.
void set_range(QValueAxis& axis, double low, double high);
// The same with some air around the values.
void fit_range(QValueAxis& axis, double low, double high);
// Efficiencies in per cent from `low` to `high`, widened to a least span so that a few values
// that differ in the second decimal are not blown up to fill the chart, with some air around.
std::pair<double, double> efficiency_span(double low, double high);
// The axis over efficiencies in per cent, as efficiency_span widens them.
void fit_efficiency_range(QValueAxis& axis, double low, double high);

void attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);

// For the pieces of a broken curve after the first, and for lines that only mark a place.
void hide_from_legend(QChart& chart, QAbstractSeries* series);

// Shows `text(point)` beside the pointer while it is over the series; an empty text shows none.
void tooltip_on_hover(QXYSeries* series, std::function<QString(const QPointF&)> text);

QScatterSeries* scatter(const QString& name, const QColor& color, const std::vector<Point>& points);

// The points (x, y) of the days whose line has both values.
std::vector<Point> day_points(const ChartYear& year, bool with_pump, core::DailyField x_field,
                              core::DailyField y_field);

// The smallest and the largest x or y of the points.
std::pair<double, double> extent(const std::vector<std::vector<Point>>& sets,
                                 double Point::*coordinate);

// The points of a scatter chart that share a name and a colour.
struct ScatterSet {
  QString name;
  QColor color;
  std::vector<Point> points;
};

// Day efficiencies against the outdoor temperature, a series per set, each point telling its
// values on hover.
std::unique_ptr<QChart> efficiency_scatter_chart(const QString& title, const QString& y_title,
                                                 const std::vector<ScatterSet>& sets);

}  // namespace varmkalk::chart_blocks
