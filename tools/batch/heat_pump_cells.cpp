// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/heat_pump_cells.h"

#include "core/climate_import/source_text.h"
#include "core/text/portable_name.h"
#include "core/text/utf8_text.h"
#include "tools/batch/batch_input.h"
#include "tools/batch/header_columns.h"
#include "tools/batch/number_cells.h"

namespace varmkalk::batch {
namespace {

constexpr std::string_view kEitherUnit =
    "ange antingen hp_unit_file och hp_model eller hp_type och hp_capacity_kw";

// The fault of an empty cell beside a filled one of its pair.
std::string half_a_pair(std::string_view filled) {
  return "fältet är tomt men " + std::string(filled) + " är ifyllt; " + std::string(kEitherUnit) +
         ", eller inget av dem";
}

}  // namespace

std::vector<std::string_view> heat_pump_column_names() {
  std::vector<std::string_view> names{kHeatPumpFileColumn, kHeatPumpModelColumn,
                                      kHeatPumpTypeColumn, kHeatPumpCapacityColumn};
  for (const core::HeatPumpQuantity& quantity : core::kHeatPumpQuantities) {
    names.push_back(quantity.key);
  }
  return names;
}

std::optional<HeatPumpColumns> HeatPumpColumns::of(std::span<const std::string> header,
                                                   std::string_view file_name, long header_line) {
  HeatPumpColumns columns;
  columns.unit_ = column_pair(header, file_name, header_line, kHeatPumpFileColumn,
                              kHeatPumpModelColumn, "en certifierad värmepump");
  columns.generic_ = column_pair(header, file_name, header_line, kHeatPumpTypeColumn,
                                 kHeatPumpCapacityColumn, "en typisk värmepump");
  for (const core::HeatPumpQuantity& quantity : core::kHeatPumpQuantities) {
    if (const std::optional<std::size_t> column = column_of(header, quantity.key)) {
      if (!columns.unit_ && !columns.generic_) {
        throw BatchInputError(core::csv_cell_place(file_name, header_line, *column, header) +
                              ": kolumnen hör till en värmepump, som tabellen " +
                              "inte anger; lägg till hp_unit_file och hp_model eller hp_type " +
                              "och hp_capacity_kw");
      }
      columns.settings_.push_back({*column, &quantity});
    }
  }
  if (!columns.unit_ && !columns.generic_) {
    return std::nullopt;
  }
  return columns;
}

std::optional<HeatPumpChoice> HeatPumpColumns::read(const core::CsvRow& row,
                                                    const FaultSink& fault) const {
  const auto cell = [&](std::size_t column) { return core::trimmed(row.fields[column]); };
  const auto given = [&](const std::optional<ColumnPair>& pair) {
    return pair && (!cell(pair->first).empty() || !cell(pair->second).empty());
  };
  const bool unit_given = given(unit_);
  const bool generic_given = given(generic_);
  if (unit_given && generic_given) {
    fault(generic_->first, "raden anger redan en värmepump i hp_unit_file och hp_model; " +
                               std::string(kEitherUnit) + ", inte båda");
    return std::nullopt;
  }
  if (!unit_given && !generic_given) {
    for (const SettingColumn& setting : settings_) {
      if (!cell(setting.column).empty()) {
        fault(setting.column, "fältet är ifyllt men raden anger ingen värmepump; " +
                                  std::string(kEitherUnit) + ", eller lämna fältet tomt");
      }
    }
    return std::nullopt;
  }
  HeatPumpChoice choice;
  bool sound = true;
  // One of a pair filled: the empty one is named.
  const auto both = [&](const ColumnPair& pair, std::string_view first, std::string_view second) {
    for (const auto& [column, other] :
         {std::pair{pair.first, second}, std::pair{pair.second, first}}) {
      if (cell(column).empty()) {
        fault(column, half_a_pair(other));
        sound = false;
      }
    }
  };
  if (unit_given) {
    both(*unit_, kHeatPumpFileColumn, kHeatPumpModelColumn);
    choice.unit_file = std::string(cell(unit_->first));
    choice.model = std::string(cell(unit_->second));
    if (!choice.unit_file.empty()) {
      if (const std::optional<core::PortableNameFault> name_fault =
              core::portable_name_fault(choice.unit_file)) {
        fault(unit_->first,
              "namnet " + core::portable_name_fault_text(*name_fault, choice.unit_file));
        sound = false;
      }
    }
  } else {
    both(*generic_, kHeatPumpTypeColumn, kHeatPumpCapacityColumn);
    const std::string_view type = cell(generic_->first);
    if (!type.empty()) {
      if (const std::optional<core::GenericHeatPump> found =
              core::generic_heat_pump_from_id(type)) {
        choice.generic = *found;
      } else {
        fault(generic_->first, core::quoted_for_message(type) +
                                   " är ingen typ; ange air (uteluft), brine (berg, jord eller "
                                   "sjö) eller exhaust (frånluft)");
        sound = false;
      }
    }
    if (!cell(generic_->second).empty()) {
      std::string capacity_fault;
      if (const std::optional<double> capacity_kw =
              ranged_number_of(row.fields[generic_->second], core::kLeastRatingKw,
                               core::kLargestRatingKw, "kW", capacity_fault)) {
        choice.capacity_kw = *capacity_kw;
      } else {
        fault(generic_->second, capacity_fault);
        sound = false;
      }
    }
  }
  for (const SettingColumn& setting : settings_) {
    if (cell(setting.column).empty()) {
      continue;
    }
    std::string setting_fault;
    if (const std::optional<double> value =
            ranged_number_of(row.fields[setting.column], setting.quantity->min_value,
                             setting.quantity->max_value, setting.quantity->unit, setting_fault)) {
      choice.settings.*setting.quantity->member = *value;
    } else {
      fault(setting.column, setting_fault);
      sound = false;
    }
  }
  return sound ? std::optional<HeatPumpChoice>(std::move(choice)) : std::nullopt;
}

}  // namespace varmkalk::batch
