// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace varmkalk::core {

// The radiator system by its design supply and return temperatures.
enum class HeatingSystem { radiators_80_60, radiators_55_45 };

struct HeatingSystemDesign {
  HeatingSystem system;
  char code_letter;  // the control file's letter, in upper case; the last row is the default
  float supply_temp_c;
  float return_temp_c;
  std::string_view report_line;  // UTF-8
};

inline constexpr std::array<HeatingSystemDesign, 2> kHeatingSystems = {{
    {HeatingSystem::radiators_80_60, 'A', 80.0f, 60.0f,
     "- Värmesystemet är dimensionerat för 80 och 60 C"},
    {HeatingSystem::radiators_55_45, 'B', 55.0f, 45.0f,
     "- Värmesystemet är dimensionerat för 55 och 45 C"},
}};

const HeatingSystemDesign& heating_system_design(HeatingSystem system);

// "A" or "a" (trailing blanks dropped) is the 80/60 °C system; anything else 55/45 °C.
HeatingSystem heating_system_from_code(std::string_view code_text);

}  // namespace varmkalk::core
