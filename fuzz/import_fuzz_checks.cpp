// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/import_fuzz_checks.h"

#include <cstdio>
#include <cstdlib>
#include <variant>

#include "core/climate_import/calendar.h"
#include "core/climate_import/climate_file.h"
#include "core/climate_import/climate_import.h"
#include "core/climate_import/climate_statistics.h"
#include "core/climate_import/source_text.h"
#include "fuzz/fuzz_support.h"

namespace varmkalk::fuzz {

using namespace core;
namespace {

constexpr std::size_t kLineLength = 13;  // 11 characters and CR LF

void require_valid_year(const ClimateYear& year) {
  const std::vector<int>& days = year.daily_mean_tenths_c;
  require(days.size() == 365 || days.size() == 366, "a year without 365 or 366 days");
  if (year.calendar_year) {
    require(static_cast<int>(days.size()) == days_in_year(*year.calendar_year),
            "the days do not match the calendar year");
  }
  for (const int tenths : days) {
    require(tenths >= kLowestTenthsC && tenths <= kHighestTenthsC, "a daily mean beyond limits",
            std::to_string(tenths));
  }
  const std::string file = format_climate_file(year);
  require(file.size() == days.size() * kLineLength, "the climate file has lines of other lengths");
  for (std::size_t at = 0; at < file.size(); at += kLineLength) {
    require(file.compare(at + kLineLength - 2, 2, "\r\n") == 0, "a line is not 11 characters",
            file.substr(at, kLineLength));
  }
  const ImportResult read = read_climate_file(file, "klimat.dat");
  require(std::holds_alternative<ClimateYear>(read) &&
              std::get<ClimateYear>(read).daily_mean_tenths_c == days,
          "the climate file does not read back as the year it was made of");
  const ClimateStatistics s = climate_statistics(year);
  for (const int mean : {s.annual_mean_tenths_c, s.january_mean_tenths_c, s.july_mean_tenths_c,
                         s.design_outdoor_tenths_c}) {
    require(mean >= s.lowest_tenths_c && mean <= s.highest_tenths_c,
            "a mean outside the lowest and highest day");
  }
}

}  // namespace

void require_kept_promise(const ImportResult& outcome) {
  if (const auto* error = std::get_if<ImportError>(&outcome)) {
    require_clear_message(error->message, kSourceName);
  } else {
    require_valid_year(std::get<ClimateYear>(outcome));
  }
}

void import_both_ways(std::string_view bytes, SourceFormat format) {
  const std::string text = decode_source_text(bytes);
  for (const ImportOptions& options : kImportWays) {
    require_kept_promise(import_source(text, format, options));
  }
}

}  // namespace varmkalk::fuzz
