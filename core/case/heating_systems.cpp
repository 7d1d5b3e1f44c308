// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/case/heating_systems.h"

#include <charconv>

#include "core/case/code_letter.h"
#include "core/text/number_text.h"

namespace varmkalk::core {
namespace {

constexpr std::string_view kReportLineStart = "- Värmesystemet är dimensionerat för ";
constexpr std::string_view kBetween = " och ";
constexpr std::string_view kReportLineEnd = " C";

// The number before `end` in `text`, which then starts after `end`.
std::optional<float> number_before(std::string_view& text, std::string_view end) {
  const std::size_t stop = text.find(end);
  float value = 0.0f;
  if (stop == std::string_view::npos) {
    return std::nullopt;
  }
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + stop, value);
  if (error != std::errc() || ptr != text.data() + stop) {
    return std::nullopt;
  }
  text.remove_prefix(stop + end.size());
  return value;
}

}  // namespace

const HeatingSystemDesign& heating_system_design(HeatingSystem system) {
  return system == HeatingSystem::radiators_80_60 ? kHeatingSystems[0] : kHeatingSystems[1];
}

HeatingSystem heating_system_from_code(std::string_view code_text) {
  return is_code_letter(code_text, kHeatingSystems[0].code_letter) ? kHeatingSystems[0].system
                                                                   : kHeatingSystems[1].system;
}

std::optional<HeatingSystem> coded_heating_system(const DesignTemperatures& temperatures) {
  for (const HeatingSystemDesign& design : kHeatingSystems) {
    if (design.temperatures == temperatures) {
      return design.system;
    }
  }
  return std::nullopt;
}

char heating_system_code_letter(const DesignTemperatures& temperatures) {
  const std::optional<HeatingSystem> coded = coded_heating_system(temperatures);
  return coded ? heating_system_design(*coded).code_letter : kHeatingSystems.back().code_letter;
}

std::string heating_system_report_line(const DesignTemperatures& temperatures) {
  return std::string(kReportLineStart) + shortest_text(temperatures.supply_temp_c) +
         std::string(kBetween) + shortest_text(temperatures.return_temp_c) +
         std::string(kReportLineEnd);
}

std::optional<DesignTemperatures> design_temperatures_of_report_line(std::string_view line) {
  if (!line.starts_with(kReportLineStart)) {
    return std::nullopt;
  }
  std::string_view rest = line.substr(kReportLineStart.size());
  const std::optional<float> supply = number_before(rest, kBetween);
  const std::optional<float> back = number_before(rest, kReportLineEnd);
  if (!supply || !back || !rest.empty()) {
    return std::nullopt;
  }
  const DesignTemperatures temperatures{*supply, *back};
  if (heating_system_report_line(temperatures) != line) {
    return std::nullopt;
  }
  return temperatures;
}

std::string design_temperatures_text(const DesignTemperatures& temperatures) {
  return shortest_text(temperatures.supply_temp_c) + "/" +
         shortest_text(temperatures.return_temp_c) + " °C";
}

std::optional<DesignTemperatureFault> design_temperature_fault(
    const DesignTemperatures& temperatures, float indoor_temp_c) {
  if (!(temperatures.supply_temp_c >= kLowestDesignSupplyTempC &&
        temperatures.supply_temp_c <= kHighestDesignSupplyTempC)) {
    return DesignTemperatureFault::supply_out_of_range;
  }
  if (!(temperatures.return_temp_c < temperatures.supply_temp_c)) {
    return DesignTemperatureFault::return_not_below_supply;
  }
  if (!(temperatures.return_temp_c > indoor_temp_c)) {
    return DesignTemperatureFault::return_not_above_indoor;
  }
  return std::nullopt;
}

}  // namespace varmkalk::core
