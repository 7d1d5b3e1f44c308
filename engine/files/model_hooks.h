#pragma once

#include <functional>
#include <optional>

#include "annual_totals.h"
#include "climate_record.h"
#include "day_balance.h"
#include "run_parameters.h"

namespace kalvex {

// The day model once started: a heating day's balances, or nothing for a day that needs no heat.
using DaySimulator = std::function<std::optional<DayBalance>(const ClimateRecord&)>;

// Where the run sequence meets the boiler model. `start` computes the run's start-up values
// and returns the day model bound to them; the parameters outlive it. A hook may throw a
// std::runtime_error whose what() is a Swedish message: it ends the run like a file error.
// Default-constructed, the hooks pass every day over and leave the year without heating days.
struct ModelHooks {
  std::function<DaySimulator(const RunParameters&)> start = [](const RunParameters&) {
    return DaySimulator([](const ClimateRecord&) { return std::optional<DayBalance>(); });
  };
  std::function<void(AnnualTotals&, const DayBalance&)> record_day = [](AnnualTotals&,
                                                                        const DayBalance&) {};
  std::function<void(AnnualTotals&)> finish_year = [](AnnualTotals&) {};
};

}  // namespace kalvex
