// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace varmkalk::core {

// A byte as a message names one that does not show on screen: "0x0A", two upper-case hex digits.
std::string byte_code_text(unsigned char byte);

}  // namespace varmkalk::core
