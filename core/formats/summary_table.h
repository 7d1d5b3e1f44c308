// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/case/boiler_case.h"
#include "core/formats/result_file_names.h"
#include "core/formats/summary_energies.h"
#include "core/formats/summary_report.h"
#include "core/formats/summary_report_reader.h"
#include "core/model/annual_totals.h"

namespace varmkalk::core {

// What one row of the summary report's table stands for.
enum class SummaryRowKind {
  empty,           // an empty line
  text,            // a line of fixed text, `text` from `column`
  value,           // a value line: `line`, the value from the case or the year
  efficiency,      // a value line that a year without heating days leaves undefined ("-")
  file_names,      // three lines: the raw, summary and pump file names
  pilot,           // the pilot flame's power, or kNoPilotLine where there is none
  flue_gas_point,  // two lines: the point's supply and return temperatures, its flue-gas
                   // temperature
  heating_system,  // the heating system's line of its table
  climate,         // the place's line, or the one naming an own climate file
};

// The part of the report a value belongs to.
enum class SummaryPart { results, inputs };

// What the writer prints a year's results from.
struct SummaryYear {
  const BoilerCase& input;
  const AnnualTotals& totals;
  SummaryEnergies energies;
};

// One row of the report, in the order the report prints them. The writer prints from it, the
// reader reads back into SummaryReport by it, and the comparison takes its rows from it.
struct SummaryRow {
  SummaryRowKind kind = SummaryRowKind::empty;
  SummaryPart part = SummaryPart::results;
  int column = kSummaryLabelColumn;  // text rows
  std::string_view text;             // text rows
  const SummaryValueLine* line = nullptr;
  // An input's value in the unit printed, from the case alone.
  float (*of_case)(const BoilerCase&) = nullptr;
  // A result's value; empty where the year leaves it undefined.
  std::optional<float> (*of_year)(const SummaryYear&) = nullptr;
  ReportValue SummaryReport::*member = nullptr;
  // flue_gas_point rows: which point.
  FlueGasPoint FlueGasPoints::*point = nullptr;
  ReportFlueGasPoint SummaryReport::*report_point = nullptr;
};

// Every row of the report body, 45 lines in all.
std::span<const SummaryRow> summary_rows();

// The value row printed with `line`; throws std::invalid_argument for a line of no row.
const SummaryRow& summary_row(const SummaryValueLine& line);

}  // namespace varmkalk::core
