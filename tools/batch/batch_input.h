// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/cost/cost_inputs.h"
#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "tools/batch/batch_row.h"
#include "tools/batch/heat_pump_cells.h"

namespace varmkalk::batch {

// The column that may name a case; it takes no part in the calculation.
inline constexpr std::string_view kCaseColumn = "case";
// The optional column of the metered yearly gas, kWh on the bill's basis: a row with a number in
// it is run at the design heat demand that uses that much gas; an empty cell leaves the row's own.
inline constexpr std::string_view kMeterColumn = "metered_gas_kwh";
// The optional pair of columns of a heating system's own design temperatures, °C. On a row with
// both cells filled they apply, and the code cell beside them is empty or the letter the control
// file's writer puts beside them; with both empty the code applies.
inline constexpr std::string_view kDesignSupplyColumn = "design_supply_temp";
inline constexpr std::string_view kDesignReturnColumn = "design_return_temp";

// The table as read: its header, its kind and its rows in order.
struct BatchInput {
  std::vector<std::string> header;
  TableKind kind = TableKind::plain;
  bool heat_pump = false;  // the table has heat pump columns
  std::vector<BatchRow> rows;
};

// Input that cannot be run. what() is one Swedish line per fault found, each naming the file,
// the line and the column.
class BatchInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The names of the input columns: a column for every number and code line of the control file,
// under the field name of that line, then the optional columns of the design temperatures, of
// cost and CO2, the metered gas, the heat pump, then the case's name.
std::vector<std::string_view> batch_column_names();

// Reads the cases from a CSV table with a column for each of batch_column_names(), in any
// order, the case column optional, one row at a time. Numbers are written with a decimal point in
// the control file's units and read to the float the engine reads from the same digits; the
// climate and heating-system columns hold one of the letters the control file writes, in either
// case, with blanks and tabs around it; any other text is refused. The header is checked before
// any row: an unknown, repeated or missing column is named. Throws core::CsvError for a file
// that is no table and BatchInputError for the header; cells that are no numbers or codes are
// gathered for throw_cell_faults.
class BatchReader {
 public:
  BatchReader(core::ByteSource& source, std::string_view file_name);

  long header_line() const { return table_.header_line(); }
  // What the rows are computed to, by the table's optional columns.
  TableKind kind() const;
  // Whether the table puts a heat pump beside the boiler.
  bool has_heat_pump() const { return heat_pump_columns_.has_value(); }
  const std::vector<std::string>& header() const { return table_.header(); }
  // The next row and its case, or nothing after the last row. The case of a row with a faulty
  // cell lacks that cell's value.
  std::optional<BatchRow> next();
  // Throws BatchInputError naming the first few faulty cells read so far and counting the rest.
  void throw_cell_faults() const;

  // Where each control line's value stands in the table's rows.
  struct ColumnOf {
    const core::ControlLine* line;
    std::size_t column;
  };
  struct CostColumnOf {
    const core::CostQuantity* quantity;
    std::size_t column;
  };

 private:
  void add_fault(const core::CsvRow& row, std::size_t column, const std::string& fault);
  // The row's own design temperatures, when its two cells give them.
  std::optional<core::DesignTemperatures> design_temperatures(const core::CsvRow& row);

  core::CsvStream table_;
  std::string file_name_;
  std::vector<ColumnOf> columns_;
  std::vector<CostColumnOf> cost_columns_;
  std::optional<std::size_t> meter_column_;
  struct DesignColumns {
    std::size_t supply;
    std::size_t back;
  };
  std::optional<DesignColumns> design_columns_;
  std::optional<HeatPumpColumns> heat_pump_columns_;
  std::vector<std::string> faults_;
  std::size_t fault_count_ = 0;
};

// The whole table as BatchReader reads it. Throws BatchInputError for faulty cells (the first
// few of them) once every row is read.
BatchInput read_batch_input(std::string_view bytes, std::string_view file_name);

}  // namespace varmkalk::batch
