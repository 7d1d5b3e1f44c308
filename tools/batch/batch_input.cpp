// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/batch_input.h"

#include <algorithm>
#include <optional>

#include "core/case/climates.h"
#include "core/case/code_letter.h"
#include "core/case/heating_systems.h"
#include "core/climate_import/source_text.h"
#include "core/formats/control_file.h"
#include "core/text/fixed_format.h"
#include "core/text/number_text.h"
#include "core/text/utf8_text.h"
#include "tools/batch/header_columns.h"
#include "tools/batch/number_cells.h"

namespace varmkalk::batch {
namespace {

using core::quoted_for_message;

// More faulty cells than this are counted, not listed.
constexpr std::size_t kListedCellFaults = 10;
constexpr std::string_view kIdentityField = "calc_id";
constexpr std::string_view kHeatingSystemColumn = "heating_system_code";
std::optional<double> cost_number_of(std::string_view cell, const core::CostQuantity& quantity,
                                     std::string& fault) {
  return ranged_number_of(cell, quantity.min_value, quantity.max_value, quantity.unit, fault);
}

// The metered gas of a cell: empty for a blank cell, a number above 0 otherwise; or what is
// wrong with it.
std::optional<double> meter_reading_of(std::string_view cell, bool& blank, std::string& fault) {
  constexpr double kMostKwh = 1.0e9;  // far beyond any house's year
  std::string_view text = core::trimmed(cell);
  blank = text.empty();
  if (blank || !number_of(cell, fault)) {
    return std::nullopt;
  }
  const std::optional<double> value = double_of(cell, fault);
  if (!fault.empty()) {
    return std::nullopt;
  }
  if (!value || !(*value > 0.0) || *value > kMostKwh) {
    fault = quoted_for_message(core::trimmed(cell)) +
            " är ingen uppmätt gas; ange kWh över 0 och högst 1e9, eller lämna fältet tomt";
    return std::nullopt;
  }
  return value;
}

// The letters a code column takes, either case, each with what it stands for: every row of the
// column's table, the default row by its own letter too, so that no other text slips through to
// the default.
struct CodeLetter {
  char letter;
  std::string meaning;
};

std::vector<CodeLetter> code_letters(std::string_view field) {
  std::vector<CodeLetter> letters;
  if (field == "climate_code") {
    for (const core::Climate& climate : core::kClimates) {
      letters.push_back({climate.code_letter, std::string(climate.place_name)});
    }
  } else {
    for (const core::HeatingSystemDesign& design : core::kHeatingSystems) {
      letters.push_back({design.code_letter, core::design_temperatures_text(design.temperatures)});
    }
  }
  return letters;
}

// The cell's code letter in upper case, blanks and tabs around it dropped, or what is wrong
// with it.
std::optional<char> code_of(std::string_view field, std::string_view cell, std::string& fault) {
  const std::string_view text = core::trimmed(cell);
  const std::vector<CodeLetter> letters = code_letters(field);
  std::string accepted;
  for (const CodeLetter& code : letters) {
    if (text.size() == 1 && (text[0] == code.letter || text[0] == code.letter - 'A' + 'a')) {
      return code.letter;
    }
    accepted +=
        (accepted.empty() ? "" : ", ") + std::string(1, code.letter) + " (" + code.meaning + ")";
  }
  fault =
      (text.empty() ? std::string("fältet är tomt") : quoted_for_message(text) + " är ingen kod") +
      "; ange en av " + accepted;
  return std::nullopt;
}

std::string quoted_list(const std::vector<std::string_view>& names) {
  std::string list;
  for (const std::string_view name : names) {
    list += (list.empty() ? "" : ", ") + quoted_for_message(name);
  }
  return list;
}

using ColumnOf = BatchReader::ColumnOf;

std::vector<ColumnOf> columns_of(const core::CsvStream& table, std::string_view file_name) {
  const std::vector<std::string>& header = table.header();
  const auto place = [&](std::size_t column) {
    return core::csv_cell_place(file_name, table.header_line(), column, header);
  };
  const std::vector<std::string_view> names = batch_column_names();
  for (std::size_t column = 0; column < header.size(); ++column) {
    const std::string& name = header[column];
    if (name == kIdentityField) {
      throw BatchInputError(place(column) +
                            ": calc_id hör inte till en batchkörning, som inte skriver några "
                            "resultatfiler; ta bort kolumnen");
    }
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      throw BatchInputError(place(column) +
                            ": okänd kolumn; se kalvex-batch --help för kolumnernas namn");
    }
    const auto first = std::find(header.begin(), header.end(), name);
    if (first != header.begin() + static_cast<std::ptrdiff_t>(column)) {
      throw BatchInputError(place(column) + ": kolumnen finns redan som kolumn " +
                            std::to_string(first - header.begin() + 1));
    }
  }
  std::vector<ColumnOf> columns;
  std::vector<std::string_view> missing;
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind == core::ControlLineKind::identity) {
      continue;
    }
    const auto found = std::find(header.begin(), header.end(), line.field);
    if (found == header.end()) {
      missing.push_back(line.field);
    } else {
      columns.push_back({&line, static_cast<std::size_t>(found - header.begin())});
    }
  }
  column_pair(header, file_name, table.header_line(), kDesignSupplyColumn, kDesignReturnColumn,
              "de dimensionerande temperaturerna");
  if (!missing.empty()) {
    throw BatchInputError(
        core::message_safe(file_name) + ", rad " + std::to_string(table.header_line()) + ": " +
        (missing.size() == 1 ? "kolumnen " : "kolumnerna ") + quoted_list(missing) + " saknas");
  }
  return columns;
}

}  // namespace

