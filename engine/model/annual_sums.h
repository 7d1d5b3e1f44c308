#pragma once

#include "annual_totals.h"
#include "day_balance.h"

namespace kalvex {

// Adds one heating day to the year's sums (the daily lines are written elsewhere). Throws
// ModelInputError when a sum would no longer be a finite 32-bit number.
void record_day(AnnualTotals& totals, const DayBalance& day);

// The two annual efficiencies, in per cent; both empty when the year had no heating day.
void finish_year(AnnualTotals& totals);

}  // namespace kalvex
