// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace varmkalk::core {

// Input for which the model's arithmetic is undefined or leaves its range. The message is in
// Swedish and names the values, since the user sees it.
class ModelInputError : public std::runtime_error {
 public:
  explicit ModelInputError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace varmkalk::core
