// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace varmkalk::core {

// A file that could not be read or written; what() is the Swedish reason with the file's name.
class FileAccessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of a regular file of reasonable size. Throws FileAccessError.
std::string read_file(const std::string& path);

// Throws FileAccessError when `path` exists: nothing is replaced unless asked.
void require_absent(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and then renames it to `path`, so that a
// failed write leaves neither a half-written file nor a damaged earlier one. Without `replace`
// an existing file is never replaced, not even one that appeared in the meantime. Throws
// FileAccessError.
void write_file(const std::string& path, const std::string& bytes, bool replace);

}  // namespace varmkalk::core
