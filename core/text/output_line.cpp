// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/output_line.h"

#include "core/text/fixed_format.h"

namespace varmkalk::core {

OutputLine& OutputLine::at(int column) {
  position_ = static_cast<std::size_t>(column - 1);
  return *this;
}

OutputLine& OutputLine::skip(int columns) {
  position_ += static_cast<std::size_t>(columns);
  return *this;
}

OutputLine& OutputLine::text(std::string_view text) {
  if (chars_.size() < position_ + text.size()) {
    chars_.resize(position_ + text.size(), ' ');
  }
  chars_.replace(position_, text.size(), text);
  position_ += text.size();
  return *this;
}

OutputLine& OutputLine::fixed(float value, int width, int decimals) {
  return text(format_fixed(value, width, decimals));
}

OutputLine& OutputLine::integer(long long value, int width) {
  return text(format_integer(value, width));
}

std::string OutputLine::finish() const {
  return chars_ + "\r\n";
}

}  // namespace varmkalk::core
