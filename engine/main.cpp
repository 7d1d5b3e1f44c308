// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "engine/run_sequence.h"

int main() {
  using namespace varmkalk::engine;
  return run_kalvex(process_run_folders(), std::cout, std::cerr);
}
