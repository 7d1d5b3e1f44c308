// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/csv_table.h"
#include "tools/batch/batch_row.h"
#include "tools/batch/header_columns.h"

namespace varmkalk::batch {

// The optional columns of a heat pump beside the boiler: a certified unit by its Keymark file
// (looked up in the working folder, then among the installed units) and its variant's title, or
// a generic type and its rating capacity; then the backup heater's power, the tank's and the
// brine's temperatures, each empty for its default.
inline constexpr std::string_view kHeatPumpFileColumn = "hp_unit_file";
inline constexpr std::string_view kHeatPumpModelColumn = "hp_model";
inline constexpr std::string_view kHeatPumpTypeColumn = "hp_type";
inline constexpr std::string_view kHeatPumpCapacityColumn = "hp_capacity_kw";

// Their names, in the order --help lists them.
std::vector<std::string_view> heat_pump_column_names();

// Where a table's heat pump columns stand, and how a row's cells make its heat pump.
class HeatPumpColumns {
 public:
  // The columns of `header`, or nothing for a table without any of them. Throws
  // BatchInputError for one of a pair without the other, or a setting without a unit to set.
  static std::optional<HeatPumpColumns> of(std::span<const std::string> header,
                                           std::string_view file_name, long header_line);

  // The row's heat pump: empty where its cells name none, or where a cell is at fault, which
  // `fault` is told with the column's index.
  using FaultSink = std::function<void(std::size_t column, const std::string& fault)>;
  std::optional<HeatPumpChoice> read(const core::CsvRow& row, const FaultSink& fault) const;

 private:
  std::optional<ColumnPair> unit_;     // file, model
  std::optional<ColumnPair> generic_;  // type, capacity
  struct SettingColumn {
    std::size_t column;
    const core::HeatPumpQuantity* quantity;
  };
  std::vector<SettingColumn> settings_;
};

}  // namespace varmkalk::batch
