// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/import_result.h"
#include "core/climate_import/source_text.h"

namespace varmkalk::core {

// A plain table of daily means, one day per line: an ISO date YYYY-MM-DD and the temperature,
// separated by a semicolon, a comma or a tab; a decimal point, or a decimal comma where the
// comma does not separate the fields; one header line may come first. A day without a
// temperature is missing.

// Whether the text begins as such a table.
bool looks_like_plain_csv(std::string_view text);

// The chosen year. Throws ImportFailure; `name` as shown_name gives it.
ClimateYear read_plain_csv(std::string_view text, std::string_view name,
                           const ImportOptions& options);
ClimateYear read_plain_csv(LineSplitter& lines, std::string_view name,
                           const ImportOptions& options);

}  // namespace varmkalk::core
