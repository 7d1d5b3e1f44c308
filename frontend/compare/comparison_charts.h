// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/chart_year.h"

#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QChart;

namespace varmkalk {

// A calculation of a comparison as its charts see it.
struct ComparedCalculation {
  QString identity;
  std::optional<double> efficiency_percent;  // with the pump's heat, from the summary
  std::optional<double> efficiency_without_pump_percent;
  // Its days from the kept daily files; empty when they could not be read.
  std::shared_ptr<const ChartYear> year;
};

// The two annual efficiencies of every calculation as bars side by side, each labelled with its
// value.
std::unique_ptr<QChart> efficiency_bar_chart(const std::vector<ComparedCalculation>& compared);

// The least size at which the bar chart shows every label whole: each calculation's identity and
// values under its bars (a narrower category shows "…"), the value axis with its title, the
// legend, and room for the bars.
QSize efficiency_bar_chart_least_size(const QChart& chart);

// "Verkningsgrad och utetemperatur" of every calculation overlaid: the day efficiency with the
// pump's heat against the outdoor temperature, one colour per calculation.
std::unique_ptr<QChart> efficiency_overlay_chart(const std::vector<ComparedCalculation>& compared);

}  // namespace varmkalk
