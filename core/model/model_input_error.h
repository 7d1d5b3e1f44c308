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

// A day whose figures are no finite number, named by its number and outdoor temperature.
ModelInputError day_not_finite(int day_number, float outdoor_temp);

}  // namespace varmkalk::core
