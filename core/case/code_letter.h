// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/text/fixed_field.h"

namespace varmkalk::core {

// A code text of the control file selects a row when, with its trailing blanks dropped, it is
// exactly the row's letter, in upper or lower case. " A", "AB" or a place name select nothing.
inline bool is_code_letter(std::string_view code_text, char upper_letter) {
  const std::string_view trimmed = without_trailing_blanks(code_text);
  const char lower_letter = static_cast<char>(upper_letter - 'A' + 'a');
  return trimmed.size() == 1 && (trimmed[0] == upper_letter || trimmed[0] == lower_letter);
}

}  // namespace varmkalk::core
