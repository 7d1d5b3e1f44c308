// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/heatpump/heat_pump_days.h"

#include "core/model/model_input_error.h"
#include "frontend/logic/heatpump/heat_pump_units.h"

namespace varmkalk {

std::optional<HeatPumpChart> heat_pump_chart(const CalculationYear& computed,
                                             const ShownHeatPump& shown,
                                             const QString& heat_pump_folder) {
  const auto* ran = std::get_if<CaseYear>(&computed);
  if (ran == nullptr || !ran->climate || !ran->climate->days) {
    return std::nullopt;
  }
  const auto loaded = load_heat_pump(shown.plan.choice, heat_pump_folder);
  const auto* unit = std::get_if<LoadedHeatPump>(&loaded);
  if (unit == nullptr) {
    return std::nullopt;
  }
  try {
    const bool ground = is_ground_source(shown.plan.choice, unit->unit);
    return HeatPumpChart{
        shown.name, shown.sides,
        core::heat_pump_days(ran->input, unit->installation, ran->climate->days->records), ground};
  } catch (const core::ModelInputError&) {
    return std::nullopt;
  }
}

}  // namespace varmkalk
