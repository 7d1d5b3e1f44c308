// Arbitrary bytes as styrfil.dat: the reader either fills every field with a finite value or
// ends with one clear message naming the control file.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "control_file.h"
#include "fuzz_support.h"
#include "run_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kalvex;
  static const fuzz::ScratchFolder folder;
  folder.write(std::string(kControlFileName), fuzz::bytes_of(data, size));
  try {
    const RunParameters params = read_control_file(folder.path());
    fuzz::require_finite_values(params);
  } catch (const RunError& e) {
    fuzz::require_clear_message(e.what(), kControlFileName);
  } catch (const std::exception& e) {
    fuzz::finding("read_control_file ended with an exception that is not a RunError", e.what());
  }
  return 0;
}
