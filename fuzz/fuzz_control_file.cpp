// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as styrfil.dat: the reader either fills every field with a finite value or
// ends with one clear message naming the control file.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "core/files/run_error.h"
#include "core/formats/control_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varmkalk;
  using namespace varmkalk::core;
  static const fuzz::ScratchFolder folder;
  folder.write(std::string(kControlFileName), fuzz::bytes_of(data, size));
  try {
    const BoilerCase input = read_control_file(folder.path());
    fuzz::require_finite_values(input);
    // What the writer makes of the case reads back as the same lines.
    const auto lines = control_file_lines(input);
    for (const std::string& line : lines) {
      fuzz::require(line.find_first_of("\r\n") == std::string::npos, "a written line ends early",
                    line);
    }
    folder.write(std::string(kControlFileName), control_file_text(input));
    fuzz::require(control_file_lines(read_control_file(folder.path())) == lines,
                  "the written control file does not read back as itself");
  } catch (const RunError& e) {
    fuzz::require_clear_message(e.what(), kControlFileName);
  } catch (const std::exception& e) {
    fuzz::finding("read_control_file ended with an exception that is not a RunError", e.what());
  }
  return 0;
}
