// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/sweep/sweep_inputs.h"

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/case/units.h"
#include "core/formats/control_file.h"
#include "core/formats/input_quantities.h"
#include "frontend/logic/form/display_names.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/windows1252_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace varmkalk {

namespace {

constexpr int kDefaultPoints = 41;
// Round default ranges to this many significant digits.
constexpr int kRangeDigits = 3;

// A single-stage burner runs at one power, which is both of its powers; the kind is the
// library's rule, the one the engine follows.
bool one_power(const core::Burner& burner) {
  return !burner.is_modulating();
}

double kw(float watts) {
  return core::kw_from_watts(double(watts));
}

// The numbers the sweep can vary, each an input quantity of the library.
struct SweptNumber {
  SweepInput input;
  std::string_view key;
};

constexpr std::array<SweptNumber, 15> kSweptNumbers{{
    {SweepInput::min_return_temp, "min_return_temp"},
    {SweepInput::burner_max_power, "burner_max_power"},
    {SweepInput::burner_min_power, "burner_min_power"},
    {SweepInput::excess_air, "air_ratio"},
    {SweepInput::pilot_power, "pilot_power"},
    {SweepInput::flue_gas_temp_high, "flue_gas_temp_2"},
    {SweepInput::flue_gas_temp_low, "flue_gas_temp_1"},
    {SweepInput::convection_constant, "convection_constant"},
    {SweepInput::standby_constant, "standby_constant"},
    {SweepInput::standby_exponent, "standby_exponent"},
    {SweepInput::design_heat_demand, "design_heat_demand"},
    {SweepInput::indoor_temp, "indoor_temp"},
    {SweepInput::hot_water_demand, "hot_water_demand"},
    {SweepInput::heater_loss, "heater_loss"},
    {SweepInput::pump_power, "pump_power"},
}};

const core::InputQuantity& quantity_of(SweepInput input) {
  const auto* found = std::find_if(kSweptNumbers.begin(), kSweptNumbers.end(),
                                   [input](const SweptNumber& n) { return n.input == input; });
  if (found == kSweptNumbers.end()) {
    throw std::invalid_argument("inget tal att variera");
  }
  return core::input_quantity(found->key);
}

// The design supply temperature moves the return with it so that the return stays as far up
// from the room towards the supply as in the case: a fixed difference would take 80/60 down to
// 35/15, below the room.
void set_design_supply(core::BoilerCase& c, double supply_c, const SweepBase& base) {
  const core::DesignTemperatures& own = base.input.heating_system;
  const double indoor_c = base.input.building.indoor_temp_c;
  const double share = (own.return_temp_c - indoor_c) / (own.supply_temp_c - indoor_c);
  c.heating_system = core::DesignTemperatures{
      static_cast<float>(supply_c), static_cast<float>(indoor_c + share * (supply_c - indoor_c))};
}

// The case with the value, in the unit shown: a single-stage burner keeps its one power for
// both, and a lowest return temperature chosen to follow the indoor temperature follows it.
void set_number(SweepInput input, core::BoilerCase& c, double value, const SweepBase& base) {
  if (input == SweepInput::design_supply_temp) {
    set_design_supply(c, value, base);
    return;
  }
  if (input == SweepInput::burner_max_power && one_power(c.burner)) {
    c.burner = core::Burner::single_stage(static_cast<float>(core::watts_from_kw(value)));
    return;
  }
  quantity_of(input).set(c, value);
  if (input == SweepInput::indoor_temp && base.min_return_follows_indoor) {
    c.building.min_return_temp_c = c.building.indoor_temp_c;
  }
}

// A choice of a category with the case it makes.
struct Choice {
  QString name;
  core::BoilerCase input;
};

std::vector<Choice> choices(SweepInput input, const SweepBase& base) {
  std::vector<Choice> list;
  if (input == SweepInput::heating_system) {
    for (const core::HeatingSystemDesign& design : core::kHeatingSystems) {
      Choice choice{heating_system_text(design.temperatures), base.input};
      choice.input.heating_system = design.temperatures;
      list.push_back(choice);
    }
    if (!core::coded_heating_system(base.input.heating_system)) {
      list.push_back({QCoreApplication::translate("SweepInputs", "Egna temperaturer (%1)")
                          .arg(heating_system_text(base.input.heating_system)),
                      base.input});
    }
    return list;
  }
  for (const core::Climate& climate : core::kClimates) {
    Choice choice{from_utf8(climate.place_name), base.input};
    choice.input.climate = climate.place;
    list.push_back(choice);
  }
  if (const auto* own = std::get_if<core::OwnClimate>(&base.input.climate)) {
    list.push_back({QCoreApplication::translate("SweepInputs", "Egen klimatfil (%1)")
                        .arg(from_windows1252(QByteArrayView(own->file_name))),
                    base.input});
  }
  return list;
}

double round_to_digits(double value) {
  if (value == 0.0 || !std::isfinite(value)) {
    return value;
  }
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - (kRangeDigits - 1));
  return std::round(value / unit) * unit;
}

