// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace varmkalk::testing {

// How many lines the text holds, each ended by CR LF as the result files' lines are.
inline int crlf_line_count(const std::string& text) {
  int count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos;
       at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

}  // namespace varmkalk::testing
