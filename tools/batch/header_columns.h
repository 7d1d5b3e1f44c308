// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varmkalk::batch {

// Where the header names a column, if it does.
std::optional<std::size_t> column_of(std::span<const std::string> header, std::string_view name);

// Two columns that come together.
struct ColumnPair {
  std::size_t first;
  std::size_t second;
};

// Where the header names both columns, or nothing where it names neither. Throws
// BatchInputError, placed at the one it names, for one without the other: "kolumnen "…" saknas;
// `what` anges i två kolumner tillsammans".
std::optional<ColumnPair> column_pair(std::span<const std::string> header,
                                      std::string_view file_name, long header_line,
                                      std::string_view first, std::string_view second,
                                      std::string_view what);

}  // namespace varmkalk::batch