// `low` to `high` times a positive value; the fallback range when it is not positive.
SweepRange scaled(double value, double low, double high, double fallback_low,
                  double fallback_high) {
  if (!(value > 0.0)) {
    return {fallback_low, fallback_high, kDefaultPoints};
  }
  return {low * value, high * value, kDefaultPoints};
}

// From zero to twice a positive value, else to `fallback_high`.
SweepRange up_from_zero(double value, double fallback_high) {
  return {0.0, value > 0.0 ? 2.0 * value : fallback_high, kDefaultPoints};
}

SweepRange unrounded_range(SweepInput input, const SweepBase& base) {
  const double value = current_position(input, base);
  const core::Burner& burner = base.input.burner;
  switch (input) {
    case SweepInput::min_return_temp: {
      // The form's choices run from the indoor temperature to 65 °C.
      constexpr double kLowest = 20.0;
      constexpr double kHighest = 65.0;
      return {std::min(kLowest, value), std::max(kHighest, value),
              static_cast<int>(kHighest - kLowest) + 1};
    }
    case SweepInput::burner_max_power: {
      SweepRange range = scaled(value, 0.5, 2.0, 1.0, 30.0);
      if (!one_power(burner)) {
        // Below its minimum a modulating burner is one no longer.
        range.from = std::max(range.from, kw(burner.min_power_w()));
      }
      return range;
    }
    case SweepInput::burner_min_power: {
      const double max_kw = kw(burner.max_power_w());
      return {std::min(value, 0.2 * max_kw), max_kw, kDefaultPoints};
    }
    case SweepInput::excess_air:
      return {0.0, std::max(60.0, 2.0 * value), kDefaultPoints};
    case SweepInput::pilot_power:
      return {0.0, std::max(200.0, 2.0 * value), kDefaultPoints};
    case SweepInput::flue_gas_temp_high:
    case SweepInput::flue_gas_temp_low:
      return scaled(value, 0.5, 1.5, 30.0, 120.0);
    case SweepInput::convection_constant:
    case SweepInput::standby_constant:
      return up_from_zero(value, 2.0);
    case SweepInput::standby_exponent:
      return scaled(value, 0.5, 1.5, 0.5, 1.5);
    case SweepInput::design_heat_demand:
      return scaled(value, 0.5, 2.0, 2.0, 20.0);
    case SweepInput::indoor_temp: {
      constexpr double kSpan = 4.0;
      return {value - kSpan, value + kSpan, kDefaultPoints};
    }
    case SweepInput::design_supply_temp:
      // From floor heating's temperatures up to old radiators'.
      return {35.0, std::max(80.0, value), 46};
    case SweepInput::hot_water_demand:
      return up_from_zero(value, 5000.0);
    case SweepInput::heater_loss:
      return up_from_zero(value, 2.0);
    case SweepInput::pump_power:
      return up_from_zero(value, 120.0);
    case SweepInput::heating_system:
    case SweepInput::climate:
      break;
  }
  return {};
}

}  // namespace

bool is_category(SweepInput input) {
  return input == SweepInput::heating_system || input == SweepInput::climate;
}

QString sweep_input_name(SweepInput input, const SweepBase& base) {
  switch (input) {
    case SweepInput::heating_system:
      return QCoreApplication::translate("SweepInputs", "Värmesystem (fram/retur)");
    case SweepInput::design_supply_temp:
      return QCoreApplication::translate("SweepInputs", "Dimensionerande framledningstemperatur");
    case SweepInput::climate:
      return QCoreApplication::translate("SweepInputs", "Klimat");
    case SweepInput::burner_max_power:
      if (one_power(base.input.burner)) {
        return QCoreApplication::translate("SweepInputs", "Brännareffekt");
      }
      break;
    default:
      break;
  }
  return from_utf8(quantity_of(input).label);
}

QString sweep_unit(SweepInput input) {
  if (input == SweepInput::design_supply_temp) {
    return QStringLiteral("°C");
  }
  return is_category(input) ? QString() : from_utf8(quantity_of(input).unit);
}

QString sweep_heading(SweepInput input, const SweepBase& base) {
  const QString unit = sweep_unit(input);
  const QString name = sweep_input_name(input, base);
  return unit.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, unit);
}

QString sweep_unavailable(SweepInput input, const SweepBase& base) {
  if (input == SweepInput::burner_min_power && one_power(base.input.burner)) {
    return QCoreApplication::translate(
        "SweepInputs",
        "En enstegsbrännare har bara en effekt, och den varieras under "
        "\"Brännareffekt\". Mineffekten finns för en modulerande brännare.");
  }
  return {};
}

