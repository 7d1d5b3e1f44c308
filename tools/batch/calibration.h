// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/cost/year_cost.h"
#include "core/run/case_run.h"

namespace varmkalk::batch {

// A row of a table with the metered gas: its year, on the bill's terms too, and the design
// heat demand fitted to its meter.
struct CalibratedRow {
  core::CaseResult result;
  std::optional<core::YearCost> cost;  // empty for a refused case
  std::optional<float> design_heat_demand_w;
};

// Every case on `workers` threads (at least one), the results in the cases' order. A case with a
// reading runs at the design demand whose year uses that much gas on the bill's basis; one that no
// demand reaches is refused with the reason. A case without a reading runs as it stands.
std::vector<CalibratedRow> calibrate_cases(std::span<const core::BoilerCase> cases,
                                           std::span<const core::CostInputs> prices,
                                           std::span<const std::optional<double>> metered_gas_kwh,
                                           const core::FoundClimates& climates, unsigned workers);

// A table that bills its rows needs a whole year of each climate it names: throws BatchInputError
// naming the first climate that was read but is no year. A climate that could not be read is
// left to its rows, which the engine refuses.
void require_climate_years(std::span<const core::BoilerCase> one_per_climate,
                           const core::FoundClimates& climates);

}  // namespace varmkalk::batch
