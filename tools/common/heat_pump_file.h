// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace varmkalk::tools {

// A Keymark file as a tool finds it: the file as given when it is there, else the unit of that
// name installed with the program (share/varmkalk/heatpumps beside the executable's folder),
// else the name as given, for the reader to name in its message.
std::string located_heat_pump_file(const std::string& file);

}  // namespace varmkalk::tools
