// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/control_file.h"

#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/files/line_reader.h"
#include "core/files/platform.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file_name.h"
#include "core/text/ascii_case.h"
#include "core/text/byte_code.h"
#include "core/text/file_name_fault.h"
#include "core/text/fixed_field.h"
#include "core/text/number_text.h"
#include "core/text/portable_name.h"
#include "core/text/utf8_text.h"
#include "core/text/windows1252.h"

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

// Every number line passes through the decimal filter, so the file carries a point as its
// decimal separator whatever produced the text.
std::string number_line_text(std::string_view field, float value) {
  if (!std::isfinite(value)) {
    throw std::invalid_argument(std::string(field) + " är inget ändligt tal");
  }
  return Decimalfilter(control_number_text(value));
}

// The climate file named on line 24: refused when its name could lead out of the folders the
// climate files are looked for in, or could not be shown.
std::string own_climate_file_name(std::string_view line) {
  const std::string name(without_trailing_blanks(line.substr(0, kCodeWidth)));
  const std::optional<FileNameFault> fault = file_name_fault(name);
  if (fault && fault->kind == FileNameFault::Kind::separator) {
    throw RunError(where(kClimateFileLine) + ": klimatfilens namn \"" +
                   shown_from_windows1252(name) +
                   "\" innehåller ett snedstreck; klimatfilen måste ligga i arbetsmappen eller "
                   "bland de installerade klimatfilerna");
  }
  if (fault) {
    throw RunError(where(kClimateFileLine) + ": klimatfilens namn innehåller ett styrtecken (" +
                   byte_code_text(fault->byte) + ")");
  }
  // The same file on Linux and Windows: "c:umea.dat" would be read from drive C's folder.
  if (const std::optional<PortableNameFault> portable = portable_name_fault(name)) {
    throw RunError(where(kClimateFileLine) + ": klimatfilens namn \"" +
                   shown_from_windows1252(name) + "\" " +
                   portable_name_fault_text(*portable, name));
  }
  return name;
}

// The own climate file named on line 24 with its design outdoor temperature from line 25.
OwnClimate own_climate(std::string file_name, const std::optional<std::string>& line_25) {
  OwnClimate own;
  own.file_name = std::move(file_name);
  const std::string field = line_25 ? field_text(*line_25, 1, kNumberWidth) : std::string();
  if (field.find_first_not_of(' ') == std::string::npos) {
    throw RunError(where(kDesignOutdoorTempLine) +
                   ": den dimensionerande utetemperaturen för klimatfilen på rad 24 saknas");
  }
  try {
    own.design_outdoor_temp_c = read_real(field, 0);
  } catch (const ConversionError& e) {
    throw RunError(where(kDesignOutdoorTempLine) + ": " + e.what());
  }
  return own;
}

// Whether line 24 holds a value a number line could hold: lines 24 and 25 swapped.
bool holds_number(std::string_view line) {
  const std::string field = field_text(line, 1, kNumberWidth);
  if (field.find_first_not_of(' ') == std::string::npos) {
    return false;
  }
  try {
    read_real(field, 0);
    return true;
  } catch (const ConversionError&) {
    return false;
  }
}

// The climate file of the user's own that lines 24 and 25 name, if they do. Any other text after
// the 23rd line changes nothing, but a line 24 that looks like a file's name without naming one
// the engine would use is refused: the run would otherwise use line 17's place in silence.
// Line 25 is asked for only when it is needed, and after line 24 is checked, so that line 24's
// fault is the one reported.
template <typename Line25>
std::optional<OwnClimate> own_climate_of(const std::optional<std::string>& line_24,
                                         Line25 line_25_of) {
  if (!line_24) {
    return std::nullopt;
  }
  if (names_climate_file(*line_24)) {
    std::string file_name = own_climate_file_name(*line_24);
    return own_climate(std::move(file_name), line_25_of(true));
  }
  constexpr std::string_view kRule =
      "; en klimatfil anges med sitt namn ensamt på raden: högst 20 tecken som slutar på .dat "
      "(med små bokstäver)";
  if (looks_like_file_name(*line_24)) {
    std::string message = where(kClimateFileLine) + ": " +
                          quoted_for_message(shown_from_windows1252(*line_24)) +
                          " ser ut som ett filnamn men är inget som beräkningen kan använda";
    if (const std::optional<FileNameFault> fault = file_name_fault(*line_24);
        fault && fault->kind == FileNameFault::Kind::control) {
      message += " (raden innehåller styrtecknet " + byte_code_text(fault->byte) + ")";
    }
    throw RunError(message + std::string(kRule));
  }
  const std::optional<std::string> line_25 = line_25_of(false);
  if (line_25 && looks_like_file_name(*line_25) && holds_number(*line_24)) {
    throw RunError(
        where(kClimateFileLine) +
        ": raden är ett tal men rad 25 ser ut som ett filnamn; rad 24 ska ha klimatfilens "
        "namn och rad 25 dess dimensionerande utetemperatur");
  }
  return std::nullopt;
}

