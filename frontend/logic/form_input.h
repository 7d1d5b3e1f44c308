// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

#include "core/case/climates.h"
#include "core/case/heating_systems.h"

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

// Everything the user has entered on the input form, as plain values: the state of its option
// groups and the text of its fields exactly as typed, each named by what it means and the
// unit it is typed in. The form's widgets fill it; validation and the control file writer read it.
struct FormInput {
  Burner burner = Burner::Unchosen;
  HotWaterHeater hot_water_heater = HotWaterHeater::Unchosen;
  ConvectionSource convection_source = ConvectionSource::Unchosen;
  StandbySource standby_source = StandbySource::Unchosen;
  core::HeatingSystem heating_system = core::HeatingSystem::radiators_55_45;
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
};

// The 27 number fields by their control names and labels, so that the form can move texts and
// colours between its widgets and a FormInput, and messages can name a field, without naming
// each field twice.
struct FormField {
  const char* name;   // the control's object name
  const char* label;  // as the form shows it, with the row or section where the label is ambiguous
  QString FormInput::*text;
};

inline constexpr std::array<FormField, 27> kFormFields{{
    {"enstegeff", "Brännareffekt (kW)", &FormInput::single_stage_power_kw},
    {"enstegluft", "Luftöverskott (%)", &FormInput::single_stage_excess_air_percent},
    {"modmax", "Maxeffekt (kW)", &FormInput::modulating_max_power_kw},
    {"modmin", "Mineffekt (kW)", &FormInput::modulating_min_power_kw},
    {"modluft", "Luftöverskott (%)", &FormInput::modulating_excess_air_percent},
    {"pilotflamma", "Pilotflamma (W)", &FormInput::pilot_power_w},
    {"vvbehov", "Årligt varmvattenbehov (kWh)", &FormInput::hot_water_kwh_per_year},
    {"Text5", "Beredarens värmeförlust (kWh/dag)", &FormInput::heater_loss_kwh_per_day},
    {"konvkonst", "Konstant, Konvektionsförlust", &FormInput::convection_constant},
    {"konveff", "Effekt (W), Konvektionsförlust", &FormInput::convection_loss_w},
    {"konvtemp", "Temp.skillnad panna-rum (°C)", &FormInput::convection_temp_difference_k},
    {"sbkonstant", "Konstant, Stilleståndsförlust", &FormInput::standby_constant},
    {"sbexponent", "Exponent, Stilleståndsförlust", &FormInput::standby_exponent},
    {"sbtemp1", "Temp- skillnad (°C), Fall 1 (låg temp)", &FormInput::standby_temp_difference_1_k},
    {"sbeff1", "Effekt (W), Fall 1 (låg temp)", &FormInput::standby_loss_1_w},
    {"sbtemp2", "Temp- skillnad (°C), Fall 2 (hög temp)", &FormInput::standby_temp_difference_2_k},
    {"sbeff2", "Effekt (W), Fall 2 (hög temp)", &FormInput::standby_loss_2_w},
    {"TempH", "Temp (°C), Hög", &FormInput::flue_gas_temp_high_c},
    {"FramH", "Fram (°C), Hög", &FormInput::supply_temp_high_c},
    {"ReturH", "Retur (°C), Hög", &FormInput::return_temp_high_c},
    {"TempL", "Temp (°C), Låg", &FormInput::flue_gas_temp_low_c},
    {"FramL", "Fram (°C), Låg", &FormInput::supply_temp_low_c},
    {"ReturL", "Retur (°C), Låg", &FormInput::return_temp_low_c},
    {"huseff", "Husets maximala uppvärmningsbehov (kW)", &FormInput::design_heat_demand_kw},
    {"intemp", "Inomhustemperatur (°C)", &FormInput::indoor_temp_c},
    {"cirkpump", "Cirkulationspumpens eleffekt (W)", &FormInput::pump_power_w},
    {"dut", "Dimensionerande utetemperatur (°C), Egen klimatfil",
     &FormInput::own_design_outdoor_temp_c},
}};

// The own climate file's field: a name, not a number, so not among the fields above.
inline constexpr char kOwnClimateFileField[] = "klimatfil";

// The control name of a field of FormInput; empty for a member that is no field.
QString form_field_name(QString FormInput::*text);

}  // namespace varmkalk
