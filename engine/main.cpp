#include <iostream>

#include "run_sequence.h"

int main() {
  return kalvex::run_kalvex(kalvex::process_run_folders(), kalvex::ModelHooks{}, std::cout,
                            std::cerr);
}
