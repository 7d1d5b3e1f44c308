// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/header_columns.h"

#include <algorithm>

#include "core/formats/csv_table.h"
#include "core/text/utf8_text.h"
#include "tools/batch/batch_input.h"

namespace varmkalk::batch {

std::optional<std::size_t> column_of(std::span<const std::string> header, std::string_view name) {
  const auto found = std::find(header.begin(), header.end(), name);
  return found == header.end() ? std::nullopt : std::optional<std::size_t>(found - header.begin());
}

std::optional<ColumnPair> column_pair(std::span<const std::string> header,
                                      std::string_view file_name, long header_line,
                                      std::string_view first, std::string_view second,
                                      std::string_view what) {
  const std::optional<std::size_t> a = column_of(header, first);
  const std::optional<std::size_t> b = column_of(header, second);
  if (a.has_value() != b.has_value()) {
    throw BatchInputError(core::csv_cell_place(file_name, header_line, a ? *a : *b, header) +
                          ": kolumnen " + core::quoted_for_message(a ? second : first) +
                          " saknas; " + std::string(what) + " anges i två kolumner tillsammans");
  }
  return a ? std::optional<ColumnPair>(ColumnPair{*a, *b}) : std::nullopt;
}

}  // namespace varmkalk::batch
