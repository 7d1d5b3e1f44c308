// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/climate_import/field_values.h"

#include <charconv>
#include <string>
#include <variant>

#include "core/climate_import/climate_year.h"
#include "core/climate_import/source_text.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {

NanoCelsius read_temperature(std::string_view field, bool comma_allowed, const FieldPlace& place) {
  const auto parsed = parse_exact_decimal(field, comma_allowed);
  if (const auto* fault = std::get_if<DecimalFault>(&parsed)) {
    if (field.empty()) {
      fail(place.text() + ": temperaturen saknas");
    }
    if (*fault == DecimalFault::too_many_decimals) {
      fail(place.text() + ": " + quoted_for_message(field) + " har fler än nio decimaler");
    }
    if (*fault == DecimalFault::not_a_number) {
      fail(place.text() + ": " + quoted_for_message(field) + " är ingen temperatur (väntade ett decimaltal" +
           (comma_allowed ? " med punkt eller komma)" : " med punkt)"));
    }
  } else {
    const NanoCelsius value = std::get<ExactDecimal>(parsed).value_nano_c;
    if (value >= kLowestTenthsC * kNanoPerTenth && value <= kHighestTenthsC * kNanoPerTenth) {
      return value;
    }
  }
  fail(place.text() + ": " + quoted_for_message(field) +
       " °C är ingen rimlig lufttemperatur (-90 till +60 °C)");
}

int read_whole_number(std::string_view field, int lowest, int highest, const FieldPlace& place) {
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
      value < lowest || value > highest) {
    fail(place.text() + ": " + quoted_for_message(field) + " är inget heltal från " + std::to_string(lowest) +
         " till " + std::to_string(highest));
  }
  return value;
}

Date read_date(std::string_view field, const FieldPlace& place) {
  const std::optional<Date> date = parse_iso_date(field);
  if (!date) {
    fail(place.text() + ": " + quoted_for_message(field) + " är inget datum (väntade ÅÅÅÅ-MM-DD)");
  }
  return *date;
}

}  // namespace varmkalk::core
