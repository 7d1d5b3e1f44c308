// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include <optional>

#include "core/cost/year_cost.h"
#include "core/formats/csv_table.h"
#include "core/run/case_run.h"

namespace varmkalk::batch {

// The output table: every input column as read, then the status, the message, both annual
// efficiencies in per cent, the energies in kWh, the heating days and the days the boiler fell
// short. Numbers are the shortest text that reads back as the same float; those a refused case
// or a year without heating day does not have are empty. One result per input row, in order.
// A table with any of the optional columns of cost and CO2 gets four more: the year's gas on the
// bill's basis in kWh and in normal m³, its cost in kronor and its CO2 in kg. A table with the
// metered gas gets those four and, last, the design heat demand fitted to the meter, W; the
// results of such a row are those at the fitted demand.

// The output's header record for the input's header.
std::string batch_output_header(std::span<const std::string> input_header,
                                bool cost_columns = false, bool meter_column = false);

// The output's record for an input row and its result.
std::string batch_output_row(const core::CsvRow& input, const core::CaseResult& result);
// The same with the columns of cost and CO2; those of a refused case are empty.
std::string batch_output_row(const core::CsvRow& input, const core::CaseResult& result,
                             const std::optional<core::YearCost>& cost);
// The same with the design demand fitted to the row's meter; empty for a row without a reading
// or one no demand reaches.
std::string batch_output_row(const core::CsvRow& input, const core::CaseResult& result,
                             const std::optional<core::YearCost>& cost,
                             const std::optional<float>& calibrated_demand_w);

}  // namespace varmkalk::batch
