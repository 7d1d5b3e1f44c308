// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/daily_file_reader.h"

#include <system_error>

#include "core/files/line_reader.h"
#include "core/files/run_error.h"
#include "core/text/fixed_field.h"

namespace varmkalk::core {
namespace {

std::string columns_of(const DailyColumn& column) {
  return "kolumn " + std::to_string(column.first_column) + "–" +
         std::to_string(column.first_column + column.width - 1);
}

// A field of only asterisks (blanks around them allowed).
bool is_asterisks(std::string_view field) {
  const std::string_view text = without_outer_blanks(field);
  return !text.empty() && text.find_first_not_of('*') == std::string_view::npos;
}

std::optional<float> read_field(std::string_view line, const DailyColumn& column) {
  const std::string text = field_text(line, column.first_column, column.width);
  if (is_asterisks(text)) {
    return std::nullopt;
  }
  // A blank field would read as 0; the writer never leaves one.
  if (text.find_first_not_of(' ') == std::string::npos) {
    throw ConversionError(columns_of(column) + ": fältet för " + std::string(column.label) +
                          " är tomt");
  }
  try {
    if (column.field == DailyField::day) {
      return static_cast<float>(read_integer(text));
    }
    return read_real(text, column.decimals);
  } catch (const ConversionError& e) {
    throw ConversionError(columns_of(column) + ": " + e.what());
  }
}

}  // namespace

DailyFileLine parse_daily_line(std::string_view line) {
  if (line.size() != static_cast<std::size_t>(kDailyLineLength)) {
    throw ConversionError("raden har " + std::to_string(line.size()) + " tecken, en dagsrad har " +
                          std::to_string(kDailyLineLength));
  }
  DailyFileLine parsed;
  for (const DailyColumn& column : kDailyColumns) {
    parsed.values[static_cast<std::size_t>(column.field)] = read_field(line, column);
  }
  return parsed;
}

std::vector<DailyFileLine> read_daily_file(const std::filesystem::path& path,
                                           const std::string& name) {
  std::error_code error;
  // A pipe or a device could block the reading or never end.
  if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error)) {
    throw RunError(name + ": är ingen vanlig fil");
  }
  LineReader reader(path, name);
  std::vector<DailyFileLine> lines;
  while (const std::optional<std::string> line = reader.next()) {
    if (reader.line_number() > kMostDailyLines) {
      throw RunError(name + ": filen har fler än " + std::to_string(kMostDailyLines) +
                     " rader och är ingen dagsfil");
    }
    try {
      lines.push_back(parse_daily_line(*line));
    } catch (const ConversionError& e) {
      throw RunError(name + ", rad " + std::to_string(reader.line_number()) + ", " + e.what());
    }
  }
  return lines;
}

}  // namespace varmkalk::core
