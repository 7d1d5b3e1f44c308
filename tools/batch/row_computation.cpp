// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/row_computation.h"

#include <new>
#include <optional>
#include <string>
#include <variant>

#include "core/cost/meter_fit.h"
#include "core/files/run_error.h"
#include "core/model/model_input_error.h"
#include "core/run/worker_threads.h"
#include "tools/batch/batch_input.h"

namespace varmkalk::batch {

namespace {

// The heat pump's year in the house the row's boiler heated.
void add_heat_pump(const BatchRow& row, const core::FoundClimate& climate, TableKind kind,
                   const HeatPumpUnits& units, ComputedRow& computed) {
  if (!row.heat_pump || computed.result.status == core::CaseStatus::error || !climate.days ||
      climate.days->fault) {
    return;
  }
  core::BoilerCase house = row.input;
  if (computed.design_heat_demand_w) {
    house.building.design_heat_demand_w = *computed.design_heat_demand_w;
  }
  try {
    computed.heat_pump =
        core::heat_pump_year(house, units.installation(*row.heat_pump), climate.days->records);
  } catch (const core::ModelInputError& error) {
    computed.result.message +=
        (computed.result.message.empty() ? "värmepumpen: " : "; värmepumpen: ") +
        std::string(error.what());
    return;
  }
  if (kind != TableKind::plain) {
    computed.heat_pump_cost = core::year_cost(computed.heat_pump->year, row.prices);
  }
}

ComputedRow boiler_row(const BatchRow& row, const core::FoundClimate& climate, TableKind kind) {
  ComputedRow computed;
  if (!row.metered_gas_kwh) {
    if (kind == TableKind::plain) {
      computed.result = core::run_case(row.input, climate);
      return computed;
    }
    core::CostedCase costed = core::case_cost(row.input, climate, row.prices);
    computed.result = std::move(costed.result);
    if (auto* billed = std::get_if<core::YearCost>(&costed.cost)) {
      computed.cost = *billed;
    }
    return computed;
  }
  auto fitted = core::fit_to_meter(row.input, climate, row.prices, *row.metered_gas_kwh);
  if (auto* refusal = std::get_if<core::MeterFitRefusal>(&fitted)) {
    computed.result.message = std::move(refusal->message);
    return computed;
  }
  core::MeterFit& fit = std::get<core::MeterFit>(fitted);
  computed.result = std::move(fit.result);
  computed.cost = fit.cost;
  computed.design_heat_demand_w = fit.design_heat_demand_w;
  return computed;
}

}  // namespace

ComputedRow compute_row(const BatchRow& row, const core::FoundClimate& climate, TableKind kind,
                        const HeatPumpUnits& units) {
  ComputedRow computed = boiler_row(row, climate, kind);
  add_heat_pump(row, climate, kind, units, computed);
  return computed;
}

std::vector<ComputedRow> compute_rows(std::span<const BatchRow> rows,
                                      const core::FoundClimates& climates, TableKind kind,
                                      const HeatPumpUnits& units, unsigned workers) {
  // Looked up here, where a climate not read throws to the caller rather than in a worker.
  std::vector<const core::FoundClimate*> found;
  found.reserve(rows.size());
  for (const BatchRow& row : rows) {
    found.push_back(&climates.of(row.input));
  }
  std::vector<ComputedRow> computed(rows.size());
  core::for_each_index(rows.size(), workers, [&](std::size_t i) {
    try {
      computed[i] = compute_row(rows[i], *found[i], kind, units);
    } catch (const std::bad_alloc&) {
      computed[i] = ComputedRow{};
      computed[i].result.message = core::kOutOfMemory;
    }
  });
  return computed;
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
