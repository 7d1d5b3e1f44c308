// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <new>
#include <string>
#include <string_view>

#include "core/climate_import/import_result.h"

namespace varmkalk::core {

// Thrown inside the readers; the import's entry points return it as their ImportError.
struct ImportFailure {
  ImportError error;
};

[[noreturn]] void fail(std::string message);

// "källa.csv, rad 12" for messages; `name` as shown_name gives it.
std::string line_place(std::string_view name, long line);

// A field of a line, named in messages as "källa.csv, rad 12, fält 4 (Lufttemperatur)".
struct FieldPlace {
  std::string_view name;
  long line = 0;
  std::size_t field = 0;        // 1 = first field
  std::string_view field_name;  // empty when the source's fields have no names
  std::string text() const;
};

// What `read` returns, or its failure as an ImportError; `name` as shown_name gives it.
template <typename Read>
ImportResult guarded(std::string_view name, Read read) {
  try {
    return read();
  } catch (const ImportFailure& failure) {
    return failure.error;
  } catch (const std::bad_alloc&) {
    return ImportError{std::string(name) + ": minnet räcker inte till för att läsa källan"};
  }
}

}  // namespace varmkalk::core
