// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/heatpump/season_tables.h"

#include <array>

#include "core/heatpump/curve.h"

namespace varmkalk::core {
namespace {

constexpr double kNoLoadOutdoorC = 16;

// Hours per 1 K bin, −10…+15 °C.
constexpr std::array<TemperatureBin, 26> kAverageBins{{
    {-10, 1},  {-9, 25}, {-8, 23},  {-7, 24},  {-6, 27},  {-5, 68},  {-4, 91},  {-3, 89}, {-2, 165},
    {-1, 173}, {0, 240}, {1, 280},  {2, 320},  {3, 357},  {4, 356},  {5, 303},  {6, 330}, {7, 326},
    {8, 348},  {9, 335}, {10, 315}, {11, 215}, {12, 169}, {13, 151}, {14, 105}, {15, 74},
}};

// Hours per 1 K bin, −22…+15 °C.
constexpr std::array<TemperatureBin, 38> kColderBins{{
    {-22, 1},  {-21, 6},  {-20, 13}, {-19, 17}, {-18, 19}, {-17, 26}, {-16, 39}, {-15, 41},
    {-14, 35}, {-13, 52}, {-12, 37}, {-11, 41}, {-10, 43}, {-9, 54},  {-8, 90},  {-7, 125},
    {-6, 169}, {-5, 195}, {-4, 278}, {-3, 306}, {-2, 454}, {-1, 385}, {0, 490},  {1, 533},
    {2, 380},  {3, 228},  {4, 261},  {5, 279},  {6, 229},  {7, 269},  {8, 233},  {9, 230},
    {10, 243}, {11, 191}, {12, 146}, {13, 150}, {14, 97},  {15, 61},
}};

// The heating curves the declarations are tested on (variable outlet).
const Curve kAverageFlow35{{{-10, 35}, {-7, 34}, {2, 30}, {7, 27}, {12, 24}}};
const Curve kAverageFlow55{{{-10, 55}, {-7, 52}, {2, 42}, {7, 36}, {12, 30}}};
const Curve kColderFlow35{{{-22, 35}, {-15, 32}, {-7, 30}, {2, 27}, {7, 25}, {12, 24}}};
const Curve kColderFlow55{{{-22, 55}, {-15, 49}, {-7, 44}, {2, 37}, {7, 32}, {12, 28}}};

}  // namespace

std::string declaration_label(SeasonClimate climate, FlowFamily family) {
  return std::string(climate == SeasonClimate::average ? "genomsnittligt" : "kallare") +
         " klimat, " + (family == FlowFamily::low_35 ? "35" : "55") + " °C";
}

double design_outdoor_c(SeasonClimate climate) {
  return climate == SeasonClimate::average ? -10.0 : -22.0;
}

std::span<const TemperatureBin> season_bins(SeasonClimate climate) {
  if (climate == SeasonClimate::average) {
    return kAverageBins;
  }
  return kColderBins;
}

double equivalent_full_load_hours(SeasonClimate climate) {
  return climate == SeasonClimate::average ? 2066.0 : 2465.0;
}

IdleHours idle_hours(SeasonClimate climate, bool reversible) {
  const bool average = climate == SeasonClimate::average;
  const int thermostat_off = average ? 179 : 131;
  if (reversible) {
    return {thermostat_off, 0, thermostat_off, 0};
  }
  return average ? IdleHours{thermostat_off, 0, 3851, 3672}
                 : IdleHours{thermostat_off, 0, 2944, 2189};
}

double part_load_ratio(SeasonClimate climate, double outdoor_c) {
  return (outdoor_c - kNoLoadOutdoorC) / (design_outdoor_c(climate) - kNoLoadOutdoorC);
}

double season_flow_c(SeasonClimate climate, FlowFamily family, double outdoor_c) {
  const bool low = family == FlowFamily::low_35;
  if (climate == SeasonClimate::average) {
    return curve_at(low ? kAverageFlow35 : kAverageFlow55, outdoor_c);
  }
  return curve_at(low ? kColderFlow35 : kColderFlow55, outdoor_c);
}

}  // namespace varmkalk::core
