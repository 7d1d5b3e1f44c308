// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/year_charts.h"

#include "core/case/burner.h"
#include "core/case/units.h"
#include "frontend/charts/chart_blocks.h"
#include "frontend/charts/chart_style.h"
#include "frontend/charts/heat_pump_charts.h"
#include "frontend/logic/run/run_notices.h"
#include "frontend/logic/year/year_energy.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>

namespace varmkalk {

namespace {

using namespace chart_blocks;
using core::DailyField;

constexpr double kPerCent = 100.0;
constexpr double kWhPerKwh = 1000.0;
const QStringList kMonthNames{"jan", "feb", "mar", "apr", "maj", "jun",
                              "jul", "aug", "sep", "okt", "nov", "dec"};
// Month boundaries lie between the last day of a month and the first of the next.
constexpr double kHalfDay = 0.5;

// A curve over the days, broken where a day is missing (a day without heating, or a gap of the
// files): one series per unbroken stretch, only the first of them in the legend.
void add_day_curve(QChart& chart, QAbstractAxis* x, QAbstractAxis* y, const QString& name,
                   const QColor& color, const std::vector<Point>& points,
                   const std::function<QString(const QPointF&)>& tooltip) {
  bool first = true;
  for (std::size_t start = 0; start < points.size();) {
    std::size_t end = start + 1;
    while (end < points.size() && points[end].x == points[end - 1].x + 1.0) {
      ++end;
    }
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(color, kLineWidth));
    series->setPointsVisible(end - start == 1);
    for (std::size_t i = start; i < end; ++i) {
      series->append(points[i].x, points[i].y);
    }
    tooltip_on_hover(series, tooltip);
    attach(chart, series, x, y);
    if (!first) {
      hide_from_legend(chart, series);
    }
    first = false;
    start = end;
  }
}

void add_level_line(QChart& chart, QAbstractAxis* x, QAbstractAxis* y, const QString& name,
                    const QColor& color, double from_x, double to_x, double level,
                    const QString& tooltip) {
  auto* series = new QLineSeries;
  series->setName(name);
  series->setPen(QPen(color, kLineWidth, Qt::DashLine));
  series->append(from_x, level);
  series->append(to_x, level);
  tooltip_on_hover(series, [tooltip](const QPointF&) { return tooltip; });
  attach(chart, series, x, y);
}

QString with_pump_name() {
  return QCoreApplication::translate("YearCharts", "Med pumpens värme");
}

QString without_pump_name() {
  return QCoreApplication::translate("YearCharts", "Utan pumpens värme");
}

// The axis of the days of the year: the months of a calendar year, else the days' numbers.
QAbstractAxis* day_axis(QChart& chart, const ChartYear& year, double first_day, double last_day) {
  if (const std::optional<int> year_days = calendar_year_days(year)) {
    auto* months = new QCategoryAxis(&chart);
    months->setTitleText(QCoreApplication::translate("YearCharts", "Månad"));
    months->setStartValue(kHalfDay);
    const std::array<int, kMonths> last_days = month_last_days(*year_days);
    for (int month = 0; month < kMonths; ++month) {
      months->append(kMonthNames[month], last_days[static_cast<std::size_t>(month)] + kHalfDay);
    }
    months->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    months->setRange(kHalfDay, *year_days + kHalfDay);
    chart.addAxis(months, Qt::AlignBottom);
    return months;
  }
  QValueAxis* days =
      value_axis(chart, Qt::AlignBottom, QCoreApplication::translate("YearCharts", "Dag"));
  set_range(*days, first_day, last_day);
  return days;
}

std::unique_ptr<QChart> efficiency_over_year(const ChartYear& year, const QString& title) {
  auto chart = new_chart(title);
  const auto with_pump = day_points(year, true, DailyField::day, DailyField::day_efficiency);
  const auto without_pump = day_points(year, false, DailyField::day, DailyField::day_efficiency);
  const int last_day = year.climate ? year.climate->day_count : 0;
  const auto [first_x, last_x] = extent({with_pump, without_pump}, &Point::x);
  const double x_low = std::min(1.0, first_x);
  const double x_high = std::max({static_cast<double>(last_day), last_x, x_low + 1.0});
  QAbstractAxis* x = day_axis(*chart, year, x_low, x_high);
  QValueAxis* y = value_axis(*chart, Qt::AlignLeft,
                             QCoreApplication::translate("YearCharts", "Dygnsverkningsgrad (%)"));
  const auto tooltip = [](const QString& variant) {
    return [variant](const QPointF& point) {
      return QCoreApplication::translate("YearCharts", "%1, dag %2: %3 %")
          .arg(variant, chart_text(std::round(point.x()), 0), chart_text(point.y(), 2));
    };
  };
  add_day_curve(*chart, x, y, with_pump_name(), kWithPumpColor, with_pump,
                tooltip(with_pump_name()));
  add_day_curve(*chart, x, y, without_pump_name(), kWithoutPumpColor, without_pump,
                tooltip(without_pump_name()));

  auto [low, high] = extent({with_pump, without_pump}, &Point::y);
  if (year.annual) {
    for (const auto& [efficiency, variant, color] :
         {std::tuple{year.annual->efficiency_with_pump,
                     QCoreApplication::translate("YearCharts", "med pump"), kWithPumpColor},
          std::tuple{year.annual->efficiency_without_pump,
                     QCoreApplication::translate("YearCharts", "utan pump"), kWithoutPumpColor}}) {
      if (!efficiency) {
        continue;
      }
      const double percent = *efficiency * kPerCent;
      const QString name = QCoreApplication::translate("YearCharts", "Årsverkningsgrad %1: %2 %")
                               .arg(variant, chart_text(percent, 1));
      add_level_line(*chart, x, y, name, color, x_low, x_high, percent, name);
      low = std::min(low, percent);
      high = std::max(high, percent);
    }
  }
  fit_efficiency_range(*y, low, high);
  return chart;
}

std::unique_ptr<QChart> efficiency_by_outdoor_temp(const ChartYear& year, const QString& title) {
  return efficiency_scatter_chart(
      title, QCoreApplication::translate("YearCharts", "Dygnsverkningsgrad (%)"),
      {{with_pump_name(), kWithPumpColor,
        day_points(year, true, DailyField::outdoor_temp, DailyField::day_efficiency)},
       {without_pump_name(), kWithoutPumpColor,
        day_points(year, false, DailyField::outdoor_temp, DailyField::day_efficiency)}});
}

std::unique_ptr<QChart> run_time_chart(const ChartYear& year, const QString& title) {
  auto chart = new_chart(title);
  std::vector<Point> met;
  std::vector<Point> unmet;
  std::vector<Point> part_load;
  for (const ChartDay& day : year.days) {
    const auto x = field(day.with_pump, DailyField::outdoor_temp);
    const auto y = field(day.with_pump, DailyField::run_time);
    if (x && y) {
      std::vector<Point>& points = day.shortfall == core::DayShortfall::none             ? met
                                   : day.shortfall == core::DayShortfall::part_load_rule ? part_load
                                                                                         : unmet;
      points.push_back({*x, *y * kPerCent});
    }
  }
  QValueAxis* x = value_axis(*chart, Qt::AlignBottom,
                             QCoreApplication::translate("YearCharts", "Utetemperatur (°C)"));
  QValueAxis* y = value_axis(
      *chart, Qt::AlignLeft,
      QCoreApplication::translate("YearCharts", "Gångtid med pumpens värme (% av dygnet)"));
  const QString unmet_name =
      year.source == YearSource::calculation
          ? QCoreApplication::translate("YearCharts", "Pannan täcker inte behovet")
          : QCoreApplication::translate("YearCharts", "Brännaren går hela dygnet");
  for (const auto& [name, color, points] :
       {std::tuple{QCoreApplication::translate("YearCharts", "Pannan täcker behovet"),
                   kWithPumpColor, met},
        std::tuple{unmet_name, kUnmetColor, unmet},
        std::tuple{part_load_name(), kPartLoadColor, part_load}}) {
    if (points.empty() && color != kWithPumpColor) {
      continue;
    }
    QScatterSeries* series = scatter(name, color, points);
    tooltip_on_hover(series, [](const QPointF& point) {
      return QCoreApplication::translate("YearCharts", "Gångtid %1 % vid %2 °C")
          .arg(chart_text(point.y(), 1), chart_text(point.x(), 1));
    });
    attach(*chart, series, x, y);
  }
  const auto [x_low, x_high] = extent({met, unmet, part_load}, &Point::x);
  fit_range(*x, x_low, x_high);
  set_range(*y, 0.0, kPerCent);
  return chart;
}

std::unique_ptr<QChart> monthly_energy_chart(const ChartYear& year, const QString& title) {
  const auto months = monthly_energy(year);
  const auto& monthly = std::get<MonthlyEnergy>(months);
  auto chart = new_chart(title);
  auto* bars = new QStackedBarSeries;
  double low = 0.0;
  double high = 0.0;
  for (std::size_t part = 0; part < kEnergyPartCount; ++part) {
    double year_kwh = 0.0;
    for (const EnergyParts& month : monthly.months) {
      year_kwh += std::fabs(month.wh[part]) / kWhPerKwh;
    }
    // A part the case does not have (no pilot flame, no heater) would only crowd the legend.
    if (year_kwh < 0.5) {
      continue;
    }
    auto* set = new QBarSet(energy_part_name(static_cast<EnergyPart>(part)));
    set->setColor(part_color(static_cast<EnergyPart>(part)));
    set->setBorderColor(part_color(static_cast<EnergyPart>(part)).darker(130));
    for (const EnergyParts& month : monthly.months) {
      set->append(month.wh[part] / kWhPerKwh);
    }
    bars->append(set);
  }
  for (const EnergyParts& month : monthly.months) {
    double below = 0.0;
    double above = 0.0;
    for (const double wh : month.wh) {
      (wh < 0.0 ? below : above) += wh / kWhPerKwh;
    }
    low = std::min(low, below);
    high = std::max({high, above, month.fuel_wh / kWhPerKwh});
  }
  const QStringList& names = kMonthNames;
  auto* x = new QBarCategoryAxis(chart.get());
  x->append(names);
  x->setTitleText(QCoreApplication::translate("YearCharts", "Månad"));
  chart->addAxis(x, Qt::AlignBottom);
  QValueAxis* y =
      value_axis(*chart, Qt::AlignLeft, QCoreApplication::translate("YearCharts", "Energi (kWh)"));
  attach(*chart, bars, x, y);
  // A bar's legend entry from its series would be an empty box.
  for (QLegendMarker* marker : chart->legend()->markers(bars)) {
    marker->setShape(QLegend::MarkerShapeRectangle);
  }
  QObject::connect(
      bars, &QStackedBarSeries::hovered, bars, [names](bool over, int index, QBarSet* set) {
        if (!over) {
          QToolTip::hideText();
          return;
        }
        QToolTip::showText(QCursor::pos(),
                           QStringLiteral("%1, %2: %3")
                               .arg(set->label(), names.value(index), kwh_text(set->at(index))));
      });

  auto* fuel = new QLineSeries;
  fuel->setName(QCoreApplication::translate("YearCharts", "Bränsle"));
  fuel->setPen(QPen(kFuelColor, kLineWidth));
  fuel->setPointsVisible(true);
  for (int month = 0; month < kMonths; ++month) {
    fuel->append(month, monthly.months[static_cast<std::size_t>(month)].fuel_wh / kWhPerKwh);
  }
  tooltip_on_hover(fuel, [names](const QPointF& point) {
    return QCoreApplication::translate("YearCharts", "Bränsle, %1: %2")
        .arg(names.value(static_cast<int>(std::lround(point.x()))), kwh_text(point.y()));
  });
  attach(*chart, fuel, x, y);
  if (QLineSeries* heat_pump = heat_pump_month_series(year, high)) {
    tooltip_on_hover(heat_pump, [names](const QPointF& point) {
      return QCoreApplication::translate("YearCharts", "Värmepumpens el, %1: %2")
          .arg(names.value(static_cast<int>(std::lround(point.x()))), kwh_text(point.y()));
    });
    attach(*chart, heat_pump, x, y);
  }
  // Air above the bars, below zero only where a gain is.
  const double margin = (high - low) * kRangeMargin;
  set_range(*y, low < 0.0 ? low - margin : 0.0, high + margin);
  chart->legend()->setAlignment(Qt::AlignRight);
  return chart;
}

std::unique_ptr<QChart> duration_chart(const ChartYear& year, const QString& title) {
  auto chart = new_chart(title);
  const std::vector<double> demand = demand_duration(year);
  QValueAxis* x =
      value_axis(*chart, Qt::AlignBottom,
                 QCoreApplication::translate("YearCharts", "Antal dagar med minst denna last"));
  QValueAxis* y =
      value_axis(*chart, Qt::AlignLeft, QCoreApplication::translate("YearCharts", "Effekt (kW)"));
  auto* curve = new QLineSeries;
  curve->setName(year.terms ? QCoreApplication::translate(
                                  "YearCharts", "Pannans last (värmebehov och varmvatten)")
                            : QCoreApplication::translate("YearCharts", "Värmebehov"));
  curve->setPen(QPen(kWithPumpColor, kLineWidth));
  curve->setPointsVisible(demand.size() == 1);
  for (std::size_t i = 0; i < demand.size(); ++i) {
    curve->append(static_cast<double>(i + 1), demand[i] / kWhPerKwh);
  }
  tooltip_on_hover(curve, [](const QPointF& point) {
    return QCoreApplication::translate("YearCharts", "%1 dagar med minst %2 kW")
        .arg(chart_text(std::round(point.x()), 0), chart_text(point.y(), 2));
  });
  attach(*chart, curve, x, y);
  const double last_x = static_cast<double>(std::max<std::size_t>(demand.size(), 1));
  double high = demand.empty() ? 0.0 : demand.front() / kWhPerKwh;
  if (year.terms) {
    const double max_kw = core::kw_from_watts(double(year.terms->burner_max_power_w));
    const double min_kw = core::kw_from_watts(double(year.terms->burner_min_power_w));
    if (core::burner_kind(year.terms->burner_max_power_w, year.terms->burner_min_power_w) ==
        core::BurnerKind::single_stage) {
      const QString name = QCoreApplication::translate("YearCharts", "Brännarens effekt %1 kW")
                               .arg(chart_text(max_kw, 1));
      add_level_line(*chart, x, y, name, kUnmetColor, 1.0, last_x, max_kw, name);
    } else {
      const QString max_name =
          QCoreApplication::translate("YearCharts", "Brännarens maxeffekt %1 kW")
              .arg(chart_text(max_kw, 1));
      const QString min_name =
          QCoreApplication::translate("YearCharts", "Brännarens mineffekt %1 kW")
              .arg(chart_text(min_kw, 1));
      add_level_line(*chart, x, y, max_name, kUnmetColor, 1.0, last_x, max_kw, max_name);
      add_level_line(*chart, x, y, min_name, kWithoutPumpColor, 1.0, last_x, min_kw, min_name);
    }
    high = std::max(high, max_kw);
  }
  set_range(*x, 1.0, last_x);
  set_range(*y, 0.0, high > 0.0 ? high * (1.0 + 2.0 * kRangeMargin) : 1.0);
  return chart;
}

}  // namespace

