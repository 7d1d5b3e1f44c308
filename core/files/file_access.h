// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <optional>
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

// Throws FileAccessError when `path` cannot take a new file: without `replace` when anything is
// there, with it when what is there is not a regular file (a device, pipe, socket, folder or
// symbolic link). Gives the status of the regular file that will be replaced, if any.
std::optional<struct stat> require_target(const std::string& path, bool replace);

// Writes `bytes` to a temporary file beside `path` and then renames it to `path`, so that a
// failed write leaves neither a half-written file nor a damaged earlier one. Without `replace`
// an existing file is never replaced, not even one that appeared in the meantime; with it only
// a regular file is, and the new file keeps its permission bits. Throws FileAccessError.
void write_file(const std::string& path, const std::string& bytes, bool replace);

}  // namespace varmkalk::core
