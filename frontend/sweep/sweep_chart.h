// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/sweep/sweep_results.h"

#include <QString>

#include <memory>

class QChart;

namespace varmkalk {

// The names of the chart's series in the user's language, by which the window's tests find
// them.
QString with_pump_series();
QString without_pump_series();
QString current_series();
QString unmet_series();
QString gap_series();
QString cost_series();
QString heat_pump_cost_series();
QString crossing_series();

// Both annual efficiencies against the varied input: a curve over a number, broken where a point
// has no efficiency (the model refused it, or no day needed heat), those points marked along the
// bottom; points over a category. The year's total cost on the gas bill's terms, where the points
// have one, on an axis of its own at the right, with the heat pump's beside it and the point where
// the two cross. The points where the boiler falls short of the
// demand and the case itself are marked; every point tells its values and remarks on hover.
std::unique_ptr<QChart> build_sweep_chart(std::shared_ptr<const Sweep> sweep);

}  // namespace varmkalk
