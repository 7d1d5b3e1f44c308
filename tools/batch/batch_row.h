// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/case/boiler_case.h"
#include "core/case/climate_choice.h"
#include "core/cost/cost_inputs.h"
#include "core/formats/csv_table.h"
#include "core/heatpump/heat_pump_choice.h"

namespace varmkalk::batch {

// What a table's rows are computed to, from its optional columns: the year; the year on the gas
// bill's terms too, for a table with a column of cost or CO2; and, for one with the metered gas,
// that at the design heat demand fitted to each row's meter.
enum class TableKind { plain, costed, metered };

using core::HeatPumpChoice;

// One row of the table as it is read, computed and written: its cells and the line it starts
// on, the case they describe, its prices, its meter reading and its heat pump.
struct BatchRow {
  core::CsvRow row;
  core::BoilerCase input;
  core::CostInputs prices = core::default_cost_inputs();  // the defaults where a column is missing
  std::optional<double> metered_gas_kwh;                  // empty where the row has none
  std::optional<HeatPumpChoice> heat_pump;                // empty where the row has none
};

// The climate file the row runs on, which both passes over the table check.
inline std::string_view climate_file(const BatchRow& row) {
  return core::climate_file_name(row.input.climate);
}

}  // namespace varmkalk::batch
