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

namespace varmkalk::core::fuzz {
namespace {

constexpr std::size_t kLineLength = 13;  // 11 characters and CR LF

[[noreturn]] void finding(std::string_view what, std::string_view detail = {}) {
  std::fprintf(stderr, "\nFINDING: %.*s\n  %.*s\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

void require(bool holds, std::string_view what, std::string_view detail = {}) {
  if (!holds) {
    finding(what, detail);
  }
}

// Checked apart from the library's own decoder: the length of the well-formed UTF-8 sequence
// at `at` that is no control character, or 0.
std::size_t clear_character_length(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) {
    return 0;
  }
  unsigned code = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if ((byte & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (byte & 0x3Fu);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  const bool control = (code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029;
  return overlong || surrogate || control || code > 0x10FFFF ? 0 : length;
}

void require_clear_message(const std::string& message) {
  require(message.rfind(kSourceName, 0) == 0, "the message does not name the source", message);
  for (std::size_t at = 0; at < message.size();) {
    const std::size_t length = clear_character_length(message, at);
    require(length > 0, "the message is no clear line of UTF-8", message);
    at += length;
  }
}

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

std::string bytes_of(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

void require_kept_promise(const ImportResult& outcome) {
  if (const auto* error = std::get_if<ImportError>(&outcome)) {
    require_clear_message(error->message);
  } else {
    require_valid_year(std::get<ClimateYear>(outcome));
  }
}

void import_both_ways(std::string_view bytes, SourceFormat format) {
  const std::string text = decode_source_text(bytes);
  const std::string name(kSourceName);
  require_kept_promise(import_source(text, format, ImportOptions{name, std::nullopt, false}));
  require_kept_promise(import_source(text, format, ImportOptions{name, 2009, true}));
}

}  // namespace varmkalk::core::fuzz
