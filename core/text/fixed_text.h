// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace varmkalk::core {

// A text field of exactly N characters, blank-padded on the right, as the engine's files hold
// them. Longer input is cut to N characters; it can never hold any other length.
template <std::size_t N>
class FixedText {
 public:
  FixedText() : text_(N, ' ') {}
  explicit FixedText(std::string_view s) : text_(s.substr(0, std::min(s.size(), N))) {
    text_.resize(N, ' ');
  }

  // All N characters, trailing blanks included.
  const std::string& str() const { return text_; }

  // The text with its trailing blanks dropped.
  std::string_view trimmed() const {
    const auto end = text_.find_last_not_of(' ');
    return end == std::string::npos ? std::string_view{}
                                    : std::string_view(text_).substr(0, end + 1);
  }

  // A code letter matches when the field, trailing blanks dropped, is exactly that letter.
  bool is_code(char letter) const { return trimmed() == std::string_view(&letter, 1); }

  // The same code letter in either case.
  bool is_code_either_case(char upper, char lower) const {
    return is_code(upper) || is_code(lower);
  }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::string text_;
};

}  // namespace varmkalk::core
