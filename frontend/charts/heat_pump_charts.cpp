// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/heat_pump_charts.h"

#include "frontend/charts/chart_blocks.h"
#include "frontend/charts/chart_style.h"
#include "frontend/logic/year/year_energy.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QHorizontalStackedBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace varmkalk {

namespace {

using namespace chart_blocks;

constexpr qreal kMarkerSize = 7.0;
// Parts of the flow smaller than this would only crowd the legend.
constexpr double kLeastFlowKwh = 0.5;
const QColor kCopColor{31, 119, 180};
const QColor kElectricityColor{214, 39, 40};
const QColor kBackupColor{255, 127, 14};
// The sources: the compressor's electricity, the heat of the air or the ground, the backup
// heater, the off modes; the uses: space heat and hot water as the boiler's charts colour them,
// the unmet heat, the off modes.
const std::array<QColor, 4> kSourceColors{QColor(214, 39, 40), QColor(44, 160, 44),
                                          QColor(255, 127, 14), QColor(148, 103, 189)};
const std::array<QColor, 4> kUseColors{QColor(31, 119, 180), QColor(158, 202, 225),
                                       QColor(127, 127, 127), QColor(197, 176, 213)};

struct HeatPumpCharts {
  Q_DECLARE_TR_FUNCTIONS(HeatPumpCharts)
};

struct HeatPumpPoints {
  std::vector<Point> cop_by_day;
  std::vector<Point> electricity_by_day;
  std::vector<Point> backup_days;  // their electricity
  std::vector<Point> cop_by_outdoor;
  std::vector<Point> backup_cop_by_outdoor;
};

HeatPumpPoints heat_pump_points(const ChartYear& year) {
  HeatPumpPoints points;
  for (std::size_t i = 0; i < year.heat_pump->days.size(); ++i) {
    const core::HeatPumpDay& day = year.heat_pump->days[i];
    const double x = static_cast<double>(i + 1);
    const double electricity_kwh = day.electricity_kwh();
    points.electricity_by_day.push_back({x, electricity_kwh});
    if (day.backup_heat_kwh > 0.0) {
      points.backup_days.push_back({x, electricity_kwh});
    }
    if (electricity_kwh <= 0.0) {
      continue;
    }
    const double cop = (day.unit_heat_kwh + day.backup_heat_kwh) / electricity_kwh;
    points.cop_by_day.push_back({x, cop});
    (day.backup_heat_kwh > 0.0 ? points.backup_cop_by_outdoor : points.cop_by_outdoor)
        .push_back({day.outdoor_c, cop});
  }
  return points;
}

QLineSeries* line_of(const QString& name, const QColor& color, const std::vector<Point>& points) {
  auto* series = new QLineSeries;
  series->setName(name);
  series->setPen(QPen(color, kLineWidth));
  for (const Point& point : points) {
    series->append(point.x, point.y);
  }
  return series;
}

}  // namespace

std::unique_ptr<QChart> heat_pump_year_chart(const ChartYear& year, const QString& title) {
  auto chart = new_chart(title);
  const HeatPumpPoints points = heat_pump_points(year);
  QValueAxis* x = value_axis(*chart, Qt::AlignBottom, HeatPumpCharts::tr("Dag"));
  set_range(*x, 1.0, std::max(2.0, static_cast<double>(year.heat_pump->days.size())));
  x->setLabelFormat(QStringLiteral("%.0f"));
  QValueAxis* cop_axis = value_axis(*chart, Qt::AlignLeft, HeatPumpCharts::tr("Dygnets COP"));
  QValueAxis* kwh_axis =
      value_axis(*chart, Qt::AlignRight, HeatPumpCharts::tr("El (kWh per dygn)"));
  QLineSeries* cop = line_of(HeatPumpCharts::tr("Dygnets COP"), kCopColor, points.cop_by_day);
  tooltip_on_hover(cop, [](const QPointF& point) {
    return HeatPumpCharts::tr("Dag %1: COP %2")
        .arg(chart_text(point.x(), 0), chart_text(point.y(), 2));
  });
  attach(*chart, cop, x, cop_axis);
  QLineSeries* electricity = line_of(HeatPumpCharts::tr("El (kWh per dygn)"), kElectricityColor,
                                     points.electricity_by_day);
  tooltip_on_hover(electricity, [](const QPointF& point) {
    return HeatPumpCharts::tr("Dag %1: %2 kWh el")
        .arg(chart_text(point.x(), 0), chart_text(point.y(), 1));
  });
  attach(*chart, electricity, x, kwh_axis);
  if (!points.backup_days.empty()) {
    QScatterSeries* backup =
        scatter(HeatPumpCharts::tr("Dygn med elpatron"), kBackupColor, points.backup_days);
    backup->setMarkerSize(kMarkerSize);
    attach(*chart, backup, x, kwh_axis);
  }
  const auto [cop_low, cop_high] = extent({points.cop_by_day}, &Point::y);
  fit_range(*cop_axis, std::min(0.0, cop_low), cop_high);
  const auto [kwh_low, kwh_high] = extent({points.electricity_by_day}, &Point::y);
  fit_range(*kwh_axis, std::min(0.0, kwh_low), kwh_high);
  return chart;
}