// Typed design temperatures on lines 26 to 28. A keyword announces them: generated and stored
// files hold stray numbers after the 23rd line, which must keep changing nothing.
constexpr std::string_view kDesignTemperaturesKey = "SYSTEMTEMP";
constexpr int kHeatingSystemCodeLine = 18;
constexpr int kIndoorTempLine = 19;

std::string temperature_text(float value_c) {
  return shortest_text(value_c) + " °C";
}

// A design temperature's number line, which must be there once line 26 announces it.
float design_temperature(int line_number, const std::optional<std::string>& line,
                         std::string_view what) {
  if (!line) {
    throw RunError(where(line_number) + ": raden saknas; efter " +
                   std::string(kDesignTemperaturesKey) + " på rad " +
                   std::to_string(kDesignTemperaturesKeyLine) + " ska rad " +
                   std::to_string(kDesignSupplyTempLine) +
                   " ha värmesystemets dimensionerande framledningstemperatur och rad " +
                   std::to_string(kDesignReturnTempLine) + " dess returtemperatur");
  }
  const std::string field = field_text(*line, 1, kNumberWidth);
  if (field.find_first_not_of(' ') == std::string::npos) {
    throw RunError(where(line_number) + ": värmesystemets dimensionerande " + std::string(what) +
                   " saknas");
  }
  try {
    return read_real(field, 0);
  } catch (const ConversionError& e) {
    throw RunError(where(line_number) + ": " + e.what());
  }
}

// The typed pair against line 18's letter and the rule every typed pair keeps, each fault named
// by its line.
void require_design_temperatures(const DesignTemperatures& typed, const BoilerCase& input) {
  const DesignTemperatures& hot = kHeatingSystems.front().temperatures;
  if (input.heating_system == hot && typed != hot) {
    throw RunError(where(kHeatingSystemCodeLine) + ": koden " +
                   std::string(1, kHeatingSystems.front().code_letter) + " står för " +
                   design_temperatures_text(hot) + " men raderna " +
                   std::to_string(kDesignTemperaturesKeyLine) + "–" +
                   std::to_string(kDesignReturnTempLine) + " anger " +
                   design_temperatures_text(typed) + "; skriv " +
                   std::string(1, kHeatingSystems.back().code_letter) +
                   " på raden när egna temperaturer anges");
  }
  const std::optional<DesignTemperatureFault> fault =
      design_temperature_fault(typed, input.building.indoor_temp_c);
  if (!fault) {
    return;
  }
  switch (*fault) {
    case DesignTemperatureFault::supply_out_of_range:
      throw RunError(where(kDesignSupplyTempLine) +
                     ": den dimensionerande framledningstemperaturen " +
                     temperature_text(typed.supply_temp_c) + " ligger utanför " +
                     shortest_text(kLowestDesignSupplyTempC) + "–" +
                     temperature_text(kHighestDesignSupplyTempC));
    case DesignTemperatureFault::return_not_below_supply:
      throw RunError(where(kDesignReturnTempLine) + ": den dimensionerande returtemperaturen " +
                     temperature_text(typed.return_temp_c) +
                     " ligger inte under framledningstemperaturen " +
                     temperature_text(typed.supply_temp_c) + " på rad " +
                     std::to_string(kDesignSupplyTempLine));
    case DesignTemperatureFault::return_not_above_indoor:
      throw RunError(where(kDesignReturnTempLine) + ": den dimensionerande returtemperaturen " +
                     temperature_text(typed.return_temp_c) +
                     " ligger inte över inomhustemperaturen " +
                     temperature_text(input.building.indoor_temp_c) + " på rad " +
                     std::to_string(kIndoorTempLine));
  }
}

// Lines 26 to 28 into the case when line 26 holds the keyword; `line_of` gives a line by its
// number, called for 26, 27 and 28 in that order.
template <typename LineOf>
void take_design_temperatures(LineOf line_of, BoilerCase& input) {
  const std::optional<std::string> key = line_of(kDesignTemperaturesKeyLine, false);
  if (!key || !names_design_temperatures(*key)) {
    return;
  }
  DesignTemperatures typed;
  typed.supply_temp_c = design_temperature(
      kDesignSupplyTempLine, line_of(kDesignSupplyTempLine, true), "framledningstemperatur");
  typed.return_temp_c = design_temperature(kDesignReturnTempLine,
                                           line_of(kDesignReturnTempLine, true), "returtemperatur");
  require_design_temperatures(typed, input);
  input.heating_system = typed;
}

