#include <iostream>

#include "boiler_model_hooks.h"
#include "run_sequence.h"

int main() {
  return kalvex::run_kalvex(kalvex::process_run_folders(), kalvex::boiler_model_hooks(), std::cout,
                            std::cerr);
}
