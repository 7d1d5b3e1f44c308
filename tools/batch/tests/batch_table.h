// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "tools/batch/batch_input.h"

namespace varmkalk::batch {

// The cases as kalvex-batch's input: every control-file column of batch_column_names() as the
// control file writes it, none of the optional columns of cost. With `case_names`, one for each
// case, the case column comes first; without them the table has none.
inline std::string batch_table(const std::vector<core::BoilerCase>& cases,
                               const std::vector<std::string>& case_names = {}) {
  std::vector<std::string_view> columns = batch_column_names();
  std::erase_if(columns, [](std::string_view column) {
    return std::none_of(core::kControlLines.begin(), core::kControlLines.end(),
                        [&](const core::ControlLine& l) { return l.field == column; });
  });
  std::vector<std::string> header;
  if (!case_names.empty()) {
    header.emplace_back(kCaseColumn);
  }
  header.insert(header.end(), columns.begin(), columns.end());
  std::string text = core::csv_record(header);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::vector<std::string> lines = core::control_file_lines(cases[i]);
    std::vector<std::string> row;
    if (!case_names.empty()) {
      row.push_back(case_names[i]);
    }
    for (const std::string_view column : columns) {
      const auto line = std::find_if(core::kControlLines.begin(), core::kControlLines.end(),
                                     [&](const core::ControlLine& l) { return l.field == column; });
      const std::string& cell = lines[static_cast<std::size_t>(line->line - 1)];
      row.push_back(cell.substr(cell.find_first_not_of(' ')));
    }
    text += core::csv_record(row);
  }
  return text;
}

}  // namespace varmkalk::batch
