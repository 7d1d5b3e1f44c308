// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/plausibility.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "frontend/logic/field_error.h"
#include "frontend/logic/form_number.h"
#include "frontend/logic/input_validation.h"

namespace varmkalk {

namespace {

// A house boiler's burner gives some 5 to 40 kW, and a house needs at most a few tens of kW.
constexpr double kMaxBurnerPowerKw = 100.0;
constexpr double kMaxDesignHeatDemandKw = 50.0;
// Below no excess air the gas cannot burn completely; a tuned burner runs at 10 to 50 %.
constexpr double kMinExcessAirPercent = 0.0;
constexpr double kMaxExcessAirPercent = 150.0;
// The flue gas of a house boiler stays well below 300 °C, and its water below boiling.
constexpr double kMaxFlueGasTempC = 300.0;
constexpr double kMaxSupplyTempC = 100.0;
constexpr double kMinIndoorTempC = 10.0;
constexpr double kMaxIndoorTempC = 30.0;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

struct Range {
  QString FormInput::*field;
  double lowest;
  double highest;
};

constexpr std::array<Range, 10> kRanges{{
    {&FormInput::single_stage_power_kw, -kNoLimit, kMaxBurnerPowerKw},
    {&FormInput::modulating_max_power_kw, -kNoLimit, kMaxBurnerPowerKw},
    {&FormInput::single_stage_excess_air_percent, kMinExcessAirPercent, kMaxExcessAirPercent},
    {&FormInput::modulating_excess_air_percent, kMinExcessAirPercent, kMaxExcessAirPercent},
    {&FormInput::design_heat_demand_kw, -kNoLimit, kMaxDesignHeatDemandKw},
    {&FormInput::flue_gas_temp_high_c, -kNoLimit, kMaxFlueGasTempC},
    {&FormInput::flue_gas_temp_low_c, -kNoLimit, kMaxFlueGasTempC},
    {&FormInput::supply_temp_high_c, -kNoLimit, kMaxSupplyTempC},
    {&FormInput::supply_temp_low_c, -kNoLimit, kMaxSupplyTempC},
    {&FormInput::indoor_temp_c, kMinIndoorTempC, kMaxIndoorTempC},
}};

QString label_of(QString FormInput::*field) {
  return field_label(form_field_name(field));
}

}  // namespace

QStringList implausible_values(const FormInput& input, const QLocale& locale) {
  const std::vector<QString FormInput::*> needed = needed_fields(input);
  const auto value_of = [&](QString FormInput::*field) -> std::optional<double> {
    if (std::find(needed.begin(), needed.end(), field) == needed.end()) {
      return std::nullopt;
    }
    return read_form_number(input.*field, locale);
  };
  const auto limit = [&locale](double value) { return locale.toString(value, 'g', 6); };

  QStringList lines;
  for (const Range& range : kRanges) {
    const std::optional<double> value = value_of(range.field);
    if (!value) {
      continue;
    }
    const QString shown =
        QStringLiteral("%1: %2").arg(label_of(range.field), (input.*range.field).trimmed());
    if (*value > range.highest) {
      lines += QStringLiteral("%1 (över %2)").arg(shown, limit(range.highest));
    } else if (*value < range.lowest) {
      lines += QStringLiteral("%1 (under %2)").arg(shown, limit(range.lowest));
    }
  }
  // A modulating burner's least power above its greatest makes it a single-stage one.
  const std::optional<double> max_power = value_of(&FormInput::modulating_max_power_kw);
  const std::optional<double> min_power = value_of(&FormInput::modulating_min_power_kw);
  if (max_power && min_power && *min_power > *max_power) {
    lines +=
        QStringLiteral("%1: %2 (större än maxeffekten %3)")
            .arg(label_of(&FormInput::modulating_min_power_kw),
                 input.modulating_min_power_kw.trimmed(), input.modulating_max_power_kw.trimmed());
  }
  return lines;
}

}  // namespace varmkalk
