// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/run_warnings.h"

#include "core/text/fixed_format.h"

namespace varmkalk::core {

std::vector<std::string> run_warnings(const AnnualTotals& totals,
                                      std::string_view decimal_separator) {
  const auto decimal = [decimal_separator](float value, int decimals) {
    std::string text = format_decimal(value, decimals);
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
      text.replace(point, 1, decimal_separator);
    }
    return text;
  };
  std::vector<std::string> warnings;
  if (totals.unmet_days > 0) {
    warnings.push_back("Varning: pannan räckte inte till för värmebehovet under " +
                       std::to_string(totals.unmet_days) + " dygn; det största underskottet var " +
                       decimal(totals.largest_shortfall_w, 0) + " W (" +
                       decimal(totals.largest_shortfall_share * 100.0f, 1) +
                       " % av dygnets behov).");
  }
  if (totals.heating_days == 0) {
    warnings.push_back(
        "Varning: inget dygn behövde värme; årsverkningsgraderna visas därför som \"-\".");
  }
  return warnings;
}

}  // namespace varmkalk::core
