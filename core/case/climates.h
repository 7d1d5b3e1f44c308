// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace varmkalk::core {

// The six places the engine has a year of daily outdoor temperatures for.
enum class Place { malmo, jonkoping, stockholm, falun, ostersund, kiruna };

struct Climate {
  Place place;
  char code_letter;  // the control file's letter, in upper case; the last row is the default
  std::string_view file_name;
  float design_outdoor_temp_c;   // where the building needs its design heat demand
  std::string_view place_name;   // UTF-8
  std::string_view report_line;  // the summary report's line for the place (UTF-8)
};

inline constexpr std::array<Climate, 6> kClimates = {{
    {Place::malmo, 'A', "malmo.dat", -14.0f, "Malmö", "- Malmös klimat har använts"},
    {Place::jonkoping, 'B', "jkping.dat", -22.0f, "Jönköping", "- Jönköpings klimat har använts"},
    {Place::stockholm, 'C', "sthlm.dat", -18.0f, "Stockholm", "- Stockholms klimat har använts"},
    {Place::falun, 'D', "falun.dat", -26.0f, "Falun", "- Faluns klimat har använts"},
    {Place::ostersund, 'E', "ostersnd.dat", -28.0f, "Östersund", "- Östersunds klimat har använts"},
    {Place::kiruna, 'F', "kiruna.dat", -29.0f, "Kiruna", "- Kirunas klimat har använts"},
}};

const Climate& climate_of(Place place);

// The place a control file's climate text selects: the letters A to E of the first five rows, in
// either case, when the text with its trailing blanks dropped is exactly that letter; anything
// else is Kiruna.
Place place_from_code(std::string_view code_text);

}  // namespace varmkalk::core
