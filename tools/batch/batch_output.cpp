// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/batch_output.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

#include "core/cost/generators.h"
#include "core/formats/csv_table.h"
#include "core/text/number_text.h"

namespace varmkalk::batch {
namespace {

using Energy = float core::SummaryEnergies::*;
constexpr std::array<std::pair<std::string_view, Energy>, 8> kEnergyColumns = {{
    {"net_energy_kwh", &core::SummaryEnergies::net_energy_kwh},
    {"gross_energy_kwh", &core::SummaryEnergies::gross_energy_kwh},
    {"gross_energy_without_pump_kwh", &core::SummaryEnergies::gross_energy_without_pump_kwh},
    {"convection_energy_kwh", &core::SummaryEnergies::convection_energy_kwh},
    {"standby_energy_kwh", &core::SummaryEnergies::standby_energy_kwh},
    {"flue_gas_energy_kwh", &core::SummaryEnergies::flue_gas_energy_kwh},
    {"pilot_energy_kwh", &core::SummaryEnergies::pilot_energy_kwh},
    {"pump_electricity_kwh", &core::SummaryEnergies::pump_electricity_kwh},
}};

constexpr std::string_view kCalibratedColumn = "calibrated_design_heat_demand_w";

using HeatPumpFigure = std::optional<double> (*)(const core::HeatPumpYear&);
constexpr std::array<std::pair<std::string_view, HeatPumpFigure>, 6> kHeatPumpColumns = {{
    {"hp_heat_kwh",
     [](const core::HeatPumpYear& year) -> std::optional<double> { return year.unit_heat_kwh; }},
    {"hp_backup_kwh",
     [](const core::HeatPumpYear& year) -> std::optional<double> { return year.backup_heat_kwh; }},
    {"hp_unmet_kwh",
     [](const core::HeatPumpYear& year) -> std::optional<double> { return year.unmet_kwh; }},
    {"hp_electricity_kwh",
     [](const core::HeatPumpYear& year) -> std::optional<double> {
       return year.hp_electricity_kwh;
     }},
    {"hp_spf", [](const core::HeatPumpYear& year) { return year.seasonal_performance_factor; }},
    {"hp_bivalent_temp", [](const core::HeatPumpYear& year) { return year.bivalent_c; }},
}};

// The shortest decimals without an exponent that read back as the same double.
std::string cost_number(double value) {
  std::array<char, 400> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  return std::string(text.data(), written.ptr);
}

std::string_view status_text(core::CaseStatus status) {
  switch (status) {
    case core::CaseStatus::ok:
      return "ok";
    case core::CaseStatus::shortfall:
      return "shortfall";
    case core::CaseStatus::error:
      break;
  }
  return "error";
}

std::string number(const std::optional<float>& value) {
  return value ? core::shortest_text(*value) : std::string();
}

// A column of the case's year, empty for a refused case.
template <typename OfYear>
OutputColumn year_column(std::string_view name, OfYear of_year) {
  return {std::string(name), [of_year](const BatchRow&, const ComputedRow& computed) {
            return computed.result.status == core::CaseStatus::error ? std::string()
                                                                     : of_year(computed.result);
          }};
}

void add_cost_columns(TableKind kind, std::vector<OutputColumn>& columns) {
  // Empty for a refused case, which has no bill.
  for (const core::YearFigure& figure : core::gas_boiler().figures) {
    if (figure.batch_column.empty()) {
      continue;
    }
    columns.push_back({std::string(figure.batch_column),
                       [member = figure.member](const BatchRow&, const ComputedRow& computed) {
                         return computed.cost ? cost_number((*computed.cost).*member)
                                              : std::string();
                       }});
  }
  if (kind == TableKind::metered) {
    // Empty for a row without a reading or one no demand reaches.
    columns.push_back(
        {std::string(kCalibratedColumn), [](const BatchRow&, const ComputedRow& computed) {
           return number(computed.design_heat_demand_w);
         }});
  }
}

void add_heat_pump_columns(TableKind kind, std::vector<OutputColumn>& columns) {
  // Empty for a row without a heat pump and for a refused case.
  for (const auto& [name, figure] : kHeatPumpColumns) {
    columns.push_back(
        {std::string(name), [of = figure](const BatchRow&, const ComputedRow& computed) {
           const std::optional<double> value =
               computed.heat_pump ? of(*computed.heat_pump) : std::nullopt;
           return value ? cost_number(*value) : std::string();
         }});
  }
  if (kind == TableKind::plain) {
    return;
  }
  for (const core::YearFigure& figure : core::heat_pump().figures) {
    if (figure.batch_column.empty()) {
      continue;
    }
    columns.push_back({std::string(figure.batch_column),
                       [member = figure.member](const BatchRow&, const ComputedRow& computed) {
                         return computed.heat_pump_cost
                                    ? cost_number((*computed.heat_pump_cost).*member)
                                    : std::string();
                       }});
  }
}

}  // namespace

std::vector<OutputColumn> batch_output_columns(std::span<const std::string> input_header,
                                               TableKind kind, bool heat_pump) {
  std::vector<OutputColumn> columns;
  for (std::size_t i = 0; i < input_header.size(); ++i) {
    columns.push_back({input_header[i],
                       [i](const BatchRow& row, const ComputedRow&) { return row.row.fields[i]; }});
  }
  columns.push_back({"status", [](const BatchRow&, const ComputedRow& computed) {
                       return std::string(status_text(computed.result.status));
                     }});
  columns.push_back({"message", [](const BatchRow&, const ComputedRow& computed) {
                       return computed.result.message;
                     }});
  columns.push_back(year_column("annual_efficiency", [](const core::CaseResult& result) {
    return number(result.efficiency_percent);
  }));
  columns.push_back(
      year_column("annual_efficiency_without_pump", [](const core::CaseResult& result) {
        return number(result.efficiency_without_pump_percent);
      }));
  for (const auto& [name, member] : kEnergyColumns) {
    columns.push_back(year_column(name, [energy = member](const core::CaseResult& result) {
      return core::shortest_text(result.energies.*energy);
    }));
  }
  columns.push_back(year_column("heating_days", [](const core::CaseResult& result) {
    return std::to_string(result.totals.heating_days);
  }));
  columns.push_back(year_column("shortfall_days", [](const core::CaseResult& result) {
    return std::to_string(result.totals.unmet_days);
  }));
  if (kind != TableKind::plain) {
    add_cost_columns(kind, columns);
  }
  if (heat_pump) {
    add_heat_pump_columns(kind, columns);
  }
  return columns;
}

std::string batch_output_header(std::span<const OutputColumn> columns) {
  std::vector<std::string> names;
  names.reserve(columns.size());
  for (const OutputColumn& column : columns) {
    names.push_back(column.name);
  }
  return core::csv_record(names);
}

std::string batch_output_row(std::span<const OutputColumn> columns, const BatchRow& row,
                             const ComputedRow& computed) {
  std::vector<std::string> cells;
  cells.reserve(columns.size());
  for (const OutputColumn& column : columns) {
    cells.push_back(column.cell(row, computed));
  }
  return core::csv_record(cells);
}

}  // namespace varmkalk::batch
