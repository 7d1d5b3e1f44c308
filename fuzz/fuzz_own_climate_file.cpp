// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a climate file of the user's own, named on line 24 and read as the engine
// reads it: one whole year or a refusal. A year the engine takes is one kalvex-klimat --info
// takes too, day by day the same temperatures, each a day of 365 or 366 in order and within the
// limits of a daily mean; a refusal is one clear message naming the file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <variant>

#include "core/climate_import/climate_file.h"
#include "core/files/run_error.h"
#include "core/formats/climate_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  static constexpr const char* kName = "egen.dat";
  static const fuzz::ScratchFolder folder;
  const std::string bytes = fuzz::bytes_of(data, size);
  folder.write(kName, bytes);

  ClimateDays days;
  try {
    ClimateFile file = open_climate_file(kName, folder.path(), {});
    fuzz::require(file.reading() == ClimateReading::whole_year, "an own file is read leniently");
    days = read_climate_days(file);
  } catch (const RunError& e) {
    fuzz::require_clear_message(e.what(), kName);
    return 0;
  } catch (const std::exception& e) {
    fuzz::finding("reading an own climate file ended with an exception that is not a RunError",
                  e.what());
  }
  fuzz::require(!days.fault, "a whole year was kept with a fault", days.fault.value_or(""));
  fuzz::require(days.records.size() == 365 || days.records.size() == 366,
                "an own year is not 365 or 366 days long");
  const ImportResult info = read_climate_file(bytes, kName);
  const auto* year = std::get_if<ClimateYear>(&info);
  fuzz::require(year != nullptr, "kalvex-klimat --info refuses a year the engine runs",
                year ? "" : std::get<ImportError>(info).message);
  fuzz::require(year->daily_mean_tenths_c.size() == days.records.size(),
                "kalvex-klimat --info reads another number of days");
  for (std::size_t i = 0; i < days.records.size(); ++i) {
    const ClimateRecord& record = days.records[i];
    const int tenths = year->daily_mean_tenths_c[i];
    fuzz::require(record.day_number == static_cast<int>(i + 1), "a day out of order");
    fuzz::require(
        std::isfinite(record.outdoor_temp) && tenths >= kLowestTenthsC && tenths <= kHighestTenthsC,
        "a daily mean beyond the limits");
    fuzz::require(record.outdoor_temp == static_cast<float>(tenths) / 10.0f,
                  "the engine reads another temperature than kalvex-klimat --info");
  }
  return 0;
}
