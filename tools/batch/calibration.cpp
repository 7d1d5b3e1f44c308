// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/calibration.h"

#include <new>
#include <optional>
#include <string>
#include <variant>

#include "core/cost/meter_fit.h"
#include "core/files/run_error.h"
#include "core/run/worker_threads.h"
#include "tools/batch/batch_input.h"

namespace varmkalk::batch {
namespace {

CalibratedRow calibrated_row(const core::BoilerCase& input, const core::CostInputs& prices,
                             const std::optional<double>& metered_gas_kwh,
                             const core::FoundClimate& climate) {
  CalibratedRow row;
  if (!metered_gas_kwh) {
    row.result = core::run_case(input, climate);
    auto cost = core::billed_year(input, row.result, climate, prices);
    if (auto* billed = std::get_if<core::YearCost>(&cost)) {
      row.cost = *billed;
    }
    return row;
  }
  auto fitted = core::fit_to_meter(input, climate, prices, *metered_gas_kwh);
  if (auto* refusal = std::get_if<core::MeterFitRefusal>(&fitted)) {
    row.result.message = std::move(refusal->message);
    return row;
  }
  core::MeterFit& fit = std::get<core::MeterFit>(fitted);
  row.result = std::move(fit.result);
  row.cost = fit.cost;
  row.design_heat_demand_w = fit.design_heat_demand_w;
  return row;
}

}  // namespace

std::vector<CalibratedRow> calibrate_cases(std::span<const core::BoilerCase> cases,
                                           std::span<const core::CostInputs> prices,
                                           std::span<const std::optional<double>> metered_gas_kwh,
                                           const core::FoundClimates& climates, unsigned workers) {
  // Looked up here, where a climate not read throws to the caller rather than in a worker.
  std::vector<const core::FoundClimate*> found;
  found.reserve(cases.size());
  for (const core::BoilerCase& input : cases) {
    found.push_back(&climates.of(input));
  }
  std::vector<CalibratedRow> rows(cases.size());
  core::for_each_index(cases.size(), workers, [&](std::size_t i) {
    try {
      rows[i] = calibrated_row(cases[i], prices[i], metered_gas_kwh[i], *found[i]);
    } catch (const std::bad_alloc&) {
      rows[i] = CalibratedRow{};
      rows[i].result.message = core::kOutOfMemory;
    }
  });
  return rows;
}

void require_climate_years(std::span<const core::BoilerCase> one_per_climate,
                           const core::FoundClimates& climates) {
  for (const core::BoilerCase& input : one_per_climate) {
    const core::FoundClimate& climate = climates.of(input);
    if (!climate.days || climate.days->fault) {
      continue;
    }
    if (std::optional<std::string> fault = core::not_a_climate_year(climate)) {
      throw BatchInputError(*fault);
    }
  }
}

}  // namespace varmkalk::batch
