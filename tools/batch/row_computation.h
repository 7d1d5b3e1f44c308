// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/cost/year_cost.h"
#include "core/run/case_run.h"
#include "tools/batch/batch_row.h"

namespace varmkalk::batch {

// What is computed of a row: its year, on the bill's terms where its table bills it, and the
// design heat demand fitted to its meter where it has a reading.
struct ComputedRow {
  core::CaseResult result;
  std::optional<core::YearCost> cost;  // empty for a plain table's row and a refused case
  std::optional<float> design_heat_demand_w;
};

// One row of a table of `kind` on its climate. A row with a reading runs at the design demand
// whose year uses that much gas on the bill's basis; one that no demand reaches is refused with
// the reason. A row without a reading runs as it stands and, unless its table is plain, is billed
// from that year.
ComputedRow compute_row(const BatchRow& row, const core::FoundClimate& climate, TableKind kind);

// compute_row for every row on `workers` threads (at least one), the results in the rows' order.
// Throws std::out_of_range, before any row runs, for a row whose climate `climates` did not read.
std::vector<ComputedRow> compute_rows(std::span<const BatchRow> rows,
                                      const core::FoundClimates& climates, TableKind kind,
                                      unsigned workers);

// A table that bills its rows needs a whole year of each climate it names: throws BatchInputError
// naming the first climate that was read but is no year. A climate that could not be read is
// left to its rows, which the engine refuses.
void require_climate_years(std::span<const core::BoilerCase> one_per_climate,
                           const core::FoundClimates& climates);

}  // namespace varmkalk::batch
