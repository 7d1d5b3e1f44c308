// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varmkalk::core {

// Saturation pressure of water vapour, bar.
float saturation_pressure(float temp);

// Water vapour in the combustion air at 50 % relative humidity, m³n per m³n of dry air.
float combustion_air_humidity(float air_temp);

// The combustion at one flue-gas temperature, all fractions of the fuel's lower heating value.
struct CombustionBalance {
  float dew_point = 0.0f;          // °C, of the flue gas as it leaves the flame
  float condensation_gain = 0.0f;  // heat of the vapour condensed above the flue-gas temperature
  float efficiency = 0.0f;         // η_c; above 1 when the flue gas condenses
};

CombustionBalance combustion_balance(float air_ratio, float flue_gas_temp, float air_temp);

// η_c: the share of the fuel's lower heating value not carried away by the flue gas.
float combustion_efficiency(float air_ratio, float flue_gas_temp, float air_temp);

}  // namespace varmkalk::core
