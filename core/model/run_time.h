// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/model/day_balance.h"

namespace varmkalk::core {

// The share of the pilot flame's heat that covers the standby loss while the burner is off.
inline constexpr float kPilotHeatShare = 0.7f;

// The powers of one heating day that the run-time balance weighs, W.
struct DayTerms {
  float burner_power = 0.0f;     // P_b
  float flue_gas_loss = 0.0f;    // L_fg, while the burner runs
  float standby_loss = 0.0f;     // Q_sb, while it is off
  float pilot_power = 0.0f;      // P_pilot, while it is off
  float convection_loss = 0.0f;  // Q_konv, all day
  float heater_loss = 0.0f;      // Q_vvb, all day
  float pump_heat = 0.0f;        // P_cp, all day
  float demand = 0.0f;           // D = Q + Q_vv, what the boiler must deliver
};

// Whether the circulation pump's heat counts as a free gain.
enum class PumpCredit { with_pump, without_pump };

// The day's efficiency η(τ) at relative run time τ.
float day_efficiency(const DayTerms& terms, PumpCredit credit, float run_time);

// The run time at which the boiler's output P_b·τ·η(τ) meets the demand within ±0.1 %, found by
// bisection from `start_run_time`, never above 1. When even a whole day's run falls short, the
// run time is 1 and the variant carries the shortfall. Empty when the output exceeds the demand
// at every run time, however short: the free heat alone covers the day.
std::optional<VariantBalance> solve_run_time(const DayTerms& terms, PumpCredit credit,
                                             float start_run_time);

}  // namespace varmkalk::core
