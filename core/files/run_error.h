// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string_view>

namespace varmkalk::core {

// A fault that ends the run. what() is the one Swedish line shown to the user: the file, the
// line (and columns) where it applies, and what is wrong.
class RunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The engine's words when memory runs out.
inline constexpr std::string_view kOutOfMemory = "Minnet räckte inte till för beräkningen.";

}  // namespace varmkalk::core
