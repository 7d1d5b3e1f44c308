// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <variant>

#include "core/climate_import/import_result.h"

namespace varmkalk::core {

// The kinds of source the import reads.
enum class SourceFormat {
  smhi_daily,   // SMHI open data, daily mean air temperature
  smhi_hourly,  // SMHI open data, hourly air temperature
  epw,          // EnergyPlus weather file, a typical year
  plain_csv     // a plain table of dates and daily means
};

// The format in Swedish, for the user: "SMHI, dygnsmedeltemperatur".
std::string_view format_description(SourceFormat format);

// SMHI's header block before the column names is a few dozen lines even for a station with a
// long history; looking no further keeps the detection quick on large files.
inline constexpr long kLinesBeforeSmhiColumns = 200;

// The format of a source told from its text (UTF-8, as decode_source_text gives it), not from
// its name; an error naming the source by `name` and listing the formats there are when it is
// none of them.
std::variant<SourceFormat, ImportError> detect_source_format(std::string_view text,
                                                             std::string_view name);

}  // namespace varmkalk::core
