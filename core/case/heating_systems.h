// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::core {

// The temperatures a heating system is dimensioned for: its supply and return at the design
// outdoor temperature, °C.
struct DesignTemperatures {
  float supply_temp_c = 55.0f;
  float return_temp_c = 45.0f;

  friend bool operator==(const DesignTemperatures&, const DesignTemperatures&) = default;
};

// The two radiator systems the control file names by a letter.
enum class HeatingSystem { radiators_80_60, radiators_55_45 };

struct HeatingSystemDesign {
  HeatingSystem system;
  char code_letter;  // the control file's letter, in upper case; the last row is the default
  DesignTemperatures temperatures;
};

inline constexpr std::array<HeatingSystemDesign, 2> kHeatingSystems = {{
    {HeatingSystem::radiators_80_60, 'A', {80.0f, 60.0f}},
    {HeatingSystem::radiators_55_45, 'B', {55.0f, 45.0f}},
}};

const HeatingSystemDesign& heating_system_design(HeatingSystem system);

inline DesignTemperatures design_temperatures(HeatingSystem system) {
  return heating_system_design(system).temperatures;
}

// "A" or "a" (trailing blanks dropped) is the 80/60 °C system; anything else 55/45 °C.
HeatingSystem heating_system_from_code(std::string_view code_text);

// The lettered system dimensioned for exactly these temperatures, if there is one.
std::optional<HeatingSystem> coded_heating_system(const DesignTemperatures& temperatures);

// The control file's letter for the temperatures: the lettered system's, else the default's, so
// that a program that knows only the letters computes the default system rather than 80/60.
char heating_system_code_letter(const DesignTemperatures& temperatures);

// The summary report's line, "- Värmesystemet är dimensionerat för 45 och 35 C" (UTF-8); whole
// degrees as integers, any other value as its shortest text with a point.
std::string heating_system_report_line(const DesignTemperatures& temperatures);

// The temperatures of a report line, when the line is exactly what heating_system_report_line
// writes for them.
std::optional<DesignTemperatures> design_temperatures_of_report_line(std::string_view line);

// "45/35 °C", as messages and tables name the system.
std::string design_temperatures_text(const DesignTemperatures& temperatures);

// Typed temperatures: a supply from floor heating's to the hottest radiators', a return below the
// supply and above the room, which the radiator formula's logarithm needs.
inline constexpr float kLowestDesignSupplyTempC = 25.0f;
inline constexpr float kHighestDesignSupplyTempC = 95.0f;

enum class DesignTemperatureFault {
  supply_out_of_range,
  return_not_below_supply,
  return_not_above_indoor
};

std::optional<DesignTemperatureFault> design_temperature_fault(
    const DesignTemperatures& temperatures, float indoor_temp_c);

}  // namespace varmkalk::core
