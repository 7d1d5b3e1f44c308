// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/daily_line.h"

namespace varmkalk::core {

// The values of one daily line as read back, in the order of kDailyColumns; empty where the
// field held asterisks, the writer's mark for a value too wide for its column.
struct DailyFileLine {
  std::array<std::optional<float>, kDailyFieldCount> values;

  const std::optional<float>& operator[](DailyField field) const {
    return values[static_cast<std::size_t>(field)];
  }
};

// More lines than any year of days: a larger file is no daily file of the engine's.
inline constexpr int kMostDailyLines = 100000;

// One daily line without its line end. Throws ConversionError whose text starts with the columns
// of a field that is neither a number nor asterisks, or says that the line has the wrong length.
DailyFileLine parse_daily_line(std::string_view line);

// The lines of a daily result file (xxxx.dat or xxxxsum_c.dat) in file order. Throws RunError
// naming the file (as `name`), the line and the columns of what is wrong; a file that is not a
// regular file or holds more than kMostDailyLines lines is refused.
std::vector<DailyFileLine> read_daily_file(const std::filesystem::path& path,
                                           const std::string& name);

}  // namespace varmkalk::core
