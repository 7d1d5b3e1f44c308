// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/model/annual_totals.h"
#include "core/model/day_balance.h"
#include "core/model/run_time.h"

namespace varmkalk::core {

// Adds one heating day to the year's sums (the daily lines are written elsewhere). Throws
// ModelInputError when a sum would no longer be a finite 32-bit number.
void record_day(AnnualTotals& totals, const DayBalance& day);

// The year's efficiency, net over gross energy, as a fraction; empty when the year had no
// heating day (0 / 0).
std::optional<float> annual_efficiency(const AnnualTotals& totals, PumpCredit credit);

// The same in per cent, computed as the summary report prints it: 100 · net, then over gross.
std::optional<float> annual_efficiency_percent(const AnnualTotals& totals, PumpCredit credit);

}  // namespace varmkalk::core
