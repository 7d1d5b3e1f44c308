// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/plain_csv.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/climate_import/calendar.h"
#include "core/climate_import/day_gatherer.h"
#include "core/climate_import/field_values.h"
#include "core/climate_import/import_failure.h"
#include "core/climate_import/source_text.h"

namespace varmkalk::core {
namespace {

constexpr std::string_view kSeparators = ";,\t";
constexpr std::size_t kIsoDateLength = 10;
constexpr std::size_t kDate = 0;
constexpr std::size_t kTemperature = 1;
constexpr std::size_t kColumns = 2;
constexpr std::array<std::string_view, kColumns> kColumnNames = {"datum", "temperatur"};

// A field without the double quotes a spreadsheet may put around it.
std::string_view unquoted(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    return trimmed(field.substr(1, field.size() - 2));
  }
  return field;
}

// The separator of a line that begins with a date, or none when the line does not.
std::optional<char> data_separator(std::string_view line) {
  line = trimmed(line);
  if (!line.empty() && line.front() == '"') {
    line.remove_prefix(1);
  }
  if (!parse_iso_date(line.substr(0, kIsoDateLength))) {
    return std::nullopt;
  }
  const std::size_t next = line.find_first_not_of(" \"", kIsoDateLength);
  if (next == std::string_view::npos || kSeparators.find(line[next]) == std::string_view::npos) {
    return std::nullopt;
  }
  return line[next];
}

// The first line that is not empty.
std::optional<SourceLine> next_with_text(LineSplitter& lines) {
  std::optional<SourceLine> line;
  do {
    line = lines.next();
  } while (line && trimmed(line->text).empty());
  return line;
}

}  // namespace

bool looks_like_plain_csv(std::string_view text) {
  LineSplitter lines(text);
  for (int i = 0; i < 2; ++i) {
    const std::optional<SourceLine> line = next_with_text(lines);
    if (line && data_separator(line->text)) {
      return true;
    }
  }
  return false;
}

ClimateYear read_plain_csv(std::string_view text, std::string_view name,
                           const ImportOptions& options) {
  LineSplitter lines(text);
  return read_plain_csv(lines, name, options);
}

ClimateYear read_plain_csv(LineSplitter& lines, std::string_view name,
                           const ImportOptions& options) {
  std::optional<SourceLine> line = next_with_text(lines);
  if (line && !data_separator(line->text)) {
    line = next_with_text(lines);  // past the header
  }
  if (!line) {
    fail(std::string(name) + ": filen har inga temperaturvärden");
  }
  const std::optional<char> separator = data_separator(line->text);
  if (!separator) {
    fail(line_place(name, line->number) +
         ": väntade ett datum ÅÅÅÅ-MM-DD, ett semikolon, ett kommatecken eller en tabb, och en "
         "temperatur");
  }
  DayGatherer days(DayGatherer::Kind::daily, std::string(name), options);
  for (; line; line = next_with_text(lines)) {
    std::vector<std::string_view> fields = split_fields(line->text, *separator);
    for (std::string_view& field : fields) {
      field = unquoted(field);
    }
    while (fields.size() > kColumns && fields.back().empty()) {
      fields.pop_back();
    }
    if (fields.size() != kColumns) {
      fail(line_place(name, line->number) + ": raden har " + std::to_string(fields.size()) +
           " fält, väntade två: datum och temperatur" +
           (*separator == ',' ? " (ett decimalkomma kräver semikolon mellan fälten)" : ""));
    }
    const auto place = [&](std::size_t i) {
      return FieldPlace{name, line->number, i + 1, kColumnNames[i]};
    };
    const Date date = read_date(fields[kDate], place(kDate));
    std::optional<NanoCelsius> value;
    if (!fields[kTemperature].empty()) {
      value = read_temperature(fields[kTemperature], *separator != ',', place(kTemperature));
    }
    days.add(date, 0, value, std::nullopt, line->number);
  }
  return days.finish();
}

}  // namespace varmkalk::core
