// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/smhi_csv.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/climate_import/day_gatherer.h"
#include "core/climate_import/field_values.h"
#include "core/climate_import/import_failure.h"
#include "core/climate_import/source_text.h"

namespace varmkalk::core {
namespace {

constexpr char kSeparator = ';';
constexpr bool kCommaAllowed = true;  // a file saved again by a Swedish spreadsheet
constexpr std::string_view kParameterBlock = "Parameternamn";
constexpr std::string_view kTemperatureParameter = "Lufttemperatur";

constexpr std::array<std::string_view, 5> kDailyColumns = {
    "Från Datum Tid (UTC)", "Till Datum Tid (UTC)", "Representativt dygn", "Lufttemperatur",
    "Kvalitet"};
constexpr std::size_t kDailyDay = 2;
constexpr std::size_t kDailyTemperature = 3;
constexpr std::size_t kDailyQuality = 4;

constexpr std::array<std::string_view, 4> kHourlyColumns = {"Datum", "Tid (UTC)", "Lufttemperatur",
                                                            "Kvalitet"};
constexpr std::size_t kHourlyDate = 0;
constexpr std::size_t kHourlyTime = 1;
constexpr std::size_t kHourlyTemperature = 2;
constexpr std::size_t kHourlyQuality = 3;

// What sets one SMHI parameter's file apart.
struct Layout {
  std::span<const std::string_view> columns;
  std::size_t naming_columns;  // the first columns, which tell the layout from the others
  // SMHI's description of the parameter begins so; the daily minimum and maximum, for one, have
  // the same columns as the daily mean.
  std::string_view description_start;
  std::string_view parameter;  // for messages
};

// A plain table of two columns may well call its first column "Datum": the hourly layout is
// told by its first two.
constexpr Layout kDaily = {kDailyColumns, 1, "medelvärde 1 dygn",
                           "Lufttemperatur, medelvärde 1 dygn"};
constexpr Layout kHourly = {kHourlyColumns, 2, "momentanvärde",
                            "Lufttemperatur, momentanvärde, 1 gång/tim"};

bool names_layout(const std::vector<std::string_view>& fields, const Layout& layout) {
  return fields.size() >= layout.naming_columns &&
         std::equal(layout.columns.begin(), layout.columns.begin() + layout.naming_columns,
                    fields.begin());
}

// A parameter line, "Lufttemperatur;medelvärde 1 dygn, 1 gång/dygn, kl 00;celsius", must be
// the layout's parameter.
void check_parameter(const SourceLine& line, const Layout& layout, std::string_view name) {
  const std::vector<std::string_view> fields = split_fields(line.text, kSeparator);
  const std::string_view description = fields.size() > 1 ? fields[1] : std::string_view();
  if (fields[0] != kTemperatureParameter ||
      description.substr(0, layout.description_start.size()) != layout.description_start) {
    fail(line_place(name, line.number) + ": filen har parametern " +
         quoted_for_message(std::string(fields[0]) + ", " + std::string(description)) +
         ", inte \"" + std::string(layout.parameter) + "\"");
  }
}

// Reads up to and including the line of column names. The first of them names the layout; the
// others must follow as SMHI writes them.
void read_header(LineSplitter& lines, const Layout& layout, std::string_view name) {
  bool parameter_line_next = false;
  // Kept past the line it was read on.
  std::string parameter_text;
  std::optional<SourceLine> parameter_line;
  while (const std::optional<SourceLine> line = lines.next()) {
    const std::vector<std::string_view> fields = split_fields(line->text, kSeparator);
    if (parameter_line_next) {
      parameter_text = line->text;
      parameter_line = SourceLine{line->number, parameter_text};
    }
    parameter_line_next = fields[0] == kParameterBlock;
    if (!names_layout(fields, layout)) {
      continue;
    }
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
      const std::string_view found = i < fields.size() ? fields[i] : std::string_view();
      if (found != layout.columns[i]) {
        fail(FieldPlace{name, line->number, i + 1, {}}.text() + ": kolumnen heter " +
             quoted_for_message(found) + ", väntade \"" + std::string(layout.columns[i]) + "\"");
      }
    }
    // The daily minimum and maximum have the daily mean's columns: without its parameter block
    // a file cannot tell which it holds.
    if (!parameter_line) {
      fail(std::string(name) +
           ": SMHI:s parameterblock (raden \"Parameternamn;Beskrivning;Enhet\" och raden efter) "
           "saknas, så det går inte att se om värdena är \"" +
           std::string(layout.parameter) +
           "\" eller till exempel dygnets lägsta eller högsta temperatur; importera filen så "
           "som den hämtades från SMHI");
    }
    check_parameter(*parameter_line, layout, name);
    return;
  }
  fail(std::string(name) + ": raden med kolumnnamnen \"" + std::string(layout.columns[0]) + ";" +
       std::string(layout.columns[1]) + ";…\" saknas");
}

// The fields of a data row, at least as many as the layout has columns.
std::vector<std::string_view> row_fields(const SourceLine& line, const Layout& layout,
                                         std::string_view name) {
  std::vector<std::string_view> fields = split_fields(line.text, kSeparator);
  if (fields.size() < layout.columns.size()) {
    fail(line_place(name, line.number) + ": raden har " + std::to_string(fields.size()) +
         " fält, väntade minst " + std::to_string(layout.columns.size()));
  }
  return fields;
}

// The hour of a whole-hour time "HH:00:00".
int read_hour(std::string_view field, const FieldPlace& place) {
  const auto digit = [&](std::size_t i) { return field[i] >= '0' && field[i] <= '9'; };
  if (field.size() != 8 || field.substr(2) != ":00:00" || !digit(0) || !digit(1) ||
      (field[0] - '0') * 10 + (field[1] - '0') > 23) {
    fail(place.text() + ": " + quoted_for_message(field) +
         " är ingen hel timme (väntade TT:00:00)");
  }
  return (field[0] - '0') * 10 + (field[1] - '0');
}

}  // namespace

