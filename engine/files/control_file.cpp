#include "control_file.h"

#include <array>
#include <string>
#include <type_traits>
#include <variant>

#include "fixed_field.h"
#include "line_reader.h"
#include "run_error.h"

namespace kalvex {
namespace {

// A number stands in the first 11 characters of its line, with no implied decimals.
constexpr int kNumberWidth = 11;

using LineField =
    std::variant<float RunParameters::*, CodeText RunParameters::*, CalcId RunParameters::*>;

// The fields in file order, one per line.
constexpr std::array<LineField, kControlFileLines> kLineFields = {
    &RunParameters::convection_constant,
    &RunParameters::standby_constant,
    &RunParameters::standby_exponent,
    &RunParameters::burner_max_power,
    &RunParameters::burner_min_power,
    &RunParameters::air_ratio,
    &RunParameters::pilot_power,
    &RunParameters::flue_gas_temp_1,
    &RunParameters::supply_temp_1,
    &RunParameters::return_temp_1,
    &RunParameters::flue_gas_temp_2,
    &RunParameters::supply_temp_2,
    &RunParameters::return_temp_2,
    &RunParameters::pump_power,
    &RunParameters::pump_efficiency,
    &RunParameters::design_heat_demand,
    &RunParameters::climate_code,
    &RunParameters::heating_system_code,
    &RunParameters::indoor_temp,
    &RunParameters::min_return_temp,
    &RunParameters::hot_water_demand,
    &RunParameters::heater_loss,
    &RunParameters::calc_id,
};

std::string where(int line_number) {
  return std::string(kControlFileName) + ", rad " + std::to_string(line_number);
}

}  // namespace

RunParameters read_control_file(const std::filesystem::path& work_dir) {
  const std::filesystem::path path = work_dir / kControlFileName;
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) {
    throw RunError(std::string(kControlFileName) + ": filen finns inte i arbetsmappen " +
                   work_dir.string());
  }
  LineReader reader(path, std::string(kControlFileName));
  RunParameters params;
  for (const LineField& field : kLineFields) {
    const std::optional<std::string> line = reader.next();
    if (!line) {
      const int missing = reader.line_number() + 1;
      throw RunError(where(missing) + ": raden saknas; filen har bara " +
                     std::to_string(missing - 1) + " rader av " +
                     std::to_string(kControlFileLines));
    }
    std::visit(
        [&](auto member) {
          using Field = std::remove_reference_t<decltype(params.*member)>;
          if constexpr (std::is_same_v<Field, float>) {
            try {
              params.*member = read_real(field_text(*line, 1, kNumberWidth), 0);
            } catch (const ConversionError& e) {
              throw RunError(where(reader.line_number()) + ": " + e.what());
            }
          } else {
            params.*member = Field(*line);
          }
        },
        field);
  }
  return params;
}

}  // namespace kalvex
