// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/climate_import/calendar.h"
#include "core/climate_import/climate_year.h"
#include "core/climate_import/exact_decimal.h"
#include "core/climate_import/import_result.h"

namespace varmkalk::core {

// Gathers a source's values into the days of one year and makes them daily means. The year is
// the chosen one, or the source's only one; values of other years are only counted.
class DayGatherer {
 public:
  enum class Kind {
    daily,        // one value per calendar day
    hourly_utc,   // 24 values per UTC calendar day, hours 0–23
    typical_year  // 24 values per month and day of a typical year, 29 February not among them
  };

  // `name` as shown_name gives it.
  DayGatherer(Kind kind, std::string name, const ImportOptions& options);

  // The value of `hour` (0 for daily values; 0–23 for hourly ones, 0 = the hour that begins the
  // day) of `date`, read on `line`.
  // `value` is none where the source marks the value missing, `quality` none where the source
  // has no quality codes. A second value for the same day and hour fails. The year of a
  // typical year's date is not used, nor may its date be 29 February.
  void add(const Date& date, int hour, std::optional<NanoCelsius> value,
           std::optional<std::string_view> quality, long line);

  // The year's daily means. Fails when the year is not clear or any day lacks a value or has
  // one whose quality is not accepted, naming how many and the first of them.
  ClimateYear finish() const;

 private:
  struct Day {
    NanoCelsius sum_nano_c = 0;
    std::uint32_t hours_seen = 0;  // one bit per hour
    int values = 0;
    std::optional<std::string> refused_quality;
  };

  bool quality_accepted(std::string_view quality) const;
  void note_year(int year);
  void check_year_is_clear() const;
  std::string day_text(int day) const;
  std::string hour_text(const Date& date, int hour) const;

  Kind kind_;
  std::string name_;
  std::optional<int> year_;
  bool year_given_;
  bool allow_suspect_;
  int values_per_day_;
  std::vector<bool> years_seen_;
  int year_count_ = 0;
  int first_year_ = 0;
  int last_year_ = 0;
  std::vector<Day> days_;  // of year_, once it is known
};

}  // namespace varmkalk::core
