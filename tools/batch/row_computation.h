// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/cost/year_cost.h"
#include "core/generators/heat_pump_year.h"
#include "core/run/case_run.h"
#include "tools/batch/batch_row.h"
#include "tools/batch/heat_pump_units.h"

namespace varmkalk::batch {

// What is computed of a row: its year, on the bill's terms where its table bills it, the design
// heat demand fitted to its meter where it has a reading, and its heat pump's year in the same
// house.
struct ComputedRow {
  core::CaseResult result;
  std::optional<core::YearCost> cost;  // empty for a plain table's row and a refused case
  std::optional<float> design_heat_demand_w;
  std::optional<core::HeatPumpYear> heat_pump;   // empty without one, or for a refused case
  std::optional<core::YearCost> heat_pump_cost;  // billed where the boiler's year is
};

// One row of a table of `kind` on its climate. A row with a reading runs at the design demand
// whose year uses that much gas on the bill's basis; one that no demand reaches is refused with
// the reason. A row without a reading runs as it stands and, unless its table is plain, is billed
// from that year. A row's heat pump heats the house its boiler heated, the fitted one where there
// is a reading; a case the engine refuses has none. `units` holds the table's certified units.
ComputedRow compute_row(const BatchRow& row, const core::FoundClimate& climate, TableKind kind,
                        const HeatPumpUnits& units);

// compute_row for every row on `workers` threads (at least one), the results in the rows' order.
// Throws std::out_of_range, before any row runs, for a row whose climate `climates` did not read.
std::vector<ComputedRow> compute_rows(std::span<const BatchRow> rows,
                                      const core::FoundClimates& climates, TableKind kind,
                                      const HeatPumpUnits& units, unsigned workers);

// A table that bills its rows or puts a heat pump in them needs a whole year of each climate it
// names: throws BatchInputError
// naming the first climate that was read but is no year. A climate that could not be read is
// left to its rows, which the engine refuses.
void require_climate_years(std::span<const core::BoilerCase> one_per_climate,
                           const core::FoundClimates& climates);

}  // namespace varmkalk::batch
