// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/year.h"

#include "core/model/annual_sums.h"
#include "core/model/day_model.h"
#include "core/model/day_shortfall.h"
#include "core/model/model_input_error.h"
#include "core/model/start_model.h"

namespace varmkalk::core {

YearResult run_year(const BoilerCase& input, std::span<const ClimateRecord> climate_days) {
  YearResult year;
  try {
    const ModelConstants constants = start_model(input, design_conditions(input));
    for (const ClimateRecord& record : climate_days) {
      if (const std::optional<DayBalance> day = simulate_day(input, constants, record)) {
        record_day(year.totals, *day);
        if (day_shortfall(*day, input.burner) == DayShortfall::part_load_rule) {
          year.totals.part_load_days += 1;
        }
        year.days.push_back(*day);
      }
    }
  } catch (const ModelInputError& refusal) {
    year.refusal = refusal.what();
  }
  return year;
}

}  // namespace varmkalk::core