std::vector<std::string_view> batch_column_names() {
  std::vector<std::string_view> names;
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind != core::ControlLineKind::identity) {
      names.push_back(line.field);
    }
  }
  names.push_back(kDesignSupplyColumn);
  names.push_back(kDesignReturnColumn);
  for (const core::CostQuantity& quantity : core::kCostQuantities) {
    names.push_back(quantity.key);
  }
  names.push_back(kMeterColumn);
  for (const std::string_view name : heat_pump_column_names()) {
    names.push_back(name);
  }
  names.push_back(kCaseColumn);
  return names;
}

BatchReader::BatchReader(core::ByteSource& source, std::string_view file_name)
    : table_(source, file_name), file_name_(file_name), columns_(columns_of(table_, file_name)) {
  const std::vector<std::string>& header = table_.header();
  for (const core::CostQuantity& quantity : core::kCostQuantities) {
    const auto found = std::find(header.begin(), header.end(), quantity.key);
    if (found != header.end()) {
      cost_columns_.push_back({&quantity, static_cast<std::size_t>(found - header.begin())});
    }
  }
  if (const auto found = std::find(header.begin(), header.end(), kMeterColumn);
      found != header.end()) {
    meter_column_ = static_cast<std::size_t>(found - header.begin());
  }
  // Checked with the rest of the header; here only found.
  if (const std::optional<ColumnPair> design =
          column_pair(header, file_name, table_.header_line(), kDesignSupplyColumn,
                      kDesignReturnColumn, "de dimensionerande temperaturerna")) {
    design_columns_ = DesignColumns{design->first, design->second};
  }
  heat_pump_columns_ = HeatPumpColumns::of(header, file_name, table_.header_line());
}

std::optional<core::DesignTemperatures> BatchReader::design_temperatures(const core::CsvRow& row) {
  if (!design_columns_) {
    return std::nullopt;
  }
  const std::string& supply = row.fields[design_columns_->supply];
  const std::string& back = row.fields[design_columns_->back];
  const bool supply_blank = core::trimmed(supply).empty();
  const bool back_blank = core::trimmed(back).empty();
  if (supply_blank && back_blank) {
    return std::nullopt;
  }
  if (supply_blank != back_blank) {
    const std::size_t empty = supply_blank ? design_columns_->supply : design_columns_->back;
    add_fault(row, empty,
              "fältet är tomt men " +
                  std::string(supply_blank ? kDesignReturnColumn : kDesignSupplyColumn) +
                  " är ifyllt; ange båda dimensionerande temperaturerna eller ingen av dem");
    return std::nullopt;
  }
  std::string supply_fault;
  std::string back_fault;
  const std::optional<float> supply_c = number_of(supply, supply_fault);
  const std::optional<float> back_c = number_of(back, back_fault);
  if (!supply_c) {
    add_fault(row, design_columns_->supply, supply_fault);
  }
  if (!back_c) {
    add_fault(row, design_columns_->back, back_fault);
  }
  if (!supply_c || !back_c) {
    return std::nullopt;
  }
  return core::DesignTemperatures{*supply_c, *back_c};
}

