// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <limits>
#include <string_view>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"
#include "core/case/units.h"
#include "frontend/controls/control_names.h"

namespace varmkalk {

// The four component choices of the input form; none is chosen when the form opens.
enum class Burner { Unchosen, SingleStage, Modulating };        // enstegbr, modbr
enum class HotWaterHeater { Unchosen, Yes, No };                // vvja, vvnej
enum class ConvectionSource { Unchosen, Constant, KnownLoss };  // konvkonstant, konveffekt
enum class StandbySource { Unchosen, Constants, KnownLosses };  // sbkonst, sbeff

// The lowest return temperature the boiler permits: 65 °C, 35 °C (preset) or the indoor
// temperature, so that a condensing boiler follows the radiators all the way down.
enum class MinReturnTemp { C65, C35, Indoor };  // Sextiofem, Trettiofem (preset), Tjugo
inline constexpr float kMinReturnTemp65C = 65.0F;
inline constexpr float kMinReturnTemp35C = 35.0F;

// The choice's lowest return temperature, °C.
constexpr float min_return_temp_c(MinReturnTemp choice, float indoor_temp_c) {
  switch (choice) {
    case MinReturnTemp::C65:
      return kMinReturnTemp65C;
    case MinReturnTemp::C35:
      return kMinReturnTemp35C;
    case MinReturnTemp::Indoor:
      break;
  }
  return indoor_temp_c;
}

// The form always credits this share of the circulation pump's electric power to the water,
// per cent.
inline constexpr float kPumpHeatSharePercent = 75.0F;

inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// Everything the user has entered on the input form, as plain values: the state of its option
// groups and the text of its fields exactly as typed, each named by what it means and the
// unit it is typed in. The form's widgets fill it; validation and the control file writer read it.
struct FormInput {
  Burner burner = Burner::Unchosen;
  HotWaterHeater hot_water_heater = HotWaterHeater::Unchosen;
  ConvectionSource convection_source = ConvectionSource::Unchosen;
  StandbySource standby_source = StandbySource::Unchosen;
  core::HeatingSystem heating_system = core::HeatingSystem::radiators_55_45;
  // "Egna temperaturer" in the heating-system group: design temperatures the user types, which
  // then count instead of the system above.
  bool own_design_temps = false;
  MinReturnTemp min_return_temp = MinReturnTemp::C35;
  core::Place climate = core::Place::malmo;
  // "Egen klimatfil" in the climate group: a climate file of the user's own, from the working
  // folder, instead of the place above; its design outdoor temperature is a field of its own.
  bool own_climate = false;
  QString own_climate_file;

