// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/batch/output_name.h"

#include <array>

#include "core/files/platform.h"
#include "core/text/portable_name.h"
#include "core/text/utf8_text.h"

namespace varmkalk::batch {
namespace {

// Names of the process's own streams, which would take the table's bytes unchecked and then
// fail at the end: "-" stands for standard output.
constexpr std::array<std::string_view, 4> kStreamFolders = {"/dev/fd/", "/proc/self/fd/",
                                                            "/dev/std", "/proc/thread-self/fd/"};

bool names_a_stream(std::string_view output) {
  for (const std::string_view folder : kStreamFolders) {
    if (output.starts_with(folder)) {
      return true;
    }
  }
  return output == "/dev/tty";
}

}  // namespace

std::optional<std::string> output_name_fault(std::string_view output,
                                             std::size_t temporary_suffix) {
  const std::string shown = core::shown_name(output);
  if (output.empty()) {
    return "utdatafilens namn är tomt; ange ett filnamn, eller - för standard ut";
  }
  if (names_a_stream(output)) {
    return shown + ": är ingen fil utan en ström; ange - för standard ut";
  }
  if (core::is_drive_relative(output)) {
    return shown + ": namnet gäller mappen som är aktuell på enhet " + shown.substr(0, 2) +
           " i Windows och en helt annan fil i Linux; ange hela sökvägen (" + shown.substr(0, 2) +
           "\\mapp\\ut.csv) eller ingen enhet";
  }
  const std::string name =
      core::platform::utf8_from_path(core::platform::path_from_utf8(output).filename());
  if (const std::optional<core::PortableNameFault> fault = core::portable_name_fault(name)) {
    return shown + ": namnet " + core::portable_name_fault_text(*fault, name) +
           "; det ska gå att använda i Linux och Windows";
  }
  if (name.size() + temporary_suffix > kLongestFileName) {
    return shown + ": namnet är " + std::to_string(name.size()) +
           " byte långt; med den tillfälliga filens ändelse rymmer en mapp högst " +
           std::to_string(kLongestFileName - temporary_suffix) + " byte";
  }
  return std::nullopt;
}

}  // namespace varmkalk::batch
