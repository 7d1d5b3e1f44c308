// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a heat pump's Keymark declaration, read for its first variant: the reader
// either gives a unit whose model and seasonal COPs are finite numbers, or ends with one Swedish
// line of valid UTF-8 that names the file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "core/formats/keymark_file.h"
#include "core/heatpump/heat_pump_model.h"
#include "core/heatpump/seasonal_cop.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace varmkalk;
using namespace varmkalk::core;

void require_finite_season(const SeasonalCop& season, std::string_view what) {
  fuzz::require(std::isfinite(season.scop) && season.scop > 0, what);
  fuzz::require(std::isfinite(season.scop_on) && season.scop_on > 0, what);
  for (const SeasonBin& bin : season.bins) {
    fuzz::require(std::isfinite(bin.electric_kw) && bin.electric_kw >= 0, what);
  }
}

void check_unit(const HeatPumpUnit& unit) {
  const HeatPumpModel model = heat_pump_model(unit);
  for (const SeasonClimate climate : kSeasonClimates) {
    for (const FlowFamily family : kFlowFamilies) {
      const auto& declaration = unit.declaration(climate, family);
      if (!declaration) {
        fuzz::require(climate == SeasonClimate::colder, "an average declaration is missing");
        continue;
      }
      require_finite_season(model_seasonal_cop(model, unit, climate, family),
                            "the model's season is not finite");
      require_finite_season(declared_seasonal_cop(*declaration, climate, family, unit.reversible),
                            "the declared season is not finite");
    }
  }
  for (const double outdoor_c : {-40.0, -10.0, 5.0, 30.0}) {
    for (const double flow_c : {20.0, 45.0, 70.0}) {
      const HeatPumpOperation run = operate(model, outdoor_c, flow_c, 5);
      fuzz::require(std::isfinite(run.electric_kw) && std::isfinite(run.cop) && run.cop > 0,
                    "an operation is not finite");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::bytes_of(data, size);
  try {
    const std::vector<std::string> titles = keymark_titles(bytes, "in.csv");
    check_unit(read_keymark_unit(bytes, "in.csv", titles.empty() ? "" : titles.front()));
  } catch (const KeymarkError& e) {
    fuzz::require_clear_message(e.what(), "in.csv");
  } catch (const std::exception& e) {
    fuzz::finding("the Keymark reader or the model ended with an unexpected exception", e.what());
  }
  return 0;
}
