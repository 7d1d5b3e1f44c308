// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes through the whole import, the format told from the content: a valid year of
// the detected format or one clear message, never a crash or hang.
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/climate_import/climate_import.h"
#include "fuzz/import_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  const std::string bytes = fuzz::bytes_of(data, size);
  for (const ImportOptions& options : fuzz::kImportWays) {
    const auto imported = import_climate(bytes, options);
    if (const auto* error = std::get_if<ImportError>(&imported)) {
      fuzz::require_kept_promise(*error);
    } else {
      fuzz::require_kept_promise(std::get<ImportedClimate>(imported).year);
    }
  }
  return 0;
}
