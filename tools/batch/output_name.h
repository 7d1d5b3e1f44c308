// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varmkalk::batch {

// The longest name a folder holds, in bytes of UTF-8 on Linux (Windows counts UTF-16 units, of
// which a name never has more).
inline constexpr std::size_t kLongestFileName = 255;

// Why `output` (UTF-8, as given; not "-") cannot name the output table, checked before anything
// is read: empty; one of the standard streams by a device name (/dev/stdout, /dev/fd/1); relative
// to a drive's current folder ("c:ut.csv"); a last part no name on Linux and Windows alike can be
// (portable_name_fault), or one too long once the temporary file's `temporary_suffix` bytes are
// added. One Swedish line naming the output; nothing when it can.
std::optional<std::string> output_name_fault(std::string_view output, std::size_t temporary_suffix);

}  // namespace varmkalk::batch
