// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace varmkalk::core {

// A short Swedish description of an errno value, for the end of a file error message.
std::string system_error_text(int error_number);

}  // namespace varmkalk::core
