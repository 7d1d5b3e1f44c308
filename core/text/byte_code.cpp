// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/byte_code.h"

#include <string_view>

namespace varmkalk::core {

std::string byte_code_text(unsigned char byte) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text = "0x";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0x0F];
  return text;
}

}  // namespace varmkalk::core
