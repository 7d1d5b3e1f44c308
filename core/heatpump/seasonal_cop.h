// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "core/heatpump/heat_pump_model.h"
#include "core/heatpump/heat_pump_unit.h"

namespace varmkalk::core {

// One outdoor temperature of the season as the heat pump meets it.
struct SeasonBin {
  int outdoor_c = 0;
  int hours = 0;
  double flow_c = 0;
  double load_kw = 0;
  double heat_pump_kw = 0;
  double backup_kw = 0;
  double electric_kw = 0;
};

// A season by the bin method: every bin's load met by the heat pump and the backup heater, the
// seasonal COP while heating (scop_on) and with the idle powers over their hours (scop).
struct SeasonalCop {
  std::vector<SeasonBin> bins;
  double scop_on = 0;
  double scop = 0;
};

// The season with the declared points alone: the heat and the COP at each bin linear between the
// points (held below the coldest, the line of the two warmest beyond the warmest), below the
// operation limit all electric; where the unit gives more than the load it cycles.
SeasonalCop declared_seasonal_cop(const SeasonalDeclaration& declaration, SeasonClimate climate,
                                  FlowFamily family, bool reversible);

// The season with the model's COP and capacity at each bin, the load and the idle powers of the
// unit's declaration for that climate and family. Throws ModelInputError when the unit has no
// such declaration.
SeasonalCop model_seasonal_cop(const HeatPumpModel& model, const HeatPumpUnit& unit,
                               SeasonClimate climate, FlowFamily family);

}  // namespace varmkalk::core
