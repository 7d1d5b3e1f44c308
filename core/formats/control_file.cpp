#include "core/formats/control_file.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/files/line_reader.h"
#include "core/files/run_error.h"
#include "core/text/fixed_field.h"
#include "core/text/number_text.h"

namespace varmkalk::core {
namespace {

// A number stands in the first 11 characters of its line, with no implied decimals.
constexpr int kNumberWidth = 11;
constexpr std::size_t kCodeWidth = 20;

// Table entries for the three kinds of line; the accessors are captureless lambdas.
template <typename Get, typename Set>
constexpr ControlLine number_line(int line, std::string_view field, std::string_view unit, Get get,
                                  Set set) {
  return {line, field, ControlLineKind::number, unit, get, set, nullptr, nullptr};
}

template <typename Get, typename Set>
constexpr ControlLine text_line(int line, std::string_view field, ControlLineKind kind, Get get,
                                Set set) {
  return {line, field, kind, "", nullptr, nullptr, get, set};
}

std::string where(int line_number) {
  return std::string(kControlFileName) + ", rad " + std::to_string(line_number);
}

}  // namespace

// clang-format off
const std::array<ControlLine, kControlFileLines> kControlLines = {
  number_line(1, "convection_constant", "W/K^1.3",
      [](const BoilerCase& c) { return c.losses.convection_constant; },
      [](BoilerCase& c, float v) { c.losses.convection_constant = v; }),
  number_line(2, "standby_constant", "W/K^n",
      [](const BoilerCase& c) { return c.losses.standby_constant; },
      [](BoilerCase& c, float v) { c.losses.standby_constant = v; }),
  number_line(3, "standby_exponent", "-",
      [](const BoilerCase& c) { return c.losses.standby_exponent; },
      [](BoilerCase& c, float v) { c.losses.standby_exponent = v; }),
  number_line(4, "burner_max_power", "W",
      [](const BoilerCase& c) { return c.burner.max_power_w(); },
      [](BoilerCase& c, float v) { c.burner = Burner(v, c.burner.min_power_w()); }),
  number_line(5, "burner_min_power", "W",
      [](const BoilerCase& c) { return c.burner.min_power_w(); },
      [](BoilerCase& c, float v) { c.burner = Burner(c.burner.max_power_w(), v); }),
  number_line(6, "air_ratio", "-",
      [](const BoilerCase& c) { return c.combustion.air_ratio; },
      [](BoilerCase& c, float v) { c.combustion.air_ratio = v; }),
  number_line(7, "pilot_power", "W",
      [](const BoilerCase& c) { return c.combustion.pilot_power_w; },
      [](BoilerCase& c, float v) { c.combustion.pilot_power_w = v; }),
  number_line(8, "flue_gas_temp_1", "°C",
      [](const BoilerCase& c) { return c.flue_gas.low_temp.flue_gas_temp_c; },
      [](BoilerCase& c, float v) { c.flue_gas.low_temp.flue_gas_temp_c = v; }),
  number_line(9, "supply_temp_1", "°C",
      [](const BoilerCase& c) { return c.flue_gas.low_temp.supply_temp_c; },
      [](BoilerCase& c, float v) { c.flue_gas.low_temp.supply_temp_c = v; }),
  number_line(10, "return_temp_1", "°C",
      [](const BoilerCase& c) { return c.flue_gas.low_temp.return_temp_c; },
      [](BoilerCase& c, float v) { c.flue_gas.low_temp.return_temp_c = v; }),
  number_line(11, "flue_gas_temp_2", "°C",
      [](const BoilerCase& c) { return c.flue_gas.high_temp.flue_gas_temp_c; },
      [](BoilerCase& c, float v) { c.flue_gas.high_temp.flue_gas_temp_c = v; }),
  number_line(12, "supply_temp_2", "°C",
      [](const BoilerCase& c) { return c.flue_gas.high_temp.supply_temp_c; },
      [](BoilerCase& c, float v) { c.flue_gas.high_temp.supply_temp_c = v; }),
  number_line(13, "return_temp_2", "°C",
      [](const BoilerCase& c) { return c.flue_gas.high_temp.return_temp_c; },
      [](BoilerCase& c, float v) { c.flue_gas.high_temp.return_temp_c = v; }),
  number_line(14, "pump_power", "W",
      [](const BoilerCase& c) { return c.pump.power_w; },
      [](BoilerCase& c, float v) { c.pump.power_w = v; }),
  number_line(15, "pump_efficiency", "%",
      [](const BoilerCase& c) { return c.pump.heat_share_percent; },
      [](BoilerCase& c, float v) { c.pump.heat_share_percent = v; }),
  number_line(16, "design_heat_demand", "W",
      [](const BoilerCase& c) { return c.building.design_heat_demand_w; },
      [](BoilerCase& c, float v) { c.building.design_heat_demand_w = v; }),
  text_line(17, "climate_code", ControlLineKind::code,
      [](const BoilerCase& c) { return std::string(1, climate_of(c.climate).code_letter); },
      [](BoilerCase& c, std::string_view t) { c.climate = place_from_code(t); }),
  text_line(18, "heating_system_code", ControlLineKind::code,
      [](const BoilerCase& c) {
        return std::string(1, heating_system_design(c.heating_system).code_letter);
      },
      [](BoilerCase& c, std::string_view t) { c.heating_system = heating_system_from_code(t); }),
  number_line(19, "indoor_temp", "°C",
      [](const BoilerCase& c) { return c.building.indoor_temp_c; },
      [](BoilerCase& c, float v) { c.building.indoor_temp_c = v; }),
  number_line(20, "min_return_temp", "°C",
      [](const BoilerCase& c) { return c.building.min_return_temp_c; },
      [](BoilerCase& c, float v) { c.building.min_return_temp_c = v; }),
  number_line(21, "hot_water_demand", "kWh/år",
      [](const BoilerCase& c) { return c.hot_water.annual_demand_kwh; },
      [](BoilerCase& c, float v) { c.hot_water.annual_demand_kwh = v; }),
  number_line(22, "heater_loss", "W",
      [](const BoilerCase& c) { return c.hot_water.heater_loss_w; },
      [](BoilerCase& c, float v) { c.hot_water.heater_loss_w = v; }),
  text_line(23, "calc_id", ControlLineKind::identity,
      [](const BoilerCase& c) { return c.identity.text(); },
      [](BoilerCase& c, std::string_view t) { c.identity = CalcIdentity(t); }),
};
// clang-format on

void read_control_line(const ControlLine& line, std::string_view text, BoilerCase& into) {
  switch (line.kind) {
    case ControlLineKind::number:
      line.set_number(into, read_real(field_text(text, 1, kNumberWidth), 0));
      return;
    case ControlLineKind::code:
      line.set_text(into, text.substr(0, kCodeWidth));
      return;
    case ControlLineKind::identity:
      line.set_text(into, text);
      return;
  }
}

std::array<std::string, kControlFileLines> control_file_lines(const BoilerCase& input) {
  std::array<std::string, kControlFileLines> lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ControlLine& line = kControlLines[i];
    if (line.kind != ControlLineKind::number) {
      lines[i] = line.text(input);
      continue;
    }
    const float value = line.number(input);
    if (!std::isfinite(value)) {
      throw std::invalid_argument(std::string(line.field) + " är inget ändligt tal");
    }
    lines[i] = Decimalfilter(control_number_text(value));
  }
  return lines;
}

std::string control_file_text(const BoilerCase& input) {
  std::string text;
  for (const std::string& line : control_file_lines(input)) {
    text += line + "\r\n";
  }
  return text;
}

BoilerCase read_control_file(const std::filesystem::path& work_dir) {
  const std::filesystem::path path = work_dir / kControlFileName;
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) {
    throw RunError(std::string(kControlFileName) + ": filen finns inte i arbetsmappen " +
                   work_dir.string());
  }
  LineReader reader(path, std::string(kControlFileName));
  BoilerCase input;
  for (const ControlLine& line : kControlLines) {
    const std::optional<std::string> text = reader.next();
    if (!text) {
      const int missing = reader.line_number() + 1;
      throw RunError(where(missing) + ": raden saknas; filen har bara " +
                     std::to_string(missing - 1) + " rader av " +
                     std::to_string(kControlFileLines));
    }
    try {
      read_control_line(line, *text, input);
    } catch (const ConversionError& e) {
      throw RunError(where(reader.line_number()) + ": " + e.what());
    }
  }
  return input;
}

}  // namespace varmkalk::core
