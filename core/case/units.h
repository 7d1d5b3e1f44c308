// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The unit conversions between what a user types or a report prints and what the case holds.
// Each is written once, as a template on the number type, so that a caller keeps its own
// precision: the same expression in float or in double as where it was written before.

namespace varmkalk::core {

inline constexpr float kPerCent = 100.0f;  // a share of 1 in per cent
inline constexpr float kWattsPerKilowatt = 1000.0f;
inline constexpr float kWhPerKwh = 1000.0f;
inline constexpr float kHoursPerDay = 24.0f;
inline constexpr float kHoursPerYear = 8760.0f;
// A loss of 1 W lasting a day is 0.024 kWh.
inline constexpr double kKwhPerDayPerWatt = 0.024;
// 1 % of excess air raises the air ratio by 0.01.
inline constexpr double kAirRatioPerExcessAirPercent = 0.01;

template <typename Number>
constexpr Number watts_from_kw(Number kw) {
  return kw * Number(kWattsPerKilowatt);
}

template <typename Number>
constexpr Number kw_from_watts(Number watts) {
  return watts / Number(kWattsPerKilowatt);
}

template <typename Number>
constexpr Number fraction_from_percent(Number percent) {
  return percent / Number(kPerCent);
}

template <typename Number>
constexpr Number percent_from_fraction(Number fraction) {
  return fraction * Number(kPerCent);
}

// 20 % excess air is an air ratio of 1.20.
template <typename Number>
constexpr Number air_ratio_from_excess_air(Number percent) {
  return Number(1) + Number(kAirRatioPerExcessAirPercent) * percent;
}

template <typename Number>
constexpr Number excess_air_from_air_ratio(Number air_ratio) {
  return (air_ratio - Number(1)) / Number(kAirRatioPerExcessAirPercent);
}

template <typename Number>
constexpr Number watts_from_kwh_per_day(Number kwh_per_day) {
  return kwh_per_day / Number(kKwhPerDayPerWatt);
}

template <typename Number>
constexpr Number kwh_per_day_from_watts(Number watts) {
  return watts * Number(kKwhPerDayPerWatt);
}

}  // namespace varmkalk::core
