#include "model_input_error.h"

#include <array>
#include <charconv>

namespace kalvex {

std::string number_text(float value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace kalvex
