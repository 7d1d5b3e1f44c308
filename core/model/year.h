// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/model/annual_totals.h"
#include "core/model/climate_record.h"
#include "core/model/day_balance.h"

namespace varmkalk::core {

// A year of the model as far as it went: the balances of the heating days in climate order and
// their sums. When the model refused the case or one of its days, `refusal` says why (in
// Swedish) and the days before that one are kept, so that a caller can still write them.
struct YearResult {
  std::vector<DayBalance> days;
  AnnualTotals totals;
  std::optional<std::string> refusal;

  bool complete() const { return !refusal.has_value(); }
};

// Runs the case over the climate days in memory: the model's start values from the case and
// its design conditions, then every day in order. No file is read or written.
YearResult run_year(const BoilerCase& input, std::span<const ClimateRecord> climate_days);

}  // namespace varmkalk::core
