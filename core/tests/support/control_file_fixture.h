// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace varmkalk::testing {

// The 23 lines of a valid control file: a Stockholm house with a modulating condensing boiler.
inline std::vector<std::string> control_lines() {
  return {" 0.6", " 0.4", " 1.25", " 18000", " 5000", " 1.3", " 0",  " 38",
          " 40",  " 30",  " 62",   " 75",    " 60",   " 45",  " 75", " 7500",
          "C",    "B",    " 20",   " 20",    " 4000", " 45",  "h123"};
}

// The lines joined as the front end writes them, each ending in CR LF.
inline std::string control_text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return text;
}

}  // namespace varmkalk::testing
