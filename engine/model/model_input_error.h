#pragma once

#include <stdexcept>
#include <string>

namespace kalvex {

// Input for which the model's arithmetic is undefined or leaves its range. The message is in
// Swedish and names the values, since the user sees it.
class ModelInputError : public std::runtime_error {
 public:
  explicit ModelInputError(const std::string& message) : std::runtime_error(message) {}
};

// A number as the messages show it: the shortest text that reads back as the same float, with
// a decimal point (e.g. 2.5, 1.2, -14, inf, nan).
std::string number_text(float value);

}  // namespace kalvex
