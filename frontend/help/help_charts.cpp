// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/help/help_charts.h"

#include "frontend/help/chart_math.h"
#include "frontend/help/line_chart.h"
#include "frontend/help/surface_chart.h"

#include <QColor>
#include <QCoreApplication>

#include <array>
#include <cstddef>

namespace varmkalk {

namespace {

// Both charts show ΔT from 0 to 60 °C; the convection chart power up to 300 W, the standby
// chart up to 800 W over C_1 from 0 to 2.
constexpr double kTempDiffMax = 60.0;
constexpr double kConvectionPowerMax = 300.0;
constexpr double kStandbyPowerMax = 800.0;
constexpr double kStandbyConstantMax = 2.0;
constexpr int kCurveSegments = 120;

const char* const temp_diff_title = "Temperaturskillnad panna - rumsluft (°C)";

// One colour per parameter value, in the order of kChartParameters.
const std::array<QColor, kChartParameters.size()> curve_colors{
    QColor(0, 0, 200),   QColor(200, 0, 0),   QColor(0, 140, 0),   QColor(190, 0, 190),
    QColor(230, 120, 0), QColor(0, 150, 160), QColor(120, 70, 20), QColor(0, 0, 0)};

}  // namespace

QWidget* create_convection_chart(QWidget* parent) {
  auto* chart = new LineChart(parent);
  chart->set_title(QCoreApplication::translate("HelpCharts", "Konvektionsförlust"));
  chart->set_axes(
      {QString::fromUtf8(temp_diff_title), 0.0, kTempDiffMax, 10.0, 0},
      {QCoreApplication::translate("HelpCharts", "Effekt (W)"), 0.0, kConvectionPowerMax, 50.0, 0});
  for (std::size_t i = 0; i < kChartParameters.size(); ++i) {
    const double constant = kChartParameters[i];
    chart->add_series(
        {QStringLiteral("C = ") + chart_number(constant, 1), curve_colors[i],
         convection_curve(constant, kTempDiffMax, kConvectionPowerMax, kCurveSegments)});
  }
  return chart;
}

QWidget* create_standby_chart(QWidget* parent) {
  auto* chart = new SurfaceChart(parent);
  chart->set_title(QCoreApplication::translate("HelpCharts", "Stilleståndsförlust"));
  chart->set_axes(
      {QStringLiteral("C_1"), 0.0, kStandbyConstantMax, 0.5, 1},
      {QString::fromUtf8(temp_diff_title), 0.0, kTempDiffMax, 10.0, 0},
      {QCoreApplication::translate("HelpCharts", "Effekt (W)"), 0.0, kStandbyPowerMax, 100.0, 0});
  SurfaceGrid grid;
  grid.temp_diff_max = kTempDiffMax;
  grid.constant_max = kStandbyConstantMax;
  grid.power_max = kStandbyPowerMax;
  for (std::size_t i = 0; i < kChartParameters.size(); ++i) {
    const double exponent = kChartParameters[i];
    chart->add_series({QStringLiteral("C_2 = ") + chart_number(exponent, 1), curve_colors[i],
                       standby_surface(exponent, grid)});
  }
  return chart;
}

}  // namespace varmkalk
