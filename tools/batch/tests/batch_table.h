// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/control_file.h"
#include "core/formats/csv_table.h"
#include "core/text/number_text.h"
#include "tools/batch/batch_input.h"

namespace varmkalk::batch {

// The cases as kalvex-batch's input: every control-file column of batch_column_names() as the
// control file writes it, none of the optional columns of cost. With `case_names`, one for each
// case, the case column comes first; without them the table has none. The columns of the design
// temperatures come last where a case has a pair of its own, filled only on its rows, or with
// `typed_systems` on every row, the code cell then left empty.
inline std::string batch_table(const std::vector<core::BoilerCase>& cases,
                               const std::vector<std::string>& case_names = {},
                               bool typed_systems = false) {
  const auto own_pair = [&](const core::BoilerCase& input) {
    return typed_systems || !core::coded_heating_system(input.heating_system);
  };
  const bool design_columns = std::any_of(cases.begin(), cases.end(), own_pair);
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
  if (design_columns) {
    header.emplace_back(kDesignSupplyColumn);
    header.emplace_back(kDesignReturnColumn);
  }
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
      row.push_back(typed_systems && column == "heating_system_code"
                        ? std::string()
                        : cell.substr(cell.find_first_not_of(' ')));
    }
    if (design_columns) {
      const bool own = own_pair(cases[i]);
      row.push_back(own ? core::shortest_text(cases[i].heating_system.supply_temp_c) : "");
      row.push_back(own ? core::shortest_text(cases[i].heating_system.return_temp_c) : "");
    }
    text += core::csv_record(row);
  }
  return text;
}

}  // namespace varmkalk::batch
