// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vp/year_report.h"

#include "core/cost/generators.h"
#include "tools/vp/decimal_text.h"

namespace varmkalk::vp {

namespace {

constexpr std::string_view kHeading = "***************** VÄRMEPUMP ***********************";
// Each figure's value ends in this column (counted in characters), its unit after it.
constexpr std::size_t kValueEndColumn = 56;

std::size_t characters(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    count += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
  }
  return count;
}

std::string figure_line(std::string_view label, const std::string& value, std::string_view unit) {
  std::string line = "  - " + std::string(label) + ": ";
  const std::size_t used = characters(line) + value.size();
  line += std::string(used < kValueEndColumn ? kValueEndColumn - used : 0, ' ') + value;
  return unit.empty() ? line + '\n' : line + ' ' + std::string(unit) + '\n';
}

std::string kwh_line(std::string_view label, double kwh) {
  return figure_line(label, decimal_text(kwh, 0), "kWh");
}

}  // namespace

std::string year_report(std::string_view unit_name, std::string_view climate_name,
                        const core::HeatPumpYear& year, const core::YearCost& cost,
                        const core::CostInputs& prices) {
  std::string report = std::string(kHeading) + '\n';
  report += "  - Värmepump: " + std::string(unit_name) + '\n';
  report += "  - Klimat: " + std::string(climate_name) + '\n';
  report += kwh_line("Rumsvärme", year.space_heat_kwh);
  report += kwh_line("Varmvatten och beredarförlust", year.hot_water_kwh);
  report += kwh_line("Värme från värmepumpen", year.unit_heat_kwh);
  report += kwh_line("Värme från elpatronen", year.backup_heat_kwh);
  report += kwh_line("Värme som inte räckte till", year.unmet_kwh);
  report += kwh_line("Kompressorns elanvändning", year.compressor_kwh);
  report += kwh_line("Elpatronens elanvändning", year.backup_heat_kwh);
  report += kwh_line("Elanvändning i frånläge", year.off_mode_kwh);
  report += kwh_line("Värmepumpens elanvändning (SEPEMO H3)", year.hp_electricity_kwh);
  report += kwh_line("Cirkulationspumpens elanvändning", year.circulation_pump_kwh);
  report += figure_line("Årsvärmefaktor (SPF, H3)",
                        year.seasonal_performance_factor
                            ? decimal_text(*year.seasonal_performance_factor, 2)
                            : std::string("-"),
                        "");
  report += figure_line("Dagar med elpatron", std::to_string(year.backup_days), "");
  report += figure_line("Dagar då värmen inte räckte", std::to_string(year.unmet_days), "");
  report += year.bivalent_c ? figure_line("Balanspunkt", decimal_text(*year.bivalent_c, 1), "°C")
                            : figure_line("Balanspunkt",
                                          "under " + decimal_text(core::kLowestBivalentC, 0), "°C");
  report +=
      figure_line("Kallaste dygnets medeltemperatur", decimal_text(year.coldest_day_c, 1), "°C");
  report +=
      figure_line("Kallaste dygnets medeleffekt (el)", decimal_text(year.coldest_day_kw, 2), "kW");
  report += "  - Elpris " + decimal_text(prices.electricity_price_sek_per_kwh, 2) + " kr/kWh, " +
            decimal_text(prices.electricity_co2_kg_per_kwh, 3) + " kg koldioxid/kWh:\n";
  for (const core::YearFigure& figure : core::heat_pump().figures) {
    report += figure_line(figure.label, decimal_text(cost.*figure.member, 0), figure.unit);
  }
  report +=
      "  Dygnets medeltemperatur står för hela dygnet: under ett år timme för timme blir\n"
      "  elpatronens värme och den högsta eleffekten större. Siffrorna är inga mått för\n"
      "  säkring eller effekttaxa.\n";
  return report;
}

}  // namespace varmkalk::vp
