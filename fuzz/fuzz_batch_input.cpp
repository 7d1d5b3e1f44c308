// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as kalvex-batch's input table: the reader either gives rows with a cell for
// each column, whose cases' numbers are finite, whose metered gas, where a row has one, is a
// number above 0 of at most 1e9 kWh, and whose heat pump, where a row has one, has its settings
// and a generic unit's capacity within their ranges and a unit file of a portable name; or it
// ends with Swedish lines of valid UTF-8, each naming the file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "core/heatpump/heat_pump_installation.h"
#include "core/text/portable_name.h"
#include "fuzz/fuzz_support.h"
#include "tools/batch/batch_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  constexpr double kMostMeterKwh = 1.0e9;
  const std::string bytes = fuzz::bytes_of(data, size);
  try {
    const batch::BatchInput input = batch::read_batch_input(bytes, "in.csv");
    for (const batch::BatchRow& row : input.rows) {
      fuzz::require(row.row.fields.size() == input.header.size(),
                    "a row whose cells are not the header's columns");
      fuzz::require_finite_values(row.input);
      if (const auto& meter = row.metered_gas_kwh) {
        fuzz::require(input.kind == batch::TableKind::metered,
                      "a reading without the meter's column");
        fuzz::require(std::isfinite(*meter) && *meter > 0.0 && *meter <= kMostMeterKwh,
                      "a reading that is no gas a house can use", std::to_string(*meter));
      }
      if (const auto& heat_pump = row.heat_pump) {
        fuzz::require(input.heat_pump, "a heat pump without its columns");
        fuzz::require(!core::invalid_heat_pump_setting(heat_pump->settings),
                      "a heat pump setting out of its range");
        if (heat_pump->unit_file.empty()) {
          fuzz::require(heat_pump->capacity_kw >= core::kLeastRatingKw &&
                            heat_pump->capacity_kw <= core::kLargestRatingKw,
                        "a generic heat pump of no size it can have",
                        std::to_string(heat_pump->capacity_kw));
        } else {
          fuzz::require(!core::portable_name_fault(heat_pump->unit_file),
                        "a unit file whose name is not the same file everywhere");
        }
      }
    }
  } catch (const core::CsvError& e) {
    fuzz::require_clear_message(e.what(), "in.csv");
  } catch (const batch::BatchInputError& e) {
    const std::string_view lines = e.what();
    for (std::size_t start = 0; start < lines.size();) {
      const std::size_t end = std::min(lines.find('\n', start), lines.size());
      fuzz::require_clear_message(lines.substr(start, end - start), "in.csv");
      start = end + 1;
    }
  } catch (const std::exception& e) {
    fuzz::finding("the batch table ended with an exception of no kind it names", e.what());
  }
  return 0;
}
