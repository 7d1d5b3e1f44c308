// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace varmkalk::core {

// A fault that ends the run. what() is the one Swedish line shown to the user: the file, the
// line (and columns) where it applies, and what is wrong.
class RunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace varmkalk::core
