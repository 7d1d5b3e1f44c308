// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/files/byte_source.h"
#include "core/files/platform.h"

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
std::optional<platform::FileStatus> require_target(const std::string& path, bool replace);

// Writes `bytes` to a temporary file beside `path` and then renames it to `path`, so that a
// failed write leaves neither a half-written file nor a damaged earlier one. Without `replace`
// an existing file is never replaced, not even one that appeared in the meantime; with it only
// a regular file is, and the new file keeps its permission bits. Throws FileAccessError.
void write_file(const std::string& path, const std::string& bytes, bool replace);

// A regular file of any size, read a block at a time, from its start again when asked.
class InputFile : public ByteSource {
 public:
  // Opens `path`; throws FileAccessError as read_file does for a file that is missing, a folder
  // or no regular file.
  explicit InputFile(const std::string& path);
  // Takes over `fd`, open on a regular file; `name` names it in messages.
  InputFile(int fd, std::string name);
  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  InputFile& operator=(InputFile&&) = delete;

  // Throws FileAccessError.
  std::size_t read_some(char* into, std::size_t most) override;
  void rewind();

 private:
  int fd_;
  std::string name_;
};

// Everything `fd` gives until its end, copied into a file in `folder` that is removed as soon as
// it is made: it is read through the InputFile alone, and nothing of it is left behind however
// the program ends. `name` names the source in messages; the file's short-lived name starts with
// `tag`. Throws FileAccessError.
InputFile copy_to_unnamed_file(int fd, const std::string& name, const std::filesystem::path& folder,
                               std::string_view tag);

// A file written a piece at a time into a temporary file beside `path`, "NAME.TAG-XXXXXX", and
// moved to `path` only when finished, as write_file moves it, keeping a replaced file's
// permission bits. Dropped unfinished, it removes the temporary file; the file at `path` is never
// touched before finish().
class FileReplacement {
 public:
  // Checks `path` at once as require_target does and creates the temporary file, so that a name
  // that cannot take the file or a folder that is missing or cannot be written is refused before
  // any work. Throws FileAccessError.
  FileReplacement(const std::string& path, bool replace, std::string_view tag);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  const std::string& temporary_path() const { return temporary_; }
  // Throws FileAccessError.
  void write(std::string_view bytes);
  // Makes the file whole on disk and moves it to `path`. Throws FileAccessError.
  void finish();

 private:
  std::string path_;
  bool replace_;
  std::string temporary_;
  int fd_ = -1;
  unsigned mode_ = 0;
};

}  // namespace varmkalk::core
