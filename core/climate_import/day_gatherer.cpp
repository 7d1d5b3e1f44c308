// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/day_gatherer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "core/climate_import/import_failure.h"
#include "core/climate_import/source_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

// A common year gives a typical year's days in month and day order, 29 February left out.
constexpr int kTypicalYearPlaceholder = 2001;
constexpr int kHoursPerDay = 24;
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;
// A message lists this many days at most, so that it stays one readable line.
constexpr int kDaysListed = 10;

constexpr std::string_view kGoodQuality = "G";
constexpr std::string_view kSuspectQuality = "Y";

std::string days_text(int count) {
  return std::to_string(count) + (count == 1 ? " dag" : " dagar");
}

// "N dagar saknas: a, b, c och 5 till".
std::string listed(int count, std::string_view what, const std::vector<std::string>& first) {
  std::string text = days_text(count) + " " + std::string(what) + ": ";
  for (std::size_t i = 0; i < first.size(); ++i) {
    text += (i == 0 ? "" : ", ") + first[i];
  }
  if (count > static_cast<int>(first.size())) {
    text += " och " + std::to_string(count - static_cast<int>(first.size())) + " till";
  }
  return text;
}

std::string two_digits(int value) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "%02d", value);
  return text.data();
}

}  // namespace

DayGatherer::DayGatherer(Kind kind, std::string name, const ImportOptions& options)
    : kind_(kind),
      name_(std::move(name)),
      year_(kind == Kind::typical_year ? std::optional<int>(kTypicalYearPlaceholder)
                                       : options.year),
      year_given_(options.year.has_value()),
      allow_suspect_(options.allow_suspect),
      values_per_day_(kind == Kind::daily ? 1 : kHoursPerDay),
      years_seen_(kLastYear + 1) {
  if (year_ && (*year_ < kFirstYear || *year_ > kLastYear)) {
    fail(name_ + ": året " + std::to_string(*year_) + " ligger inte mellan " +
         std::to_string(kFirstYear) + " och " + std::to_string(kLastYear));
  }
  if (year_) {
    days_.resize(static_cast<std::size_t>(days_in_year(*year_)));
  }
}

void DayGatherer::add(const Date& source_date, int hour, std::optional<NanoCelsius> value,
                      std::optional<std::string_view> quality, long line) {
  const Date date = kind_ == Kind::typical_year
                        ? Date{kTypicalYearPlaceholder, source_date.month, source_date.day}
                        : source_date;
  note_year(date.year);
  if (!year_) {
    year_ = date.year;
    days_.resize(static_cast<std::size_t>(days_in_year(date.year)));
  }
  if (date.year != *year_) {
    return;
  }
  Day& day = days_[static_cast<std::size_t>(day_of_year(date) - 1)];
  const std::uint32_t hour_bit = std::uint32_t{1} << hour;
  if ((day.hours_seen & hour_bit) != 0) {
    fail(line_place(name_, line) + ": " + hour_text(date, hour) +
         " har redan ett värde på en tidigare rad");
  }
  day.hours_seen |= hour_bit;
  if (quality && !quality_accepted(*quality)) {
    if (!day.refused_quality) {
      day.refused_quality = std::string(*quality);
    }
  } else if (value) {
    day.sum_nano_c += *value;
    ++day.values;
  }
}

ClimateYear DayGatherer::finish() const {
  check_year_is_clear();
  ClimateYear year;
  if (kind_ != Kind::typical_year) {
    year.calendar_year = year_;
  }
  std::vector<std::string> missing;
  std::vector<std::string> refused;
  int missing_count = 0;
  int refused_count = 0;
  bool suspect_refused = false;
  for (std::size_t i = 0; i < days_.size(); ++i) {
    const Day& day = days_[i];
    const int day_number = static_cast<int>(i) + 1;
    if (day.refused_quality) {
      if (++refused_count <= kDaysListed) {
        refused.push_back(day_text(day_number) + " (kod " + quoted_for_message(*day.refused_quality) + ")");
      }
      suspect_refused = suspect_refused || *day.refused_quality == kSuspectQuality;
    } else if (day.values < values_per_day_) {
      if (++missing_count <= kDaysListed) {
        std::string text = day_text(day_number);
        if (day.values > 0) {
          text += " (" + std::to_string(day.values) + " av " + std::to_string(values_per_day_) +
                  " timvärden)";
        }
        missing.push_back(text);
      }
    } else {
      year.daily_mean_tenths_c.push_back(mean_in_tenths(day.sum_nano_c, values_per_day_));
    }
  }
  if (missing_count == 0 && refused_count == 0) {
    return year;
  }
  std::string message =
      name_ + ": " +
      (kind_ == Kind::typical_year ? std::string("typåret") : "året " + std::to_string(*year_)) +
      " är inte komplett och inget fylls i: ";
  if (missing_count > 0) {
    const std::string_view incomplete =
        missing_count == 1 ? "saknas eller är ofullständig" : "saknas eller är ofullständiga";
    message += listed(missing_count, values_per_day_ == 1 ? "saknas" : incomplete, missing);
  }
  if (refused_count > 0) {
    message += (missing_count > 0 ? "; " : "") +
               listed(refused_count, "har värden vars kvalitetskod inte godtas", refused);
  }
  throw ImportFailure{ImportError{message, false, suspect_refused}};
}

bool DayGatherer::quality_accepted(std::string_view quality) const {
  return quality == kGoodQuality || (allow_suspect_ && quality == kSuspectQuality);
}

void DayGatherer::note_year(int year) {
  if (years_seen_[static_cast<std::size_t>(year)]) {
    return;
  }
  years_seen_[static_cast<std::size_t>(year)] = true;
  first_year_ = year_count_ == 0 ? year : std::min(first_year_, year);
  last_year_ = year_count_ == 0 ? year : std::max(last_year_, year);
  ++year_count_;
}

void DayGatherer::check_year_is_clear() const {
  if (year_count_ == 0) {
    fail(name_ + ": källan har inga temperaturvärden");
  }
  const std::string span = year_count_ == 1
                               ? std::to_string(first_year_)
                               : std::to_string(first_year_) + "–" + std::to_string(last_year_);
  if (!years_seen_[static_cast<std::size_t>(*year_)]) {
    fail(name_ + ": källan har inga värden från " + std::to_string(*year_) + ", bara från " + span);
  }
  if (kind_ != Kind::typical_year && year_count_ > 1 && !year_given_) {
    throw ImportFailure{ImportError{name_ + ": källan har värden från " +
                                        std::to_string(year_count_) + " olika år (" + span +
                                        "); välj vilket år som ska användas",
                                    true, false}};
  }
}

std::string DayGatherer::day_text(int day) const {
  const Date date = date_of_day(*year_, day);
  return kind_ == Kind::typical_year ? day_and_month(date) : iso_date(date);
}

std::string DayGatherer::hour_text(const Date& date, int hour) const {
  const std::string day = day_text(day_of_year(date));
  switch (kind_) {
    case Kind::daily:
      return day;
    case Kind::hourly_utc:
      return day + " kl. " + two_digits(hour) + " UTC";
    case Kind::typical_year:
      return day + " timme " + std::to_string(hour + 1);
  }
  return day;
}

}  // namespace varmkalk::core