const std::array<ChartInfo, 9>& chart_infos() {
  static const std::array<ChartInfo, 9> infos{{
      {ChartKind::efficiency_over_year,
       QCoreApplication::translate("YearCharts", "Verkningsgrad över året"),
       QStringLiteral("verkningsgrad-over-aret")},
      {ChartKind::efficiency_by_outdoor_temp,
       QCoreApplication::translate("YearCharts", "Verkningsgrad och utetemperatur"),
       QStringLiteral("verkningsgrad-utetemperatur")},
      {ChartKind::run_time, QCoreApplication::translate("YearCharts", "Brännarens gångtid"),
       QStringLiteral("gangtid")},
      {ChartKind::monthly_energy, QCoreApplication::translate("YearCharts", "Energi per månad"),
       QStringLiteral("energi-per-manad")},
      {ChartKind::energy_flow, QCoreApplication::translate("YearCharts", "Vart tar energin vägen"),
       QStringLiteral("energiflode")},
      {ChartKind::duration, QCoreApplication::translate("YearCharts", "Varaktighet"),
       QStringLiteral("varaktighet")},
      {ChartKind::heat_pump_year, QCoreApplication::translate("YearCharts", "Värmepumpens år"),
       QStringLiteral("varmepump-aret")},
      {ChartKind::heat_pump_outdoor_temp,
       QCoreApplication::translate("YearCharts", "Värmepumpen och utetemperaturen"),
       QStringLiteral("varmepump-utetemperatur")},
      {ChartKind::heat_pump_flow,
       QCoreApplication::translate("YearCharts", "Värmepumpens energiflöde"),
       QStringLiteral("varmepump-energiflode")},
  }};
  return infos;
}

