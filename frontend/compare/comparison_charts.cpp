// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/compare/comparison_charts.h"

#include "frontend/charts/chart_blocks.h"
#include "frontend/charts/chart_style.h"
#include "frontend/charts/year_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegendMarker>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace varmkalk {

namespace {

using namespace chart_blocks;
using core::DailyField;

// A colour for each of up to six calculations, told apart also by readers with the commonest
// colour blindness.
const std::array<QColor, 6> kCalculationColors{QColor(31, 119, 180),  QColor(255, 127, 14),
                                               QColor(44, 160, 44),   QColor(214, 39, 40),
                                               QColor(148, 103, 189), QColor(140, 86, 75)};

constexpr double kLeastBarDepth = 1.0;  // percentage points below the lowest bar
constexpr double kBarDepthShare = 0.5;

QString efficiency_text(const std::optional<double>& percent) {
  return percent ? chart_text(*percent, 1) : QStringLiteral("–");
}

QColor calculation_color(std::size_t index) {
  return kCalculationColors[index % kCalculationColors.size()];
}

}  // namespace

std::unique_ptr<QChart> efficiency_bar_chart(const std::vector<ComparedCalculation>& compared) {
  auto chart = new_chart(QStringLiteral("Årsverkningsgrad"));
  auto* with_pump = new QBarSet(QStringLiteral("Med pumpens värme"));
  with_pump->setColor(kWithPumpColor);
  auto* without_pump = new QBarSet(QStringLiteral("Utan pumpens värme"));
  without_pump->setColor(kWithoutPumpColor);
  QStringList categories;
  double low = INFINITY;
  double high = -INFINITY;
  for (const ComparedCalculation& calculation : compared) {
    // Each calculation's two values under its name, with the decimal the summary prints.
    categories += QStringLiteral("%1<br>%2 / %3 %")
                      .arg(calculation.identity, efficiency_text(calculation.efficiency_percent),
                           efficiency_text(calculation.efficiency_without_pump_percent));
    // A year without heating days has no efficiency: no bar.
    with_pump->append(calculation.efficiency_percent.value_or(0.0));
    without_pump->append(calculation.efficiency_without_pump_percent.value_or(0.0));
    for (const auto& value :
         {calculation.efficiency_percent, calculation.efficiency_without_pump_percent}) {
      if (value) {
        low = std::min(low, *value);
        high = std::max(high, *value);
      }
    }
  }
  auto* bars = new QBarSeries;
  bars->append(with_pump);
  bars->append(without_pump);
  auto* x = new QBarCategoryAxis(chart.get());
  x->append(categories);
  x->setTitleText(QStringLiteral("Beräkning"));
  chart->addAxis(x, Qt::AlignBottom);
  QValueAxis* y = value_axis(*chart, Qt::AlignLeft, QStringLiteral("Procent"));
  attach(*chart, bars, x, y);
  // A bar's legend entry from its series would be an empty box.
  for (QLegendMarker* marker : chart->legend()->markers(bars)) {
    marker->setShape(QLegend::MarkerShapeRectangle);
  }
  // The efficiencies lie close together: the axis starts below the lowest by half their span
  // (at least a percentage point), so that every bar shows, not at zero where all would look
  // alike.
  const double below = std::max(kLeastBarDepth, (high - low) * kBarDepthShare);
  set_range(*y, std::max(0.0, low - below), high + (high - low + below) * kRangeMargin);
  return chart;
}

std::unique_ptr<QChart> efficiency_overlay_chart(const std::vector<ComparedCalculation>& compared) {
  std::vector<ScatterSet> sets;
  for (std::size_t i = 0; i < compared.size(); ++i) {
    const ComparedCalculation& calculation = compared[i];
    if (calculation.year) {
      sets.push_back({calculation.identity, calculation_color(i),
                      day_points(*calculation.year, true, DailyField::outdoor_temp,
                                 DailyField::day_efficiency)});
    }
  }
  const ChartInfo& info =
      chart_infos()[static_cast<std::size_t>(ChartKind::efficiency_by_outdoor_temp)];
  return efficiency_scatter_chart(info.title,
                                  QStringLiteral("Dygnsverkningsgrad med pumpens värme (%)"), sets);
}

}  // namespace varmkalk
