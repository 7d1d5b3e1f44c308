#include "frontend/logic/input_validation.h"

#include <initializer_list>

namespace varmkalk {

namespace {

int chosen_components(const FormInput& input) {
  return (input.burner != Burner::Unchosen ? 1 : 0) +
         (input.hot_water_heater != HotWaterHeater::Unchosen ? 1 : 0) +
         (input.convection_source != ConvectionSource::Unchosen ? 1 : 0) +
         (input.standby_source != StandbySource::Unchosen ? 1 : 0);
}

struct NamedText {
  const char* name;
  const QString& text;
};

void collect_empty(std::initializer_list<NamedText> fields, QStringList& missing) {
  for (const NamedText& field : fields) {
    if (field.text.isEmpty()) {
      missing.append(QString::fromLatin1(field.name));
    }
  }
}

}  // namespace

InputValidation validate_input(const FormInput& input) {
  constexpr int kComponentGroups = 4;
  InputValidation result;
  if (chosen_components(input) < kComponentGroups) {
    return result;
  }
  result.components_complete = true;
  QStringList& missing = result.missing_fields;

  if (input.burner == Burner::SingleStage) {
    collect_empty({{"enstegeff", input.single_stage_power_kw},
                   {"enstegluft", input.single_stage_excess_air_percent}},
                  missing);
  } else {
    collect_empty({{"modmax", input.modulating_max_power_kw},
                   {"modmin", input.modulating_min_power_kw},
                   {"modluft", input.modulating_excess_air_percent}},
                  missing);
  }
  if (input.hot_water_heater == HotWaterHeater::Yes) {
    collect_empty(
        {{"Text5", input.heater_loss_kwh_per_day}, {"vvbehov", input.hot_water_kwh_per_year}},
        missing);
  }
  if (input.convection_source == ConvectionSource::Constant) {
    collect_empty({{"konvkonst", input.convection_constant}}, missing);
  } else {
    collect_empty(
        {{"konveff", input.convection_loss_w}, {"konvtemp", input.convection_temp_difference_k}},
        missing);
  }
  if (input.standby_source == StandbySource::Constants) {
    collect_empty({{"sbexponent", input.standby_exponent}, {"sbkonstant", input.standby_constant}},
                  missing);
  } else {
    collect_empty({{"sbeff1", input.standby_loss_1_w},
                   {"sbeff2", input.standby_loss_2_w},
                   {"sbtemp1", input.standby_temp_difference_1_k},
                   {"sbtemp2", input.standby_temp_difference_2_k}},
                  missing);
  }
  collect_empty({{"huseff", input.design_heat_demand_kw},
                 {"intemp", input.indoor_temp_c},
                 {"cirkpump", input.pump_power_w},
                 {"pilotflamma", input.pilot_power_w},
                 {"TempH", input.flue_gas_temp_high_c},
                 {"TempL", input.flue_gas_temp_low_c},
                 {"FramH", input.supply_temp_high_c},
                 {"FramL", input.supply_temp_low_c},
                 {"ReturH", input.return_temp_high_c},
                 {"ReturL", input.return_temp_low_c}},
                missing);
  return result;
}

}  // namespace varmkalk
