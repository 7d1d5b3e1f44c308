// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/batch_input.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/case/climates.h"
#include "core/case/code_letter.h"
#include "core/case/heating_systems.h"
#include "core/climate_import/source_text.h"
#include "core/formats/control_file.h"
#include "core/text/fixed_field.h"
#include "core/text/fixed_format.h"
#include "core/text/number_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::batch {
namespace {

using core::quoted_for_message;

// More faulty cells than this are counted, not listed.
constexpr std::size_t kListedCellFaults = 10;
constexpr std::string_view kIdentityField = "calc_id";
constexpr std::string_view kHeatingSystemColumn = "heating_system_code";
// Far more characters than a float's digits need; a longer cell is no number someone wrote.
constexpr std::size_t kLongestNumber = 64;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Whether the text is a plain decimal number: an optional sign, digits with at most one
// decimal point, an optional exponent of e or E and an optionally signed integer.
bool is_decimal_number(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && is_digit(text[i])) {
      ++i;
    }
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  std::size_t mantissa_digits = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa_digits += digits();
  }
  if (mantissa_digits == 0) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      ++i;
    }
    if (digits() == 0) {
      return false;
    }
  }
  return i == text.size();
}

// Whether the text is digits grouped by commas in threes, as a thousands separator groups them:
// "2,000", "-1,234,567.5".
bool is_grouped_by_commas(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    text.remove_prefix(1);
  }
  text = text.substr(0, text.find('.'));
  const std::size_t first = text.find(',');
  if (first == 0 || first > 3 || first == std::string_view::npos) {
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool comma_place = i >= first && (i - first) % 4 == 0;
    if (comma_place ? text[i] != ',' : !is_digit(text[i])) {
      return false;
    }
  }
  return (text.size() - first) % 4 == 0;
}

// What to write instead of a number with commas or blanks in it. A comma may be a decimal
// comma or a thousands separator: "2,000" read the one way is 2000, the other 2, so both are
// named rather than a guess that would make 2000 into 2.
std::string how_to_write(std::string_view text) {
  std::string without_commas(text);
  std::erase(without_commas, ',');
  std::string with_point(text);
  std::replace(with_point.begin(), with_point.end(), ',', '.');
  if (is_grouped_by_commas(text)) {
    if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos) {
      return "; skriv " + without_commas + " om kommatecknet skiljer tusental, " + with_point +
             " om det är ett decimaltecken";
    }
    return "; skriv talet utan tusentalsavgränsare: " + without_commas;
  }
  if (text.find(',') != std::string_view::npos) {
    return "; skriv decimaltecknet som punkt";
  }
  // Digits grouped by blanks, "2 000"; not a unit after a number, "18000 W".
  if (text.find_first_of(" \t") != std::string_view::npos &&
      text.find_first_not_of("0123456789 \t.+-") == std::string_view::npos) {
    return "; skriv talet utan mellanslag";
  }
  return {};
}

// A cell that reads as a number but not as a double: beyond the largest double, or so close to 0
// that it would be read as 0, which was hardly meant.
std::string out_of_double_range(std::string_view text) {
  const std::size_t exponent = text.find_first_of("eE");
  const bool tiny =
      exponent != std::string_view::npos && exponent + 1 < text.size() && text[exponent + 1] == '-';
  return quoted_for_message(text) +
         (tiny ? " är så nära 0 att det inte går att räkna med; skriv 0 om det är menat"
               : " är för stort för ett tal");
}

// The cell's number, the float the control file's reader makes of the same digits, or what is
// wrong with it.
std::optional<float> number_of(std::string_view cell, std::string& fault) {
  // Blanks and tabs around a cell do not count.
  const std::string_view text = core::trimmed(cell);
  if (text.empty()) {
    fault = "fältet är tomt; ett tal behövs";
    return std::nullopt;
  }
  if (text.size() > kLongestNumber) {
    fault = "talet är " + std::to_string(text.size()) + " tecken långt; högst " +
            std::to_string(kLongestNumber) + " tecken godtas";
    return std::nullopt;
  }
  if (!is_decimal_number(text)) {
    fault = quoted_for_message(text) + " är inget tal" + how_to_write(text);
    return std::nullopt;
  }
  try {
    return core::read_real(text, 0);
  } catch (const core::ConversionError&) {
    fault = quoted_for_message(text) + " är för stort för ett tal";
    return std::nullopt;
  }
}

// The cell's number for a cost column, read to the nearest double, or what is wrong with it.
// The double a number cell holds, a leading '+' allowed: empty for text that is no whole number,
// and with `fault` set for one beyond the range of doubles.
std::optional<double> double_of(std::string_view cell, std::string& fault) {
  std::string_view text = core::trimmed(cell);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    fault = out_of_double_range(core::trimmed(cell));
    return std::nullopt;
  }
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> cost_number_of(std::string_view cell, const core::CostQuantity& quantity,
                                     std::string& fault) {
  if (!number_of(cell, fault)) {
    return std::nullopt;
  }
  const std::optional<double> value = double_of(cell, fault);
  if (!fault.empty()) {
    return std::nullopt;
  }
  if (!value || *value < quantity.min_value || *value > quantity.max_value) {
    // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) on "text" + std::string&&.
    fault = quoted_for_message(core::trimmed(cell));
    fault += " ligger utanför ";
    fault += core::shortest_text(float(quantity.min_value));
    fault += "–";
    fault += core::shortest_text(float(quantity.max_value));
    if (!quantity.unit.empty()) {
      fault += ' ';
      fault += quantity.unit;
    }
    return std::nullopt;
  }
  return value;
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
  const auto has = [&](std::string_view name) {
    return std::find(header.begin(), header.end(), name) != header.end();
  };
  if (has(kDesignSupplyColumn) != has(kDesignReturnColumn)) {
    const std::string_view present =
        has(kDesignSupplyColumn) ? kDesignSupplyColumn : kDesignReturnColumn;
    const std::string_view absent =
        has(kDesignSupplyColumn) ? kDesignReturnColumn : kDesignSupplyColumn;
    throw BatchInputError(
        place(static_cast<std::size_t>(std::find(header.begin(), header.end(), present) -
                                       header.begin())) +
        ": kolumnen " + quoted_for_message(absent) +
        " saknas; de dimensionerande temperaturerna anges i två kolumner tillsammans");
  }
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
  const auto supply = std::find(header.begin(), header.end(), kDesignSupplyColumn);
  const auto back = std::find(header.begin(), header.end(), kDesignReturnColumn);
  if (supply != header.end() && back != header.end()) {
    design_columns_ = DesignColumns{static_cast<std::size_t>(supply - header.begin()),
                                    static_cast<std::size_t>(back - header.begin())};
  }
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
  BatchRow read{std::move(*row), {}, core::default_cost_inputs(), std::nullopt};
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
  BatchInput input{reader.header(), reader.kind(), {}};
  while (std::optional<BatchRow> row = reader.next()) {
    input.rows.push_back(std::move(*row));
  }
  reader.throw_cell_faults();
  return input;
}

}  // namespace varmkalk::batch
