// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "core/climate_import/climate_year.h"

namespace varmkalk::core {

// How a source is read.
struct ImportOptions {
  std::string source_name;     // the source's name in messages, usually its file name
  std::optional<int> year;     // the calendar year to take; none: the source's only year
  bool allow_suspect = false;  // also take SMHI values of quality Y (suspect)
};

// Why a source gave no year: one line of Swedish in UTF-8 that names the source, and the line
// and field where that applies.
struct ImportError {
  std::string message;
  bool year_needed = false;      // the source covers several years and none was chosen
  bool suspect_refused = false;  // values of quality Y were refused; they may be allowed
};

using ImportResult = std::variant<ClimateYear, ImportError>;

}  // namespace varmkalk::core
