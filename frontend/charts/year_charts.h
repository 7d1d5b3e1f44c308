// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/chart_year.h"

#include <QString>

#include <array>
#include <memory>

class QChart;

namespace varmkalk {

// The charts of a calculation's year, in the order of the window's tabs.
enum class ChartKind {
  efficiency_over_year,
  efficiency_by_outdoor_temp,
  run_time,
  monthly_energy,
  energy_flow,
  duration,
  // Shown only with a heat pump beside the boiler.
  heat_pump_year,
  heat_pump_outdoor_temp,
  heat_pump_flow,
};

struct ChartInfo {
  ChartKind kind;
  QString title;
  QString file_stem;  // the name of its exported files: diagram-<file_stem>.png
};

// The charts with their titles and file names, in tab order.
const std::array<ChartInfo, 9>& chart_infos();

// Whether the window and the report show the chart for the year: the heat pump's only where the
// year has one.
bool chart_shown(ChartKind kind, const ChartYear& year);

// Why the chart has nothing to show for the year, or an empty text when it has something.
QString chart_unavailable(ChartKind kind, const ChartYear& year);

// A new chart of the year, with Swedish axis titles and units, a legend and a tool tip over
// every value; nullptr for the energy flow, which is drawn without Qt Charts. Only for a chart
// that is available: chart_unavailable has no reason against it.
std::unique_ptr<QChart> build_chart(ChartKind kind, const ChartYear& year);

}  // namespace varmkalk
