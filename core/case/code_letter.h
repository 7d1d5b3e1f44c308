// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace varmkalk::core {

// A code text of the control file selects a row when, with its trailing blanks dropped, it is
// exactly the row's letter, in upper or lower case. " A", "AB" or a place name select nothing.
inline bool is_code_letter(std::string_view code_text, char upper_letter) {
  const auto end = code_text.find_last_not_of(' ');
  const std::string_view trimmed =
      end == std::string_view::npos ? std::string_view() : code_text.substr(0, end + 1);
  const char lower_letter = static_cast<char>(upper_letter - 'A' + 'a');
  return trimmed.size() == 1 && (trimmed[0] == upper_letter || trimmed[0] == lower_letter);
}

}  // namespace varmkalk::core
