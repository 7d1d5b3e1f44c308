// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/run_time.h"

namespace varmkalk::core {
namespace {

// The balance is met within ±0.1 % of the demand.
constexpr float kBandLow = 0.999f;
constexpr float kBandHigh = 1.001f;
// A 32-bit bisection on [0, 1] has collapsed onto one run time well within this many rounds.
constexpr int kMaxRounds = 200;

float output(const DayTerms& terms, float run_time, float efficiency) {
  return terms.burner_power * run_time * efficiency;
}

}  // namespace

float day_efficiency(const DayTerms& terms, PumpCredit credit, float run_time) {
  const float pump_share = credit == PumpCredit::with_pump ? 1.0f : 0.0f;
  const float off_time = 1.0f - run_time;
  const float useful_heat = (terms.burner_power - terms.flue_gas_loss) * run_time -
                            (terms.standby_loss - kPilotHeatShare * terms.pilot_power) * off_time -
                            terms.convection_loss - terms.heater_loss +
                            pump_share * terms.pump_heat;
  const float fuel = terms.burner_power * run_time + terms.pilot_power * off_time;
  return useful_heat / fuel;
}

std::optional<VariantBalance> solve_run_time(const DayTerms& terms, PumpCredit credit,
                                             float start_run_time) {
  const float low = kBandLow * terms.demand;
  const float high = kBandHigh * terms.demand;

  VariantBalance whole_day;
  whole_day.run_time = 1.0f;
  whole_day.day_efficiency = day_efficiency(terms, credit, 1.0f);
  const float whole_day_output = output(terms, 1.0f, whole_day.day_efficiency);
  if (!(low <= whole_day_output)) {
    whole_day.shortfall = terms.demand - whole_day_output;
    return whole_day;
  }

  float lowest = 0.0f;
  float highest = 1.0f;
  float run_time = start_run_time;
  bool short_seen = false;
  for (int round = 0; round < kMaxRounds; ++round) {
    const float efficiency = day_efficiency(terms, credit, run_time);
    const float out = output(terms, run_time, efficiency);
    if (high < out) {
      highest = run_time;
    } else if (low <= out) {
      // The start Q / P_b may lie above 1: a burner cannot run longer than the day.
      if (run_time > 1.0f) {
        return whole_day;
      }
      return VariantBalance{run_time, efficiency, 0.0f};
    } else {
      lowest = run_time;
      short_seen = true;
    }
    const float next = (lowest + highest) / 2.0f;
    if (next == run_time || next == 0.0f) {
      break;
    }
    run_time = next;
  }
  if (!short_seen) {
    return std::nullopt;
  }
  // The band lies between two neighbouring 32-bit run times: take the shorter one that
  // delivers at least the demand.
  if (highest >= 1.0f) {
    return whole_day;
  }
  return VariantBalance{highest, day_efficiency(terms, credit, highest), 0.0f};
}

}  // namespace varmkalk::core