QString sweep_note(SweepInput input, const SweepBase& base) {
  switch (input) {
    case SweepInput::heating_system:
      return QCoreApplication::translate(
          "SweepInputs", "Värmesystemets dimensionerande fram- och returtemperatur.");
    case SweepInput::design_supply_temp:
      return QCoreApplication::translate(
                 "SweepInputs",
                 "Returtemperaturen följer med så att den ligger lika långt från "
                 "inomhustemperaturen mot framledningen som i fallet (%1).")
          .arg(heating_system_text(base.input.heating_system));
    case SweepInput::climate:
      return QCoreApplication::translate(
          "SweepInputs",
          "Varje ort med sin dimensionerande utetemperatur; husets maximala "
          "uppvärmningsbehov gäller vid den.");
    case SweepInput::burner_max_power:
      return one_power(base.input.burner)
                 ? QCoreApplication::translate("SweepInputs", "Enstegsbrännarens enda effekt.")
                 : QCoreApplication::translate(
                       "SweepInputs",
                       "Mineffekten ligger kvar; under den räknas brännaren som "
                       "enstegsbrännare.");
    case SweepInput::burner_min_power:
      return one_power(base.input.burner)
                 ? QString()
                 : QCoreApplication::translate("SweepInputs",
                                               "Maxeffekten ligger kvar; från den och uppåt räknas "
                                               "brännaren som enstegsbrännare.");
    case SweepInput::indoor_temp:
      return base.min_return_follows_indoor
                 ? QCoreApplication::translate(
                       "SweepInputs",
                       "Lägsta temperatur till pannan följer inomhustemperaturen, "
                       "som valt på formuläret.")
                 : QString();
    case SweepInput::excess_air:
      return QCoreApplication::translate("SweepInputs", "Lufttalet är 1 + luftöverskottet / 100.");
    default:
      return {};
  }
}

SweepRange default_range(SweepInput input, const SweepBase& base) {
  SweepRange range = unrounded_range(input, base);
  range.from = round_to_digits(range.from);
  range.to = round_to_digits(range.to);
  return range;
}

QString range_fault(SweepInput input, const SweepBase& base, const SweepRange& range) {
  if (is_category(input)) {
    return {};
  }
  if (range.points < kMinSweepPoints || range.points > kMaxSweepPoints) {
    return QStringLiteral("\"Antal punkter\" måste vara från %1 till %2.")
        .arg(kMinSweepPoints)
        .arg(kMaxSweepPoints);
  }
  if (range.from == range.to) {
    return QStringLiteral("\"Från\" och \"Till\" är lika. Ange två olika värden.");
  }
  for (const auto& [value, field] :
       {std::pair{range.from, QCoreApplication::translate("SweepInputs", "Från")},
        std::pair{range.to, QCoreApplication::translate("SweepInputs", "Till")}}) {
    if (input == SweepInput::design_supply_temp &&
        !(value >= core::kLowestDesignSupplyTempC && value <= core::kHighestDesignSupplyTempC)) {
      return QCoreApplication::translate("SweepInputs",
                                         "Värdet i fältet \"%1\" ligger utanför %2–%3 °C.")
          .arg(field)
          .arg(double(core::kLowestDesignSupplyTempC))
          .arg(double(core::kHighestDesignSupplyTempC));
    }
    core::BoilerCase changed = base.input;
    set_number(input, changed, value, base);
    try {
      core::control_file_lines(changed);
    } catch (const std::invalid_argument&) {
      return QCoreApplication::translate("SweepInputs",
                                         "Värdet i fältet \"%1\" ger ett tal som är för stort för "
                                         "beräkningen.")
          .arg(field);
    }
  }
  return {};
}

std::vector<SweepPoint> sweep_points(SweepInput input, const SweepBase& base,
                                     const SweepRange& range) {
  std::vector<SweepPoint> points;
  if (is_category(input)) {
    const std::vector<Choice> list = choices(input, base);
    for (std::size_t i = 0; i < list.size(); ++i) {
      points.push_back({static_cast<double>(i), list[i].name, list[i].input, {}});
    }
    return points;
  }
  const bool modulating = !one_power(base.input.burner);
  const int count = std::max(range.points, 1);
  points.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    // Both ends exactly as given.
    const double value =
        count == 1 ? range.from
                   : std::lerp(range.from, range.to, static_cast<double>(i) / (count - 1));
    SweepPoint point{value, {}, base.input, {}};
    set_number(input, point.input, value, base);
    if (modulating && !point.input.burner.is_modulating()) {
      point.note =
          QCoreApplication::translate("SweepInputs",
                                      "Mineffekten är inte lägre än maxeffekten; brännaren räknas "
                                      "som enstegsbrännare.");
    }
    points.push_back(point);
  }
  return points;
}

double current_position(SweepInput input, const SweepBase& base) {
  if (input == SweepInput::design_supply_temp) {
    return base.input.heating_system.supply_temp_c;
  }
  if (!is_category(input)) {
    return quantity_of(input).value(base.input);
  }
  const std::vector<Choice> list = choices(input, base);
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].input == base.input) {
      return static_cast<double>(i);
    }
  }
  return 0.0;
}

}  // namespace varmkalk
