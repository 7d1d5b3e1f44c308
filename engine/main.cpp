// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "core/files/platform.h"
#include "core/formats/climate_file.h"
#include "engine/run_sequence.h"

int main() {
  using namespace varmkalk;
  core::platform::use_utf8_console();
  return engine::run_kalvex(core::process_run_folders(), std::cout, std::cerr);
}