// A line after the 23rd as far as it can be read; such lines are never taken as more than that.
std::optional<std::string> extra_line(LineReader& reader) {
  try {
    return reader.next();
  } catch (const RunError&) {
    return std::nullopt;
  }
}

RunError missing_line(int line_number) {
  return RunError(where(line_number) + ": raden saknas; filen har bara " +
                  std::to_string(line_number - 1) + " rader av " +
                  std::to_string(kControlFileLines));
}

// One of the 23 lines into the case; a value that is no number is a fault of its line.
void take_line(const ControlLine& line, std::string_view text, BoilerCase& into) {
  try {
    read_control_line(line, text, into);
  } catch (const ConversionError& e) {
    throw RunError(where(line.line) + ": " + e.what());
  }
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
      [](const BoilerCase& c) {
        // An own climate file leaves the letter to the default row; line 24 decides.
        const auto* place = std::get_if<Place>(&c.climate);
        return std::string(1, climate_of(place ? *place : kClimates.back().place).code_letter);
      },
      [](BoilerCase& c, std::string_view t) { c.climate = place_from_code(t); }),
  text_line(18, "heating_system_code", ControlLineKind::code,
      [](const BoilerCase& c) {
        return std::string(1, heating_system_code_letter(c.heating_system));
      },
      [](BoilerCase& c, std::string_view t) {
        c.heating_system = design_temperatures(heating_system_from_code(t));
      }),
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

std::vector<std::string> control_file_lines(const BoilerCase& input) {
  std::vector<std::string> lines;
  for (const ControlLine& line : kControlLines) {
    lines.push_back(line.kind == ControlLineKind::number
                        ? number_line_text(line.field, line.number(input))
                        : line.text(input));
  }
  const bool typed_temperatures = !coded_heating_system(input.heating_system);
  if (const auto* own = std::get_if<OwnClimate>(&input.climate)) {
    lines.push_back(own->file_name);
    lines.push_back(number_line_text("design_outdoor_temp", own->design_outdoor_temp_c));
  } else if (typed_temperatures) {
    lines.resize(kDesignTemperaturesKeyLine - 1);
  }
  if (typed_temperatures) {
    lines.emplace_back(kDesignTemperaturesKey);
    lines.push_back(number_line_text("design_supply_temp", input.heating_system.supply_temp_c));
    lines.push_back(number_line_text("design_return_temp", input.heating_system.return_temp_c));
  }
  return lines;
}

bool names_climate_file(std::string_view line) {
  const std::string_view name = without_trailing_blanks(line.substr(0, kCodeWidth));
  return name.size() > kClimateFileSuffix.size() && name.ends_with(kClimateFileSuffix);
}

bool names_design_temperatures(std::string_view line) {
  return equal_ignoring_case(without_trailing_blanks(line.substr(0, kCodeWidth)),
                             kDesignTemperaturesKey);
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
                   platform::utf8_from_path(work_dir));
  }
  LineReader reader(path, std::string(kControlFileName));
  BoilerCase input;
  for (const ControlLine& line : kControlLines) {
    const std::optional<std::string> text = reader.next();
    if (!text) {
      throw missing_line(reader.line_number() + 1);
    }
    take_line(line, *text, input);
  }
  // Line 25 of an own climate file must be read; after any other line 24 it is only looked at.
  const auto line_25 = [&](bool needed) { return needed ? reader.next() : extra_line(reader); };
  if (std::optional<OwnClimate> own = own_climate_of(extra_line(reader), line_25)) {
    input.climate = std::move(*own);
  }
  take_design_temperatures(
      [&](int, bool needed) { return needed ? reader.next() : extra_line(reader); }, input);
  return input;
}

BoilerCase read_control_lines(std::span<const std::string> lines) {
  BoilerCase input;
  for (const ControlLine& line : kControlLines) {
    const auto index = static_cast<std::size_t>(line.line - 1);
    if (index >= lines.size()) {
      throw missing_line(line.line);
    }
    take_line(line, lines[index], input);
  }
  const auto line = [&](int number) {
    const auto index = static_cast<std::size_t>(number - 1);
    return index < lines.size() ? std::optional(lines[index]) : std::nullopt;
  };
  if (std::optional<OwnClimate> own = own_climate_of(
          line(kClimateFileLine), [&](bool) { return line(kDesignOutdoorTempLine); })) {
    input.climate = std::move(*own);
  }
  take_design_temperatures([&](int number, bool) { return line(number); }, input);
  return input;
}

}  // namespace varmkalk::core
