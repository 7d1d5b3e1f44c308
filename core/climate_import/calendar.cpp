// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/calendar.h"

#include <array>
#include <cstdio>

namespace varmkalk::core {
namespace {

constexpr int kLastYear = 9999;

constexpr std::array<int, 12> kDaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::array<const char*, 12> kMonthNames = {
    "januari", "februari", "mars",      "april",   "maj",      "juni",
    "juli",    "augusti",  "september", "oktober", "november", "december"};

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

int digits_value(std::string_view text) {
  int value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool is_leap_year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_year(int year) {
  return is_leap_year(year) ? 366 : 365;
}

int days_in_month(int year, int month) {
  return month == 2 && is_leap_year(year) ? 29 : kDaysInMonth[month - 1];
}

int day_of_year(const Date& date) {
  int day = date.day;
  for (int month = 1; month < date.month; ++month) {
    day += days_in_month(date.year, month);
  }
  return day;
}

Date date_of_day(int year, int day) {
  int month = 1;
  while (day > days_in_month(year, month)) {
    day -= days_in_month(year, month);
    ++month;
  }
  return {year, month, day};
}

std::optional<Date> parse_iso_date(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
    return std::nullopt;
  }
  for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!is_digit(text[i])) {
      return std::nullopt;
    }
  }
  const Date date{digits_value(text.substr(0, 4)), digits_value(text.substr(5, 2)),
                  digits_value(text.substr(8, 2))};
  if (date.year < 1 || date.year > kLastYear || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > days_in_month(date.year, date.month)) {
    return std::nullopt;
  }
  return date;
}

std::string iso_date(const Date& date) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", date.year, date.month, date.day);
  return text.data();
}

std::string day_and_month(const Date& date) {
  return std::to_string(date.day) + " " + kMonthNames[date.month - 1];
}

}  // namespace varmkalk::core