  QString single_stage_power_kw, single_stage_excess_air_percent;
  QString modulating_max_power_kw, modulating_min_power_kw, modulating_excess_air_percent;
  QString pilot_power_w = QStringLiteral("0");
  QString hot_water_kwh_per_year, heater_loss_kwh_per_day;
  // Convection loss: the constant C, or a known loss at a temperature difference boiler–room.
  QString convection_constant, convection_loss_w, convection_temp_difference_k;
  // Standby loss: the constants C1 and C2, or known losses at two temperature differences.
  QString standby_constant, standby_exponent;
  QString standby_temp_difference_1_k, standby_loss_1_w;
  QString standby_temp_difference_2_k, standby_loss_2_w;
  // The boiler's flue-gas temperature at a high and a low supply and return temperature.
  QString flue_gas_temp_high_c, supply_temp_high_c, return_temp_high_c;
  QString flue_gas_temp_low_c, supply_temp_low_c, return_temp_low_c;
  QString design_heat_demand_kw;
  QString indoor_temp_c = QStringLiteral("20");
  QString pump_power_w = QStringLiteral("65");
  QString own_design_outdoor_temp_c;
  QString own_supply_temp_c, own_return_temp_c;
};

// Which fields the form needs for the choices made; see FormField::needed.
bool always_needed(const FormInput& input);
bool single_stage_chosen(const FormInput& input);
bool modulating_chosen(const FormInput& input);
bool hot_water_heater_chosen(const FormInput& input);
bool convection_constant_chosen(const FormInput& input);
bool convection_loss_chosen(const FormInput& input);
bool standby_constants_chosen(const FormInput& input);
bool standby_losses_chosen(const FormInput& input);
bool own_climate_chosen(const FormInput& input);
bool own_design_temps_chosen(const FormInput& input);

// One number field of the form, described once: its control, its label as the form shows it
// beside the field, the row or section that makes the label unique in a message, the choice
// that needs it, its plausible range and the library's input quantity it gives the case. The
// layout, the needed-fields rule, the plausibility check, the derivation of the case and the
// restore from a kept summary take it from here.
struct FormField {
  const char* name;     // the control's object name
  const char* shown;    // beside the field on the form; empty where a column and a row label it
  const char* context;  // added to `shown` in messages, after a comma; may be empty
  QString FormInput::*text;
  bool (*needed)(const FormInput&);
  // The library's quantity (core/formats/input_quantities.h) the field gives, typed in its unit;
  // empty for the burner's fields, whose meaning depends on the burner's kind.
  std::string_view quantity = {};
  // The value comes from a rule of its own (the loss fits), not from the field alone.
  bool own_rule = false;
  // Typed values outside are questioned before the calculation runs.
  double lowest = -kUnbounded;
  double highest = kUnbounded;
  // From the unit the summary report prints to the unit typed; null where they are the same.
  double (*from_summary)(double) = nullptr;
};

// A house boiler's burner gives some 5 to 40 kW, and a house needs at most a few tens of kW.
inline constexpr double kMaxBurnerPowerKw = 100.0;
inline constexpr double kMaxDesignHeatDemandKw = 50.0;
// Below no excess air the gas cannot burn completely; a tuned burner runs at 10 to 50 %.
inline constexpr double kMinExcessAirPercent = 0.0;
inline constexpr double kMaxExcessAirPercent = 150.0;
// The flue gas of a house boiler stays well below 300 °C, and its water below boiling.
inline constexpr double kMaxFlueGasTempC = 300.0;
inline constexpr double kMaxSupplyTempC = 100.0;
inline constexpr double kMinIndoorTempC = 10.0;
inline constexpr double kMaxIndoorTempC = 30.0;

inline constexpr std::array<FormField, 29> kFormFields{{
    {"enstegeff",
     "Brännareffekt (kW)",
     "",
     &FormInput::single_stage_power_kw,
     single_stage_chosen,
     {},
     false,
     -kUnbounded,
     kMaxBurnerPowerKw},
    {"enstegluft",
     "Luftöverskott (%)",
     "",
     &FormInput::single_stage_excess_air_percent,
     single_stage_chosen,
     {},
     false,
     kMinExcessAirPercent,
     kMaxExcessAirPercent},
    {"modmax",
     "Maxeffekt (kW)",
     "",
     &FormInput::modulating_max_power_kw,
     modulating_chosen,
     {},
     false,
     -kUnbounded,
     kMaxBurnerPowerKw},
    {"modmin", "Mineffekt (kW)", "", &FormInput::modulating_min_power_kw, modulating_chosen},
    {"modluft",
     "Luftöverskott (%)",
     "",
     &FormInput::modulating_excess_air_percent,
     modulating_chosen,
     {},
     false,
     kMinExcessAirPercent,
     kMaxExcessAirPercent},
    {"pilotflamma", "Pilotflamma (W)", "", &FormInput::pilot_power_w, always_needed, "pilot_power"},
    {"vvbehov", "Årligt varmvattenbehov (kWh)", "", &FormInput::hot_water_kwh_per_year,
     hot_water_heater_chosen, "hot_water_demand"},
    {control::input::kHeaterLoss, "Beredarens värmeförlust (kWh/dag)", "",
     &FormInput::heater_loss_kwh_per_day, hot_water_heater_chosen, "heater_loss"},
    {"konvkonst", "Konstant", "Konvektionsförlust", &FormInput::convection_constant,
     convection_constant_chosen, "convection_constant", true},
    {"konveff", "Effekt (W)", "Konvektionsförlust", &FormInput::convection_loss_w,
     convection_loss_chosen},
    {"konvtemp", "Temp.skillnad panna-rum (°C)", "", &FormInput::convection_temp_difference_k,
     convection_loss_chosen},
    {"sbkonstant", "Konstant", "Stilleståndsförlust", &FormInput::standby_constant,
     standby_constants_chosen, "standby_constant", true},
    {"sbexponent", "Exponent", "Stilleståndsförlust", &FormInput::standby_exponent,
     standby_constants_chosen, "standby_exponent", true},
    {"sbtemp1", "", "Temp- skillnad (°C), Fall 1 (låg temp)",
     &FormInput::standby_temp_difference_1_k, standby_losses_chosen},
    {"sbeff1", "", "Effekt (W), Fall 1 (låg temp)", &FormInput::standby_loss_1_w,
     standby_losses_chosen},
    {"sbtemp2", "", "Temp- skillnad (°C), Fall 2 (hög temp)",
     &FormInput::standby_temp_difference_2_k, standby_losses_chosen},
    {"sbeff2", "", "Effekt (W), Fall 2 (hög temp)", &FormInput::standby_loss_2_w,
     standby_losses_chosen},
    {"TempH", "", "Temp (°C), Hög", &FormInput::flue_gas_temp_high_c, always_needed,
     "flue_gas_temp_2", false, -kUnbounded, kMaxFlueGasTempC},
    {"FramH", "", "Fram (°C), Hög", &FormInput::supply_temp_high_c, always_needed, "supply_temp_2",
     false, -kUnbounded, kMaxSupplyTempC},
    {"ReturH", "", "Retur (°C), Hög", &FormInput::return_temp_high_c, always_needed,
     "return_temp_2"},
    {"TempL", "", "Temp (°C), Låg", &FormInput::flue_gas_temp_low_c, always_needed,
     "flue_gas_temp_1", false, -kUnbounded, kMaxFlueGasTempC},
    {"FramL", "", "Fram (°C), Låg", &FormInput::supply_temp_low_c, always_needed, "supply_temp_1",
     false, -kUnbounded, kMaxSupplyTempC},
    {"ReturL", "", "Retur (°C), Låg", &FormInput::return_temp_low_c, always_needed,
     "return_temp_1"},
    {"huseff", "Husets maximala uppvärmningsbehov (kW)", "", &FormInput::design_heat_demand_kw,
     always_needed, "design_heat_demand", false, -kUnbounded, kMaxDesignHeatDemandKw,
     core::kw_from_watts<double>},
    {"intemp", "Inomhustemperatur (°C)", "", &FormInput::indoor_temp_c, always_needed,
     "indoor_temp", false, kMinIndoorTempC, kMaxIndoorTempC},
    {"cirkpump", "Cirkulationspumpens eleffekt (W)", "", &FormInput::pump_power_w, always_needed,
     "pump_power"},
    {"dut", "", "Dimensionerande utetemperatur (°C), Egen klimatfil",
     &FormInput::own_design_outdoor_temp_c, own_climate_chosen},
    {"framdim", QT_TRANSLATE_NOOP("FormFields", "Fram (°C)"),
     QT_TRANSLATE_NOOP("FormFields", "Egna temperaturer"), &FormInput::own_supply_temp_c,
     own_design_temps_chosen},
    {"returdim", QT_TRANSLATE_NOOP("FormFields", "Retur (°C)"),
     QT_TRANSLATE_NOOP("FormFields", "Egna temperaturer"), &FormInput::own_return_temp_c,
     own_design_temps_chosen},
}};

// The field of that control name; throws std::invalid_argument for an unknown one.
const FormField& form_field(std::string_view name);

// The own climate file's field: a name, not a number, so not among the fields above.
inline constexpr char kOwnClimateFileField[] = "klimatfil";

// The control name of a field of FormInput; empty for a member that is no field.
QString form_field_name(QString FormInput::*text);

}  // namespace varmkalk
