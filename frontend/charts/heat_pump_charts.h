// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/chart_year.h"

#include <QString>

#include <array>
#include <memory>

class QChart;
class QLineSeries;

namespace varmkalk {

// The heat pump's days over the year: its daily COP (the heat it and the backup heater gave over
// their electricity) and its electricity, the backup heater's days marked on the electricity.
std::unique_ptr<QChart> heat_pump_year_chart(const ChartYear& year, const QString& title);

// Its daily COP against the day's outdoor temperature, the backup heater's days apart.
std::unique_ptr<QChart> heat_pump_outdoor_chart(const ChartYear& year, const QString& title);

// Its year's energy flow as two bars of the same length: where the energy comes from and where
// it goes.
std::unique_ptr<QChart> heat_pump_flow_chart(const ChartYear& year, const QString& title);

// The series of the heat pump's electricity month by month, for the monthly chart, its points at
// 0 … 11; nullptr without a heat pump or a calendar year. `high` grows to take it.
QLineSeries* heat_pump_month_series(const ChartYear& year, double& high);

}  // namespace varmkalk
