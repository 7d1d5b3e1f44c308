// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes read as SMHI hourly values: a valid year or one clear message, never a crash or
// hang.
#include <cstddef>
#include <cstdint>

#include "fuzz/import_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  fuzz::import_both_ways(fuzz::bytes_of(data, size), SourceFormat::smhi_hourly);
  return 0;
}
