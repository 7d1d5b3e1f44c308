// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/sweep/sweep_chart.h"

#include "frontend/charts/chart_blocks.h"
#include "frontend/charts/chart_style.h"
#include "frontend/logic/run/run_notices.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace varmkalk {

QString with_pump_series() {
  return QCoreApplication::translate("SweepChart", "Årsverkningsgrad");
}

QString without_pump_series() {
  return QCoreApplication::translate("SweepChart", "Årsverkningsgrad exkl. cirkpump");
}

QString current_series() {
  return QCoreApplication::translate("SweepChart", "Formulärets fall");
}

QString unmet_series() {
  return QCoreApplication::translate("SweepChart", "Pannan räcker inte till");
}

QString gap_series() {
  return QCoreApplication::translate("SweepChart", "Beräknas inte");
}

QString cost_series() {
  return QCoreApplication::translate("SweepChart", "Kostnad totalt (kr/år)");
}

QString heat_pump_cost_series() {
  return QCoreApplication::translate("SweepChart", "Värmepumpens kostnad (kr/år)");
}

QString crossing_series() {
  return QCoreApplication::translate("SweepChart", "Kostnaderna möts");
}

namespace {

using chart_blocks::attach;
using chart_blocks::efficiency_span;
using chart_blocks::hide_from_legend;
using chart_blocks::kLineWidth;
using chart_blocks::step_decimals;
using chart_blocks::tooltip_on_hover;
using chart_blocks::value_axis;

constexpr double kPerCent = 100.0;
constexpr qreal kMarkerSize = 8.0;
constexpr qreal kCurrentMarkerSize = 14.0;
// Where the points without an efficiency are marked, as a share of the height from the bottom.
constexpr double kGapMarkHeight = 0.03;
// Beyond this many points a curve is drawn as a line alone.
constexpr std::size_t kMostPointsMarked = 60;
const QColor kGapColor{120, 120, 120};
const QColor kCostColor{46, 139, 87};
const QColor kHeatPumpCostColor{200, 80, 40};
// The cost axis spans at least this share of its value, so that a flat cost stays flat.
constexpr double kLeastCostSpan = 0.02;

std::size_t nearest_row(const Sweep& sweep, double position) {
  std::size_t nearest = 0;
  double distance = std::numeric_limits<double>::infinity();
  for (std::size_t row = 0; row < sweep.points.size(); ++row) {
    const double d = std::fabs(sweep.points[row].position - position);
    if (d < distance) {
      distance = d;
      nearest = row;
    }
  }
  return nearest;
}

// The tip of the point nearest the pointer, its values and remarks; without points an empty text,
// which hides the tip.
std::function<QString(const QPointF&)> point_tip(const std::shared_ptr<const Sweep>& sweep) {
  return [sweep](const QPointF& point) {
    return sweep->points.empty()
               ? QString()
               : sweep_point_tip(*sweep, nearest_row(*sweep, point.x()), chart_locale());
  };
}

QScatterSeries* scatter(const QString& name, const QColor& color, qreal size) {
  auto* series = new QScatterSeries;
  series->setName(name);
  series->setColor(color);
  series->setBorderColor(color.darker(130));
  series->setMarkerSize(size);
  return series;
}

struct Range {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void take(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  bool empty() const { return !(low <= high); }
};

// The efficiency axis around every efficiency shown, at least two percentage points tall, so
// that differences in the second decimal are not blown up to fill the chart.
Range efficiency_range(const Sweep& sweep) {
  Range range;
  for (const SweepResult& result : sweep.results) {
    for (const bool with_pump : {true, false}) {
      if (const auto value = sweep_efficiency_percent(result, with_pump)) {
        range.take(*value);
      }
    }
  }
  for (const bool with_pump : {true, false}) {
    if (const auto value = sweep_efficiency_percent(sweep.current, with_pump)) {
      range.take(*value);
    }
  }
  if (range.empty()) {
    return {0.0, kPerCent};
  }
  const auto [low, high] = efficiency_span(range.low, range.high);
  return {low, high};
}

// The axis from about `low` to `high`, widened to round ticks, each labelled with the decimals
// its step needs.
void set_nice_range(QValueAxis& axis, double low, double high) {
  axis.setRange(low, high);
  axis.applyNiceNumbers();
  const double step = (axis.max() - axis.min()) / std::max(axis.tickCount() - 1, 1);
  axis.setLabelFormat(QStringLiteral("%.%1f").arg(step_decimals(step)));
}

QAbstractAxis* position_axis(QChart& chart, const Sweep& sweep) {
  if (is_category(sweep.input)) {
    auto* axis = new QCategoryAxis(&chart);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (const SweepPoint& point : sweep.points) {
      axis->append(point.category, point.position);
    }
    axis->setRange(-0.5, static_cast<double>(sweep.points.size()) - 0.5);
    axis->setTitleText(sweep.heading);
    chart.addAxis(axis, Qt::AlignBottom);
    return axis;
  }
  Range range;
  for (const SweepPoint& point : sweep.points) {
    range.take(point.position);
  }
  range.take(sweep.current_position);
  QValueAxis* axis = value_axis(chart, Qt::AlignBottom, sweep.heading);
  set_nice_range(*axis, range.low, range.high);
  return axis;
}

// An efficiency over the points: a line broken where a point has none (only the first piece in
// the legend), or points alone over a category.
void add_efficiency(QChart& chart, QAbstractAxis* x, QAbstractAxis* y,
                    const std::shared_ptr<const Sweep>& sweep, bool with_pump) {
  const QString name = with_pump ? with_pump_series() : without_pump_series();
  const QColor color = with_pump ? kWithPumpColor : kWithoutPumpColor;
  if (is_category(sweep->input)) {
    QScatterSeries* series = scatter(name, color, kMarkerSize);
    for (std::size_t row = 0; row < sweep->points.size(); ++row) {
      if (const auto value = sweep_efficiency_percent(sweep->results[row], with_pump)) {
        series->append(sweep->points[row].position, *value);
      }
    }
    tooltip_on_hover(series, point_tip(sweep));
    attach(chart, series, x, y);
    return;
  }
  const bool marked = sweep->points.size() <= kMostPointsMarked;
  QLineSeries* piece = nullptr;
  bool first = true;
  for (std::size_t row = 0; row < sweep->points.size(); ++row) {
    const auto value = sweep_efficiency_percent(sweep->results[row], with_pump);
    if (!value) {
      piece = nullptr;
      continue;
    }
    if (piece == nullptr) {
      piece = new QLineSeries;
      piece->setName(name);
      piece->setPen(QPen(color, kLineWidth));
      piece->setPointsVisible(marked);
      tooltip_on_hover(piece, point_tip(sweep));
      attach(chart, piece, x, y);
      if (!first) {
        hide_from_legend(chart, piece);
      }
      first = false;
    }
    piece->append(sweep->points[row].position, *value);
  }
  // A piece of one point draws nothing as a line.
  for (QAbstractSeries* series : chart.series()) {
    if (auto* line = qobject_cast<QLineSeries*>(series); line != nullptr && line->count() == 1) {
      line->setPointsVisible(true);
    }
  }
}

void add_marks(QChart& chart, QAbstractAxis* x, QAbstractAxis* y,
               const std::shared_ptr<const Sweep>& sweep, const Range& y_range) {
  QScatterSeries* unmet = scatter(unmet_series(), kUnmetColor, kMarkerSize + 2.0);
  unmet->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  QScatterSeries* part_load = scatter(part_load_name(), kPartLoadColor, kMarkerSize + 2.0);
  part_load->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  QScatterSeries* gaps = scatter(gap_series(), kGapColor, kMarkerSize + 2.0);
  gaps->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
  const double gap_y = y_range.low + (y_range.high - y_range.low) * kGapMarkHeight;
  for (std::size_t row = 0; row < sweep->points.size(); ++row) {
    const SweepResult& result = sweep->results[row];
    const double position = sweep->points[row].position;
    const auto value = sweep_efficiency_percent(result, true);
    if (!value) {
      gaps->append(position, gap_y);
    } else if (result.totals.unmet_days > result.totals.part_load_days) {
      unmet->append(position, *value);
    } else if (result.totals.part_load_days > 0) {
      part_load->append(position, *value);
    }
  }
  for (QScatterSeries* series : {unmet, part_load, gaps}) {
    if (series->count() == 0) {
      delete series;
      continue;
    }
    tooltip_on_hover(series, point_tip(sweep));
    attach(chart, series, x, y);
  }

  // The case itself: a line across the chart at its value, rings on its efficiencies.
  auto* line = new QLineSeries;
  line->setPen(QPen(Qt::black, 1.0, Qt::DashLine));
  line->append(sweep->current_position, y_range.low);
  line->append(sweep->current_position, y_range.high);
  attach(chart, line, x, y);
  hide_from_legend(chart, line);
  QScatterSeries* current = scatter(current_series(), Qt::transparent, kCurrentMarkerSize);
  current->setPen(QPen(Qt::black, kLineWidth));
  for (const bool with_pump : {true, false}) {
    if (const auto value = sweep_efficiency_percent(sweep->current, with_pump)) {
      current->append(sweep->current_position, *value);
    }
  }
  attach(chart, current, x, y);
}

// The total costs over the points on the right-hand axis, dashed: a line broken where a point
// has none, or points alone over a category.
void add_cost_line(QChart& chart, QAbstractAxis* x, QValueAxis* y,
                   const std::shared_ptr<const Sweep>& sweep, const QString& name,
                   const QColor& color,
                   std::optional<double> (*cost_of)(const Sweep&, std::size_t)) {
  const bool category = is_category(sweep->input);
  QXYSeries* piece = nullptr;
  bool first = true;
  for (std::size_t row = 0; row < sweep->points.size(); ++row) {
    const auto cost = cost_of(*sweep, row);
    if (!cost) {
      piece = category ? piece : nullptr;
      continue;
    }
    if (piece == nullptr) {
      if (category) {
        piece = scatter(name, color, kMarkerSize);
      } else {
        piece = new QLineSeries;
        piece->setName(name);
        piece->setPen(QPen(color, kLineWidth, Qt::DashLine));
      }
      tooltip_on_hover(piece, point_tip(sweep));
      attach(chart, piece, x, y);
      if (!first) {
        hide_from_legend(chart, piece);
      }
      first = false;
    }
    piece->append(sweep->points[row].position, *cost);
  }
}

void add_cost(QChart& chart, QAbstractAxis* x, const std::shared_ptr<const Sweep>& sweep) {
  Range range;
  for (std::size_t row = 0; row < sweep->points.size(); ++row) {
    for (const auto cost : {sweep_cost_sek(*sweep, row), sweep_heat_pump_cost_sek(*sweep, row)}) {
      if (cost) {
        range.take(*cost);
      }
    }
  }
  if (range.empty()) {
    return;
  }
  const double least = std::fabs(range.high) * kLeastCostSpan;
  if (range.high - range.low < least) {
    range.take(range.low - least / 2.0);
    range.take(range.high + least / 2.0);
  }
  QValueAxis* y =
      value_axis(chart, Qt::AlignRight,
                 sweep->heat_pump ? QCoreApplication::translate("SweepChart", "Kostnad (kr/år)")
                                  : cost_series());
  set_nice_range(*y, range.low, range.high);
  y->setLabelFormat(QStringLiteral("%.0f"));
  add_cost_line(chart, x, y, sweep, cost_series(), kCostColor, &sweep_cost_sek);
  if (!sweep->heat_pump) {
    return;
  }
  add_cost_line(chart, x, y, sweep, heat_pump_cost_series(), kHeatPumpCostColor,
                &sweep_heat_pump_cost_sek);
  if (const std::optional<CostCrossing> crossing = cost_crossing(*sweep)) {
    QScatterSeries* mark = scatter(crossing_series(), Qt::transparent, kCurrentMarkerSize);
    mark->setPen(QPen(kHeatPumpCostColor, kLineWidth));
    mark->append(crossing->position, crossing->cost_sek);
    attach(chart, mark, x, y);
  }
}

}  // namespace

std::unique_ptr<QChart> build_sweep_chart(std::shared_ptr<const Sweep> sweep) {
  const qsizetype unit_at = sweep->heading.lastIndexOf(QStringLiteral(" ("));
  auto chart = chart_blocks::new_chart(
      QCoreApplication::translate("SweepChart", "Årsverkningsgrad mot %1")
          .arg((unit_at > 0 ? sweep->heading.left(unit_at) : sweep->heading).toLower()));

  QAbstractAxis* x = position_axis(*chart, *sweep);
  QValueAxis* y = value_axis(*chart, Qt::AlignLeft,
                             QCoreApplication::translate("SweepChart", "Årsverkningsgrad (%)"));
  const Range wanted = efficiency_range(*sweep);
  set_nice_range(*y, wanted.low, wanted.high);
  const Range y_range{y->min(), y->max()};

  add_efficiency(*chart, x, y, sweep, true);
  add_efficiency(*chart, x, y, sweep, false);
  add_marks(*chart, x, y, sweep, y_range);
  add_cost(*chart, x, sweep);
  return chart;
}

}  // namespace varmkalk