TableKind BatchReader::kind() const {
  if (meter_column_) {
    return TableKind::metered;
  }
  return cost_columns_.empty() ? TableKind::plain : TableKind::costed;
}

void BatchReader::add_fault(const core::CsvRow& row, std::size_t column, const std::string& fault) {
  if (++fault_count_ <= kListedCellFaults) {
    faults_.push_back(core::csv_cell_place(file_name_, row.line, column, table_.header()) + ": " +
                      fault);
  }
}

std::optional<BatchRow> BatchReader::next() {
  std::optional<core::CsvRow> row = table_.next();
  if (!row) {
    return std::nullopt;
  }
  // Member by member: g++ 12 at -O3 warns falsely (-Wmaybe-uninitialized) on the aggregate.
  BatchRow read;
  read.row = std::move(*row);
  const std::optional<core::DesignTemperatures> typed = design_temperatures(read.row);
  // In the control file's line order, so that the burner's two powers meet as they do there.
  for (const ColumnOf& column : columns_) {
    const std::string& cell = read.row.fields[column.column];
    std::string fault;
    if (typed && column.line->field == kHeatingSystemColumn) {
      // Beside typed temperatures the code is left out or is the letter the writer gives them.
      const char letter = core::heating_system_code_letter(*typed);
      const std::string_view text = core::trimmed(cell);
      if (text.empty() || core::is_code_letter(text, letter)) {
        continue;
      }
      fault = quoted_for_message(text) + " står inte för " +
              core::design_temperatures_text(*typed) + "; lämna fältet tomt eller ange " +
              std::string(1, letter);
    } else if (column.line->kind == core::ControlLineKind::code) {
      if (const std::optional<char> letter = code_of(column.line->field, cell, fault)) {
        column.line->set_text(read.input, std::string_view(&*letter, 1));
        continue;
      }
    } else if (const std::optional<float> value = number_of(cell, fault)) {
      column.line->set_number(read.input, *value);
      continue;
    }
    add_fault(read.row, column.column, fault);
  }
  if (typed) {
    read.input.heating_system = *typed;
  }
  for (const CostColumnOf& column : cost_columns_) {
    std::string fault;
    if (const std::optional<double> value =
            cost_number_of(read.row.fields[column.column], *column.quantity, fault)) {
      read.prices.*column.quantity->member = *value;
    } else {
      add_fault(read.row, column.column, fault);
    }
  }
  if (meter_column_) {
    bool blank = false;
    std::string fault;
    read.metered_gas_kwh = meter_reading_of(read.row.fields[*meter_column_], blank, fault);
    if (!read.metered_gas_kwh && !blank) {
      add_fault(read.row, *meter_column_, fault);
    }
  }
  if (heat_pump_columns_) {
    read.heat_pump = heat_pump_columns_->read(
        read.row,
        [&](std::size_t column, const std::string& fault) { add_fault(read.row, column, fault); });
  }
  return read;
}

void BatchReader::throw_cell_faults() const {
  if (fault_count_ == 0) {
    return;
  }
  std::string message;
  // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) on "text" + std::string&&.
  for (const std::string& fault : faults_) {
    if (!message.empty()) {
      message += '\n';
    }
    message += fault;
  }
  if (fault_count_ > faults_.size()) {
    message += '\n';
    message += core::message_safe(file_name_);
    message += ": och ";
    message += std::to_string(fault_count_ - faults_.size());
    message += " fel till av samma slag";
  }
  throw BatchInputError(message);
}

BatchInput read_batch_input(std::string_view bytes, std::string_view file_name) {
  core::MemoryByteSource source(bytes);
  BatchReader reader(source, file_name);
  BatchInput input{reader.header(), reader.kind(), reader.has_heat_pump(), {}};
  while (std::optional<BatchRow> row = reader.next()) {
    input.rows.push_back(std::move(*row));
  }
  reader.throw_cell_faults();
  return input;
}

}  // namespace varmkalk::batch
