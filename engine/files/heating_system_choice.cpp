#include "heating_system_choice.h"

namespace kalvex {
namespace {

constexpr float kHighSupplyTemp = 80.0f;  // °C
constexpr float kHighReturnTemp = 60.0f;
constexpr float kLowSupplyTemp = 55.0f;
constexpr float kLowReturnTemp = 45.0f;

}  // namespace

bool is_high_temperature_system(const CodeText& heating_system_code) {
  return heating_system_code.is_code_either_case('A', 'a');
}

void choose_heating_system(RunParameters& params) {
  const bool high = is_high_temperature_system(params.heating_system_code);
  params.design_supply_temp = high ? kHighSupplyTemp : kLowSupplyTemp;
  params.design_return_temp = high ? kHighReturnTemp : kLowReturnTemp;
}

}  // namespace kalvex
