// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/compare/comparison_charts.h"

#include "frontend/charts/chart_blocks.h"
#include "frontend/charts/chart_style.h"
#include "frontend/charts/year_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QFontMetrics>
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
constexpr char kLineBreak[] = "<br>";

QString efficiency_text(const std::optional<double>& percent) {
  return percent ? chart_text(*percent, 1) : QStringLiteral("–");
}

QColor calculation_color(std::size_t index) {
  return kCalculationColors[index % kCalculationColors.size()];
}

}  // namespace

std::unique_ptr<QChart> efficiency_bar_chart(const std::vector<ComparedCalculation>& compared) {
  auto chart = new_chart(QCoreApplication::translate("ComparisonCharts", "Årsverkningsgrad"));
  auto* with_pump =
      new QBarSet(QCoreApplication::translate("ComparisonCharts", "Med pumpens värme"));
  with_pump->setColor(kWithPumpColor);
  auto* without_pump =
      new QBarSet(QCoreApplication::translate("ComparisonCharts", "Utan pumpens värme"));
  without_pump->setColor(kWithoutPumpColor);
  QStringList categories;
  double low = INFINITY;
  double high = -INFINITY;
  for (const ComparedCalculation& calculation : compared) {
    // Each calculation's two values under its name, with the decimal the summary prints, one a
    // line in the legend's order: narrow enough for six calculations on a small screen.
    categories +=
        QStringList{
            calculation.identity,
            efficiency_text(calculation.efficiency_percent) + QStringLiteral(" %"),
            efficiency_text(calculation.efficiency_without_pump_percent) + QStringLiteral(" %")}
            .join(QLatin1String(kLineBreak));
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
  x->setTitleText(QCoreApplication::translate("ComparisonCharts", "Beräkning"));
  chart->addAxis(x, Qt::AlignBottom);
  QValueAxis* y =
      value_axis(*chart, Qt::AlignLeft, QCoreApplication::translate("ComparisonCharts", "Procent"));
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

QSize efficiency_bar_chart_least_size(const QChart& chart) {
  // Measured in the fonts the chart draws with, so that it holds for any font and scale.
  constexpr int kBarRowsOfText = 8;  // the bars' least height, in lines of label text
  auto* axis = qobject_cast<QBarCategoryAxis*>(chart.axes(Qt::Horizontal).value(0));
  if (axis == nullptr) {
    return {};
  }
  const QFontMetrics labels(axis->labelsFont());
  const QFontMetrics titles(axis->titleFont());
  int widest = 0;
  int lines = 1;
  for (const QString& category : axis->categories()) {
    const QStringList parts = category.split(QLatin1String(kLineBreak));
    lines = std::max(lines, static_cast<int>(parts.size()));
    for (const QString& part : parts) {
      widest = std::max(widest, labels.horizontalAdvance(part));
    }
  }
  const int space = labels.horizontalAdvance(QStringLiteral("    "));
  int legend = 0;
  if (const auto* bars = qobject_cast<const QAbstractBarSeries*>(chart.series().value(0))) {
    for (const QBarSet* set : bars->barSets()) {
      legend += labels.horizontalAdvance(set->label()) + 2 * labels.height() + space;
    }
  }
  const QMargins margins = chart.margins();
  const int frame = margins.left() + margins.right() + 2 * space;
  // The value axis: its labels ("100") and its title turned on its side.
  const int value_axis = labels.horizontalAdvance(QStringLiteral("100,0")) + 2 * titles.height();
  // QtCharts gives each label of a category axis the plot's width over one more than the
  // categories, less a padding on either side.
  const int width =
      std::max((static_cast<int>(axis->count()) + 1) * (widest + space) + value_axis, legend) +
      frame;
  // The title, the legend, the labels and the axis's title, each with the space QtCharts keeps
  // around it.
  const int height = QFontMetrics(chart.titleFont()).height() * 2 + 3 * labels.height() +
                     (2 * lines + kBarRowsOfText) * labels.height() + 3 * titles.height() +
                     margins.top() + margins.bottom();
  return {width, height};
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
  return efficiency_scatter_chart(
      info.title,
      QCoreApplication::translate("ComparisonCharts", "Dygnsverkningsgrad med pumpens värme (%)"),
      sets);
}

}  // namespace varmkalk
