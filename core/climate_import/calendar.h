// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::core {

// A day of the Gregorian calendar.
struct Date {
  int year = 0;
  int month = 0;  // 1 = January
  int day = 0;    // 1 = first of the month

  friend bool operator==(const Date&, const Date&) = default;
};

bool is_leap_year(int year);
int days_in_year(int year);
int days_in_month(int year, int month);

// 1 = 1 January.
int day_of_year(const Date& date);
// The day `day` (1 = 1 January) of `year`; `day` must lie within the year.
Date date_of_day(int year, int day);

// An ISO date YYYY-MM-DD of the years 0001 to 9999, or nothing when the text is no such date.
std::optional<Date> parse_iso_date(std::string_view text);
std::string iso_date(const Date& date);
// "4 januari": the day and the Swedish name of the month.
std::string day_and_month(const Date& date);

}  // namespace varmkalk::core