std::unique_ptr<QChart> heat_pump_outdoor_chart(const ChartYear& year, const QString& title) {
  auto chart = new_chart(title);
  const HeatPumpPoints points = heat_pump_points(year);
  QValueAxis* x = value_axis(*chart, Qt::AlignBottom, HeatPumpCharts::tr("Utetemperatur (°C)"));
  QValueAxis* y = value_axis(*chart, Qt::AlignLeft, HeatPumpCharts::tr("Dygnets COP"));
  const auto tip = [](const QPointF& point) {
    return HeatPumpCharts::tr("%1 °C: COP %2")
        .arg(chart_text(point.x(), 1), chart_text(point.y(), 2));
  };
  QScatterSeries* plain =
      scatter(HeatPumpCharts::tr("Dygn utan elpatron"), kCopColor, points.cop_by_outdoor);
  plain->setMarkerSize(kMarkerSize);
  tooltip_on_hover(plain, tip);
  attach(*chart, plain, x, y);
  if (!points.backup_cop_by_outdoor.empty()) {
    QScatterSeries* backup = scatter(HeatPumpCharts::tr("Dygn med elpatron"), kBackupColor,
                                     points.backup_cop_by_outdoor);
    backup->setMarkerSize(kMarkerSize);
    tooltip_on_hover(backup, tip);
    attach(*chart, backup, x, y);
  }
  const auto [x_low, x_high] =
      extent({points.cop_by_outdoor, points.backup_cop_by_outdoor}, &Point::x);
  fit_range(*x, x_low, x_high);
  const auto [y_low, y_high] =
      extent({points.cop_by_outdoor, points.backup_cop_by_outdoor}, &Point::y);
  fit_range(*y, std::min(0.0, y_low), y_high);
  return chart;
}

std::unique_ptr<QChart> heat_pump_flow_chart(const ChartYear& year, const QString& title) {
  auto chart = new_chart(title);
  const HeatPumpFlow flow =
      heat_pump_flow(year.heat_pump->sides.heat_pump, year.heat_pump->ground_source);
  auto* bars = new QHorizontalStackedBarSeries;
  // The sources on the upper bar, the uses on the lower, each part a set of its own.
  const QStringList categories{HeatPumpCharts::tr("Dit går energin"),
                               HeatPumpCharts::tr("Därifrån kommer energin")};
  double total_kwh = 0.0;
  const auto add_parts = [&](const std::vector<HeatPumpFlowPart>& parts, int category) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (std::fabs(parts[i].kwh) < kLeastFlowKwh) {
        continue;
      }
      auto* set = new QBarSet(HeatPumpCharts::tr("%1: %2 kWh")
                                  .arg(parts[i].name, chart_text(std::round(parts[i].kwh), 0)));
      const QColor color = (category == 1 ? kSourceColors : kUseColors)[i % kSourceColors.size()];
      set->setColor(color);
      set->setBorderColor(color.darker(130));
      set->append(category == 0 ? parts[i].kwh : 0.0);
      set->append(category == 1 ? parts[i].kwh : 0.0);
      bars->append(set);
      if (category == 1) {
        total_kwh += parts[i].kwh;
      }
    }
  };
  add_parts(flow.sources, 1);
  add_parts(flow.uses, 0);
  auto* y = new QBarCategoryAxis(chart.get());
  y->append(categories);
  chart->addAxis(y, Qt::AlignLeft);
  QValueAxis* x = value_axis(*chart, Qt::AlignBottom, HeatPumpCharts::tr("Energi (kWh per år)"));
  attach(*chart, bars, x, y);
  for (QLegendMarker* marker : chart->legend()->markers(bars)) {
    marker->setShape(QLegend::MarkerShapeRectangle);
  }
  fit_range(*x, 0.0, std::max(1.0, total_kwh));
  chart->legend()->setAlignment(Qt::AlignRight);
  return chart;
}

QLineSeries* heat_pump_month_series(const ChartYear& year, double& high) {
  const auto months = heat_pump_monthly_kwh(year);
  if (!months) {
    return nullptr;
  }
  QLineSeries* series = line_of(HeatPumpCharts::tr("Värmepumpens el"), kElectricityColor, {});
  series->setPointsVisible(true);
  series->setPen(QPen(kElectricityColor, kLineWidth, Qt::DashLine));
  for (std::size_t month = 0; month < months->size(); ++month) {
    series->append(static_cast<double>(month), (*months)[month]);
    high = std::max(high, (*months)[month]);
  }
  return series;
}

}  // namespace varmkalk
