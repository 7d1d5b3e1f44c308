// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/batch_output.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text/number_text.h"

namespace varmkalk::batch {
namespace {

constexpr std::array<std::string_view, 14> kResultColumns = {
    "status",
    "message",
    "annual_efficiency",
    "annual_efficiency_without_pump",
    "net_energy_kwh",
    "gross_energy_kwh",
    "gross_energy_without_pump_kwh",
    "convection_energy_kwh",
    "standby_energy_kwh",
    "flue_gas_energy_kwh",
    "pilot_energy_kwh",
    "pump_electricity_kwh",
    "heating_days",
    "shortfall_days",
};

constexpr std::string_view kCalibratedColumn = "calibrated_design_heat_demand_w";

constexpr std::array<std::string_view, 4> kCostColumns = {
    "gas_bill_kwh",
    "gas_m3",
    "cost_sek",
    "co2_kg",
};

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

// The result columns of one row, in the order of kResultColumns.
std::vector<std::string> result_fields(const core::CaseResult& result) {
  std::vector<std::string> fields = {std::string(status_text(result.status)), result.message};
  if (result.status == core::CaseStatus::error) {
    fields.resize(kResultColumns.size());
    return fields;
  }
  fields.push_back(number(result.efficiency_percent));
  fields.push_back(number(result.efficiency_without_pump_percent));
  const core::SummaryEnergies& e = result.energies;
  for (const float value : {e.net_energy_kwh, e.gross_energy_kwh, e.gross_energy_without_pump_kwh,
                            e.convection_energy_kwh, e.standby_energy_kwh, e.flue_gas_energy_kwh,
                            e.pilot_energy_kwh, e.pump_electricity_kwh}) {
    fields.push_back(core::shortest_text(value));
  }
  fields.push_back(std::to_string(result.totals.heating_days));
  fields.push_back(std::to_string(result.totals.unmet_days));
  return fields;
}

// The input's fields, the results and the columns of cost and CO2; those of a refused case are
// empty.
std::vector<std::string> fields_with_cost(const core::CsvRow& input, const core::CaseResult& result,
                                          const std::optional<core::YearCost>& cost) {
  std::vector<std::string> fields = input.fields;
  const std::vector<std::string> added = result_fields(result);
  fields.insert(fields.end(), added.begin(), added.end());
  if (cost) {
    for (const double value :
         {cost->gas_bill_kwh, cost->gas_m3, cost->total_cost_sek, cost->co2_kg}) {
      fields.push_back(cost_number(value));
    }
  } else {
    fields.resize(fields.size() + kCostColumns.size());
  }
  return fields;
}

}  // namespace

std::string batch_output_header(std::span<const std::string> input_header, bool cost_columns,
                                bool meter_column) {
  std::vector<std::string> header(input_header.begin(), input_header.end());
  header.insert(header.end(), kResultColumns.begin(), kResultColumns.end());
  if (cost_columns || meter_column) {
    header.insert(header.end(), kCostColumns.begin(), kCostColumns.end());
  }
  if (meter_column) {
    header.emplace_back(kCalibratedColumn);
  }
  return core::csv_record(header);
}

std::string batch_output_row(const core::CsvRow& input, const core::CaseResult& result) {
  std::vector<std::string> fields = input.fields;
  const std::vector<std::string> added = result_fields(result);
  fields.insert(fields.end(), added.begin(), added.end());
  return core::csv_record(fields);
}

std::string batch_output_row(const core::CsvRow& input, const core::CaseResult& result,
                             const std::optional<core::YearCost>& cost) {
  return core::csv_record(fields_with_cost(input, result, cost));
}

std::string batch_output_row(const core::CsvRow& input, const core::CaseResult& result,
                             const std::optional<core::YearCost>& cost,
                             const std::optional<float>& calibrated_demand_w) {
  std::vector<std::string> fields = fields_with_cost(input, result, cost);
  fields.push_back(number(calibrated_demand_w));
  return core::csv_record(fields);
}

}  // namespace varmkalk::batch
