// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/portable_name.h"

#include <algorithm>
#include <array>

#include "core/text/ascii_case.h"
#include "core/text/byte_code.h"
#include "core/text/file_name_fault.h"

namespace varmkalk::core {
namespace {

constexpr std::string_view kWindowsCharacters = "<>:\"|?*";
constexpr std::array<std::string_view, 6> kDeviceNames = {"con", "prn",    "aux",
                                                          "nul", "conin$", "conout$"};
// Followed by a digit 1 to 9 or a superscript 1, 2 or 3: Windows-1252, then UTF-8.
constexpr std::array<std::string_view, 2> kNumberedDeviceNames = {"com", "lpt"};
constexpr std::array<std::string_view, 6> kSuperscripts = {"\xB9",     "\xB2",     "\xB3",
                                                           "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};

bool is_device_name(std::string_view stem) {
  if (std::any_of(kDeviceNames.begin(), kDeviceNames.end(),
                  [&](std::string_view device) { return equal_ignoring_case(stem, device); })) {
    return true;
  }
  for (const std::string_view device : kNumberedDeviceNames) {
    if (stem.size() <= device.size() ||
        !equal_ignoring_case(stem.substr(0, device.size()), device)) {
      continue;
    }
    const std::string_view number = stem.substr(device.size());
    if ((number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
        std::find(kSuperscripts.begin(), kSuperscripts.end(), number) != kSuperscripts.end()) {
      return true;
    }
  }
  return false;
}

// The part of the name Windows compares with the device names.
std::string_view device_stem(std::string_view name) {
  const std::string_view stem = name.substr(0, name.find('.'));
  return stem.substr(0, stem.find_last_not_of(' ') + 1);
}

}  // namespace

std::optional<PortableNameFault> portable_name_fault(std::string_view name) {
  if (const std::optional<FileNameFault> fault = file_name_fault(name)) {
    return PortableNameFault{fault->kind == FileNameFault::Kind::separator
                                 ? PortableNameFault::Kind::separator
                                 : PortableNameFault::Kind::control,
                             fault->position, fault->byte};
  }
  if (const std::size_t at = name.find_first_of(kWindowsCharacters); at != std::string_view::npos) {
    return PortableNameFault{PortableNameFault::Kind::windows_character, at + 1,
                             static_cast<unsigned char>(name[at])};
  }
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
    return PortableNameFault{PortableNameFault::Kind::trailing, name.size(),
                             static_cast<unsigned char>(name.back())};
  }
  if (is_device_name(device_stem(name))) {
    return PortableNameFault{PortableNameFault::Kind::device_name, 1,
                             static_cast<unsigned char>(name.front())};
  }
  return std::nullopt;
}

bool is_drive_relative(std::string_view path) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  return path.size() >= 2 && letter(path[0]) && path[1] == ':' &&
         (path.size() == 2 || (path[2] != '/' && path[2] != '\\'));
}

std::string portable_name_fault_text(const PortableNameFault& fault, std::string_view name) {
  switch (fault.kind) {
    case PortableNameFault::Kind::separator:
      return "innehåller ett snedstreck, som skulle peka ut en annan mapp";
    case PortableNameFault::Kind::control:
      return "innehåller ett styrtecken (" + byte_code_text(fault.byte) + ")";
    case PortableNameFault::Kind::windows_character:
      return std::string("innehåller tecknet ") + static_cast<char>(fault.byte) +
             ", som Windows inte tillåter i ett filnamn";
    case PortableNameFault::Kind::trailing:
      return fault.byte == '.' ? "slutar på en punkt, som Windows tar bort ur ett filnamn"
                               : "slutar på ett mellanslag, som Windows tar bort ur ett filnamn";
    case PortableNameFault::Kind::device_name:
      break;
  }
  // As typed, but a superscript digit in UTF-8 whichever code the name came in.
  std::string shown(device_stem(name));
  for (std::size_t i = 0; i < kSuperscripts.size() / 2; ++i) {
    if (shown.ends_with(kSuperscripts[i]) && !shown.ends_with(kSuperscripts[i + 3])) {
      shown.replace(shown.size() - 1, 1, kSuperscripts[i + 3]);
    }
  }
  return "är enhetsnamnet " + shown +
         " i Windows, som inget filnamn får ha, med eller utan ändelse";
}

}  // namespace varmkalk::core