bool is_smhi_daily_header(std::string_view line) {
  return names_layout(split_fields(line, kSeparator), kDaily);
}

bool is_smhi_hourly_header(std::string_view line) {
  return names_layout(split_fields(line, kSeparator), kHourly);
}

ClimateYear read_smhi_daily(std::string_view text, std::string_view name,
                            const ImportOptions& options) {
  LineSplitter lines(text);
  return read_smhi_daily(lines, name, options);
}

ClimateYear read_smhi_daily(LineSplitter& lines, std::string_view name,
                            const ImportOptions& options) {
  read_header(lines, kDaily, name);
  DayGatherer days(DayGatherer::Kind::daily, std::string(name), options);
  while (const std::optional<SourceLine> line = lines.next()) {
    if (trimmed(line->text).empty()) {
      continue;
    }
    const std::vector<std::string_view> fields = row_fields(*line, kDaily, name);
    const auto place = [&](std::size_t i) {
      return FieldPlace{name, line->number, i + 1, kDailyColumns[i]};
    };
    const Date day = read_date(fields[kDailyDay], place(kDailyDay));
    const NanoCelsius value =
        read_temperature(fields[kDailyTemperature], kCommaAllowed, place(kDailyTemperature));
    days.add(day, 0, value, fields[kDailyQuality], line->number);
  }
  return days.finish();
}

ClimateYear read_smhi_hourly(std::string_view text, std::string_view name,
                             const ImportOptions& options) {
  LineSplitter lines(text);
  return read_smhi_hourly(lines, name, options);
}

ClimateYear read_smhi_hourly(LineSplitter& lines, std::string_view name,
                             const ImportOptions& options) {
  read_header(lines, kHourly, name);
  DayGatherer days(DayGatherer::Kind::hourly_utc, std::string(name), options);
  while (const std::optional<SourceLine> line = lines.next()) {
    if (trimmed(line->text).empty()) {
      continue;
    }
    const std::vector<std::string_view> fields = row_fields(*line, kHourly, name);
    const auto place = [&](std::size_t i) {
      return FieldPlace{name, line->number, i + 1, kHourlyColumns[i]};
    };
    const Date day = read_date(fields[kHourlyDate], place(kHourlyDate));
    const int hour = read_hour(fields[kHourlyTime], place(kHourlyTime));
    const NanoCelsius value =
        read_temperature(fields[kHourlyTemperature], kCommaAllowed, place(kHourlyTemperature));
    days.add(day, hour, value, fields[kHourlyQuality], line->number);
  }
  return days.finish();
}

}  // namespace varmkalk::core
