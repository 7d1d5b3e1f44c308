// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tools/batch/batch_row.h"
#include "tools/batch/row_computation.h"

namespace varmkalk::batch {

// The output table: every input column as read, then the status, the message, both annual
// efficiencies in per cent, the energies in kWh, the heating days and the days the boiler fell
// short. Numbers are the shortest text that reads back as the same float; those a refused case
// or a year without heating day does not have are empty. One result per input row, in order.
// A table with any of the optional columns of cost and CO2 gets four more: the year's gas on the
// bill's basis in kWh and in normal m³, its cost in kronor and its CO2 in kg. A table with the
// metered gas gets those four and, last, the design heat demand fitted to the meter, W; the
// results of such a row are those at the fitted demand. A table with heat pump columns gets, last,
// the heat pump's year in each row's house (that fitted to the meter where there is one): its heat
// and the backup heater's in kWh, the heat neither gave, its electricity (the unit, the backup
// heater and the off modes) in kWh, its seasonal performance factor, the house's bivalent point in
// °C (empty where the unit carries the house down to -40 °C), and where the table bills its rows,
// the heat pump's cost in kronor and CO2 in kg with its circulation pump's electricity.

// A column of the output: its name in the header and how a row's cell is made.
struct OutputColumn {
  std::string name;
  std::function<std::string(const BatchRow&, const ComputedRow&)> cell;
};

// The output's columns for a table of `kind` with the input's header.
std::vector<OutputColumn> batch_output_columns(std::span<const std::string> input_header,
                                               TableKind kind, bool heat_pump = false);

// The output's header record.
std::string batch_output_header(std::span<const OutputColumn> columns);

// The output's record for a row and what was computed of it.
std::string batch_output_row(std::span<const OutputColumn> columns, const BatchRow& row,
                             const ComputedRow& computed);

}  // namespace varmkalk::batch
