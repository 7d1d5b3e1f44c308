// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/epw.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/climate_import/calendar.h"
#include "core/climate_import/day_gatherer.h"
#include "core/climate_import/field_values.h"
#include "core/climate_import/import_failure.h"
#include "core/climate_import/source_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

constexpr char kSeparator = ',';
constexpr bool kCommaAllowed = false;  // the comma separates the fields
constexpr std::string_view kFirstHeader = "LOCATION";
constexpr std::string_view kDataPeriodsHeader = "DATA PERIODS";
constexpr std::size_t kRecordsPerHourField = 2;
constexpr int kMostRecordsPerHour = 60;
// EnergyPlus marks a missing dry-bulb temperature so.
constexpr std::string_view kMissingTemperature = "99.9";
// Any leap year, so that 29 February reads as a date.
constexpr int kLeapYear = 2000;

constexpr std::array<std::string_view, 7> kFieldNames = {
    "år", "månad", "dag", "timme", "minut", "datakälla", "lufttemperatur"};
constexpr std::size_t kMonth = 1;
constexpr std::size_t kDay = 2;
constexpr std::size_t kHour = 3;
constexpr std::size_t kDryBulb = 6;

bool is_whole_number(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Reads the header lines up to DATA PERIODS, which must say that there is one row per hour.
void read_header(LineSplitter& lines, std::string_view name) {
  while (const std::optional<SourceLine> line = lines.next()) {
    const std::vector<std::string_view> fields = split_fields(line->text, kSeparator);
    if (is_whole_number(fields[0])) {
      fail(line_place(name, line->number) + ": timvärdena börjar före huvudraden \"" +
           std::string(kDataPeriodsHeader) + "\"");
    }
    if (fields[0] != kDataPeriodsHeader) {
      continue;
    }
    const std::string_view records =
        kRecordsPerHourField < fields.size() ? fields[kRecordsPerHourField] : std::string_view();
    const FieldPlace place{name, line->number, kRecordsPerHourField + 1, "värden per timme"};
    if (read_whole_number(records, 1, kMostRecordsPerHour, place) != 1) {
      fail(place.text() + ": " + quoted_for_message(records) +
           " värden per timme; bara filer med ett värde per timme kan läsas");
    }
    return;
  }
  fail(std::string(name) + ": huvudraden \"" + std::string(kDataPeriodsHeader) + "\" saknas");
}

}  // namespace

bool is_epw_first_line(std::string_view line) {
  return split_fields(line, kSeparator)[0] == kFirstHeader;
}

ClimateYear read_epw(std::string_view text, std::string_view name, const ImportOptions& options) {
  LineSplitter lines(text);
  return read_epw(lines, name, options);
}

ClimateYear read_epw(LineSplitter& lines, std::string_view name, const ImportOptions& options) {
  if (options.year) {
    fail(std::string(name) +
         ": en EPW-fil är ett typår som blandar år; den kan inte läsas som år " +
         std::to_string(*options.year));
  }
  read_header(lines, name);
  DayGatherer days(DayGatherer::Kind::typical_year, std::string(name), options);
  while (const std::optional<SourceLine> line = lines.next()) {
    if (trimmed(line->text).empty()) {
      continue;
    }
    const std::vector<std::string_view> fields = split_fields(line->text, kSeparator);
    if (fields.size() <= kDryBulb) {
      fail(line_place(name, line->number) + ": raden har " + std::to_string(fields.size()) +
           " fält, väntade minst " + std::to_string(kDryBulb + 1));
    }
    const auto place = [&](std::size_t i) {
      return FieldPlace{name, line->number, i + 1, kFieldNames[i]};
    };
    const int month = read_whole_number(fields[kMonth], 1, 12, place(kMonth));
    const int day =
        read_whole_number(fields[kDay], 1, days_in_month(kLeapYear, month), place(kDay));
    const int hour = read_whole_number(fields[kHour], 1, 24, place(kHour));
    std::optional<NanoCelsius> value;
    if (fields[kDryBulb] != kMissingTemperature) {
      value = read_temperature(fields[kDryBulb], kCommaAllowed, place(kDryBulb));
    }
    if (month == 2 && day == 29) {
      continue;
    }
    days.add(Date{0, month, day}, hour - 1, value, std::nullopt, line->number);
  }
  return days.finish();
}

}  // namespace varmkalk::core
