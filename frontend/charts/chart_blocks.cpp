// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_blocks.h"

#include "frontend/charts/chart_style.h"

#include <QChart>
#include <QCoreApplication>
#include <QCursor>
#include <QLegend>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace varmkalk::chart_blocks {

namespace {

constexpr qreal kMarkerSize = 7.0;
constexpr double kTickParts = 8.0;
constexpr double kLeastEfficiencySpan = 2.0;  // percentage points

// A tick interval of 1, 2, 2.5 or 5 times a power of ten that parts `span` into about
// kTickParts.
double tick_step(double span) {
  const double raw = span / kTickParts;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (raw <= factor * magnitude) {
      return factor * magnitude;
    }
  }
  return 10.0 * magnitude;
}

// `low` to `high` with some air around the values.
std::pair<double, double> with_margin(double low, double high) {
  const double margin = std::isfinite(high - low) ? (high - low) * kRangeMargin : 0.0;
  return {low - margin, high + margin};
}

}  // namespace

std::optional<double> field(const core::DailyFileLine& line, core::DailyField name) {
  const std::optional<float>& value = line[name];
  return value ? std::optional<double>(*value) : std::nullopt;
}

std::unique_ptr<QChart> new_chart(const QString& title) {
  auto chart = std::make_unique<QChart>();
  chart->setTitle(title);
  chart->setTitleFont(chart_title_font());
  chart->setLocale(chart_locale());
  chart->setLocalizeNumbers(true);
  chart->legend()->setAlignment(Qt::AlignBottom);
  // Lines in the legend as lines, points as points.
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  chart->setAnimationOptions(QChart::NoAnimation);
  return chart;
}

QValueAxis* value_axis(QChart& chart, Qt::Alignment alignment, const QString& title) {
  auto* axis = new QValueAxis(&chart);
  axis->setTitleText(title);
  chart.addAxis(axis, alignment);
  return axis;
}

// The decimals that the labels of ticks `step` apart need.
int step_decimals(double step) {
  int decimals = 0;
  while (decimals < 3 && std::fabs(std::round(step) - step) > 1e-9 * std::fabs(step)) {
    step *= 10.0;
    ++decimals;
  }
  return decimals;
}

// The axis from `low` to `high` with ticks at round values (multiples of a tidy step, 0 among
// them) and labels with the decimals they need.
void set_range(QValueAxis& axis, double low, double high) {
  // No point at all (every day a gap): an empty frame, not an infinite range.
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0.0;
    high = 1.0;
  }
  if (!(low < high)) {
    low -= 1.0;
    high += 1.0;
  }
  const double step = tick_step(high - low);
  axis.setRange(low, high);
  axis.setTickType(QValueAxis::TicksDynamic);
  axis.setTickAnchor(0.0);
  axis.setTickInterval(step);
  axis.setLabelFormat(QStringLiteral("%.%1f").arg(step_decimals(step)));
}

// The same with some air around the values.
void fit_range(QValueAxis& axis, double low, double high) {
  const auto [from, to] = with_margin(low, high);
  set_range(axis, from, to);
}

std::pair<double, double> efficiency_span(double low, double high) {
  const double short_of_span = kLeastEfficiencySpan - (high - low);
  if (short_of_span > 0.0) {
    low -= short_of_span / 2.0;
    high += short_of_span / 2.0;
  }
  return with_margin(low, high);
}

void fit_efficiency_range(QValueAxis& axis, double low, double high) {
  const auto [from, to] = efficiency_span(low, high);
  set_range(axis, from, to);
}

void attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

void hide_from_legend(QChart& chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart.legend()->markers(series)) {
    marker->setVisible(false);
  }
}

// Shows `text(point)` beside the pointer while it is over the series.
void tooltip_on_hover(QXYSeries* series, std::function<QString(const QPointF&)> text) {
  QObject::connect(series, &QXYSeries::hovered, series,
                   [text = std::move(text)](const QPointF& point, bool over) {
                     if (over) {
                       QToolTip::showText(QCursor::pos(), text(point));
                     } else {
                       QToolTip::hideText();
                     }
                   });
}

QScatterSeries* scatter(const QString& name, const QColor& color,
                        const std::vector<Point>& points) {
  auto* series = new QScatterSeries;
  series->setName(name);
  series->setColor(color);
  series->setBorderColor(color.darker(120));
  series->setMarkerSize(kMarkerSize);
  for (const Point& point : points) {
    series->append(point.x, point.y);
  }
  return series;
}

// The points (x, y) of the days whose line has both values.
std::vector<Point> day_points(const ChartYear& year, bool with_pump, core::DailyField x_field,
                              core::DailyField y_field) {
  std::vector<Point> points;
  for (const ChartDay& day : year.days) {
    const core::DailyFileLine& line = with_pump ? day.with_pump : day.without_pump;
    const auto x = field(line, x_field);
    const auto y = field(line, y_field);
    if (x && y) {
      points.push_back({*x, *y});
    }
  }
  return points;
}

// The smallest and the largest x or y of the points.
std::pair<double, double> extent(const std::vector<std::vector<Point>>& sets,
                                 double Point::*coordinate) {
  double low = INFINITY;
  double high = -INFINITY;
  for (const auto& points : sets) {
    for (const Point& point : points) {
      low = std::min(low, point.*coordinate);
      high = std::max(high, point.*coordinate);
    }
  }
  return {low, high};
}

std::unique_ptr<QChart> efficiency_scatter_chart(const QString& title, const QString& y_title,
                                                 const std::vector<ScatterSet>& sets) {
  auto chart = new_chart(title);
  QValueAxis* x = value_axis(*chart, Qt::AlignBottom,
                             QCoreApplication::translate("ChartBlocks", "Utetemperatur (°C)"));
  QValueAxis* y = value_axis(*chart, Qt::AlignLeft, y_title);
  std::vector<std::vector<Point>> points;
  for (const ScatterSet& set : sets) {
    QScatterSeries* series = scatter(set.name, set.color, set.points);
    tooltip_on_hover(series, [name = set.name](const QPointF& point) {
      return QCoreApplication::translate("ChartBlocks", "%1: %2 % vid %3 °C")
          .arg(name, chart_text(point.y(), 2), chart_text(point.x(), 1));
    });
    attach(*chart, series, x, y);
    points.push_back(set.points);
  }
  const auto [x_low, x_high] = extent(points, &Point::x);
  fit_range(*x, x_low, x_high);
  const auto [y_low, y_high] = extent(points, &Point::y);
  fit_efficiency_range(*y, y_low, y_high);
  return chart;
}

}  // namespace varmkalk::chart_blocks
