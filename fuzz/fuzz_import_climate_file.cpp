// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an existing climate file: a valid year that formats back to the same
// values, or one clear message, never a crash or hang.
#include <cstddef>
#include <cstdint>

#include "core/climate_import/climate_file.h"
#include "fuzz/import_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  fuzz::require_kept_promise(read_climate_file(fuzz::bytes_of(data, size), fuzz::kSourceName));
  return 0;
}