namespace {

bool is_heat_pump_chart(ChartKind kind) {
  return kind == ChartKind::heat_pump_year || kind == ChartKind::heat_pump_outdoor_temp ||
         kind == ChartKind::heat_pump_flow;
}

}  // namespace

bool chart_shown(ChartKind kind, const ChartYear& year) {
  return !is_heat_pump_chart(kind) || year.heat_pump.has_value();
}

QString chart_unavailable(ChartKind kind, const ChartYear& year) {
  // The heat pump heats every day, the boiler's heating days or not.
  if (is_heat_pump_chart(kind)) {
    return year.heat_pump ? QString()
                          : QCoreApplication::translate("YearCharts", "Ingen värmepump vald.");
  }
  if (const QString nothing = nothing_to_show(year); !nothing.isEmpty()) {
    return nothing;
  }
  if (kind == ChartKind::monthly_energy) {
    const auto months = monthly_energy(year);
    if (const auto* why = std::get_if<QString>(&months)) {
      return *why;
    }
  }
  if (kind == ChartKind::energy_flow) {
    const auto flow = energy_flow(year);
    if (const auto* why = std::get_if<QString>(&flow)) {
      return *why;
    }
  }
  return {};
}

std::unique_ptr<QChart> build_chart(ChartKind kind, const ChartYear& year) {
  const QString& title = chart_infos()[static_cast<std::size_t>(kind)].title;
  switch (kind) {
    case ChartKind::efficiency_over_year:
      return efficiency_over_year(year, title);
    case ChartKind::efficiency_by_outdoor_temp:
      return efficiency_by_outdoor_temp(year, title);
    case ChartKind::run_time:
      return run_time_chart(year, title);
    case ChartKind::monthly_energy:
      return monthly_energy_chart(year, title);
    case ChartKind::duration:
      return duration_chart(year, title);
    case ChartKind::heat_pump_year:
      return heat_pump_year_chart(year, title);
    case ChartKind::heat_pump_outdoor_temp:
      return heat_pump_outdoor_chart(year, title);
    case ChartKind::heat_pump_flow:
      return heat_pump_flow_chart(year, title);
    case ChartKind::energy_flow:
      break;
  }
  return nullptr;
}

}  // namespace varmkalk
