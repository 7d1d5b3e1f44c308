// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/files/platform.h"
#include "core/text/utf8_text.h"

namespace varmkalk::core {
namespace {

// Far more than SMHI's hourly values of a station's whole history; a larger file is no source.
constexpr std::int64_t kLargestSource = std::int64_t{256} * 1024 * 1024;
constexpr std::size_t kReadBlock = 1 << 16;

using platform::FileKind;
using platform::FileStatus;

std::string shown(const std::string& path) {
  return core::shown_name(path);
}

std::string system_reason(int error_number) {
  if (platform::quota_exceeded(error_number)) {
    return "diskkvoten är slut";
  }
  switch (error_number) {
    case ENOENT:
      return "filen eller mappen finns inte";
    case ENOTDIR:
      return "en del av sökvägen är ingen mapp";
    case EACCES:
    case EPERM:
      return "åtkomst nekas";
    case EISDIR:
      return "det är en mapp";
    case ENOSPC:
      return "disken är full";
    case EFBIG:
      return "filen blir för stor (en gräns för filers storlek, ulimit -f, eller filsystemets)";
    case EROFS:
      return "skrivskyddat filsystem";
    case EIO:
      return "in- eller utmatningsfel";
    case ENAMETOOLONG:
      return "namnet är för långt";
    case EEXIST:
      return "filen finns redan; ange --replace för att ersätta den";
    default:
      return std::string("systemfel: ") + std::strerror(error_number);
  }
}

[[noreturn]] void fail(const std::string& path, const std::string& what) {
  throw FileAccessError(shown(path) + ": " + what);
}

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      platform::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void release() { fd_ = -1; }
  // Closes now and tells whether the close went well: a write may fail only there.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return platform::close(fd);
  }

 private:
  int fd_;
};

void write_all(int fd, std::string_view bytes, const std::string& path) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::int64_t count =
        platform::write_some(fd, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      fail(path, "kan inte skriva: " + system_reason(count < 0 ? errno : ENOSPC));
    }
    written += static_cast<std::size_t>(count);
  }
}

// Moves the finished temporary file to `path`; without `replace` only where nothing is.
void move_into_place(const std::string& temporary, const std::string& path, bool replace) {
  if (platform::move_file(platform::path_from_utf8(temporary), platform::path_from_utf8(path),
                          replace)) {
    return;
  }
  if (!replace && errno == EEXIST) {
    fail(path, system_reason(EEXIST));
  }
  fail(path, "kan inte skrivas: " + system_reason(errno));
}

// The folder that holds `target`, where a file to replace it is made: the current one for a bare
// name.
std::filesystem::path folder_of(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

void remove_temporary(const std::string& temporary) {
  platform::remove_file(platform::path_from_utf8(temporary));
}

// Opens a regular file for reading; a named pipe is not waited for.
int open_regular_file(const std::string& path, FileStatus& status) {
  Descriptor file(platform::open_for_reading(platform::path_from_utf8(path)));
  if (file.get() < 0) {
    fail(path, "kan inte läsas: " + system_reason(errno));
  }
  status = platform::status_of(file.get());
  if (status.kind == FileKind::missing) {
    fail(path, "kan inte läsas: " + system_reason(errno));
  }
  if (status.kind == FileKind::folder) {
    fail(path, "är en mapp, ingen fil");
  }
  if (status.kind != FileKind::regular) {
    fail(path, "är ingen vanlig fil");
  }
  const int fd = file.get();
  file.release();
  return fd;
}

}  // namespace

std::string read_file(const std::string& path) {
  FileStatus status;
  Descriptor file(open_regular_file(path, status));
  if (status.size > kLargestSource) {
    fail(path, "filen är större än " + std::to_string(kLargestSource / (1024 * 1024)) + " MiB");
  }
  std::string bytes;
  std::vector<char> block(kReadBlock);
  while (true) {
    const std::int64_t count = platform::read_some(file.get(), block.data(), block.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      fail(path, "kan inte läsas: " + system_reason(errno));
    }
    if (count == 0) {
      return bytes;
    }
    bytes.append(block.data(), static_cast<std::size_t>(count));
    if (static_cast<std::int64_t>(bytes.size()) > kLargestSource) {
      fail(path, "filen är större än " + std::to_string(kLargestSource / (1024 * 1024)) + " MiB");
    }
  }
}

void require_absent(const std::string& path) {
  const FileStatus status = platform::status_at(platform::path_from_utf8(path));
  if (status.kind != FileKind::missing) {
    fail(path, system_reason(status.kind == FileKind::folder ? EISDIR : EEXIST));
  }
}

std::optional<FileStatus> require_target(const std::string& path, bool replace) {
  if (!replace) {
    require_absent(path);
    return std::nullopt;
  }
  const FileStatus status = platform::status_at(platform::path_from_utf8(path));
  if (status.kind == FileKind::missing) {
    return std::nullopt;
  }
  if (status.kind == FileKind::regular) {
    return status;
  }
  // A device, pipe or socket would stop being one; a link would be replaced, not its target.
  fail(path, std::string(status.kind == FileKind::folder          ? "är en mapp"
                         : status.kind == FileKind::symbolic_link ? "är en symbolisk länk"
                                                                  : "är ingen vanlig fil") +
                 "; bara en vanlig fil kan ersättas");
}

void write_file(const std::string& path, const std::string& bytes, bool replace) {
  const std::optional<FileStatus> replaced = require_target(path, replace);
  const std::filesystem::path target = platform::path_from_utf8(path);
  const std::filesystem::path folder = folder_of(target);
  // Appended piece by piece: "." + std::string&& trips a false -Wrestrict in g++ 12 at -O3.
  std::string hidden_name = ".";
  hidden_name += platform::utf8_from_path(target.filename());
  hidden_name += ".tmp-XXXXXX";
  std::string temporary = platform::utf8_from_path(folder / platform::path_from_utf8(hidden_name));
  Descriptor file(platform::create_temporary(temporary));
  if (file.get() < 0) {
    fail(path, "kan inte skapa en tillfällig fil i mappen " +
                   shown(platform::utf8_from_path(folder)) + ": " + system_reason(errno));
  }
  try {
    write_all(file.get(), bytes, path);
    // A replaced file keeps who may read it.
    const unsigned mode = replaced ? replaced->permission_bits : platform::new_file_permissions();
    if (!platform::make_durable(file.get(), mode) || !file.close()) {
      fail(path, "kan inte skrivas: " + system_reason(errno));
    }
    move_into_place(temporary, path, replace);
  } catch (const FileAccessError&) {
    remove_temporary(temporary);
    throw;
  }
}

InputFile::InputFile(const std::string& path) : name_(path) {
  FileStatus status;
  fd_ = open_regular_file(path, status);
  // Opened without waiting; reading waits for the disk as usual.
  platform::ready_for_reading(fd_);
}

InputFile::InputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}

InputFile::InputFile(InputFile&& other) noexcept : fd_(other.fd_), name_(std::move(other.name_)) {
  other.fd_ = -1;
}

InputFile::~InputFile() {
  if (fd_ >= 0) {
    platform::close(fd_);
  }
}

std::size_t InputFile::read_some(char* into, std::size_t most) {
  while (true) {
    const std::int64_t count = platform::read_some(fd_, into, most);
    if (count >= 0) {
      return static_cast<std::size_t>(count);
    }
    if (errno != EINTR) {
      fail(name_, "kan inte läsas: " + system_reason(errno));
    }
  }
}

void InputFile::rewind() {
  if (!platform::rewind(fd_)) {
    fail(name_, "kan inte läsas: " + system_reason(errno));
  }
}

InputFile copy_to_unnamed_file(int fd, const std::string& name, const std::filesystem::path& folder,
                               std::string_view tag) {
  Descriptor copy(platform::create_unnamed(folder, tag));
  if (copy.get() < 0) {
    fail(name, "kan inte kopieras till en tillfällig fil i mappen " +
                   shown(platform::utf8_from_path(folder)) + ": " + system_reason(errno));
  }
  std::vector<char> block(kReadBlock);
  while (true) {
    const std::int64_t count = platform::read_some(fd, block.data(), block.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      fail(name, "kan inte läsas: " + system_reason(errno));
    }
    if (count == 0) {
      break;
    }
    write_all(copy.get(), std::string_view(block.data(), static_cast<std::size_t>(count)),
              platform::utf8_from_path(folder));
  }
  InputFile file(copy.get(), name);
  copy.release();
  file.rewind();
  return file;
}

FileReplacement::FileReplacement(const std::string& path, bool replace, std::string_view tag)
    : path_(path), replace_(replace) {
  if (const std::optional<FileStatus> replaced = require_target(path, replace)) {
    mode_ = replaced->permission_bits;
  } else {
    mode_ = platform::new_file_permissions();
  }
  const std::filesystem::path target = platform::path_from_utf8(path);
  const std::filesystem::path folder = folder_of(target);
  std::string name = platform::utf8_from_path(target.filename());
  name += ".";
  name += tag;
  name += "-XXXXXX";
  temporary_ = platform::utf8_from_path(folder / platform::path_from_utf8(name));
  fd_ = platform::create_temporary(temporary_);
  if (fd_ < 0) {
    fail(path, "kan inte skapa en tillfällig fil i mappen " +
                   shown(platform::utf8_from_path(folder)) + ": " + system_reason(errno));
  }
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) {
    platform::close(fd_);
    remove_temporary(temporary_);
  }
}

void FileReplacement::write(std::string_view bytes) {
  write_all(fd_, bytes, path_);
}

void FileReplacement::finish() {
  const int fd = fd_;
  fd_ = -1;
  try {
    if (!platform::make_durable(fd, mode_)) {
      const int error_number = errno;
      platform::close(fd);
      fail(path_, "kan inte skrivas: " + system_reason(error_number));
    }
    if (!platform::close(fd)) {
      fail(path_, "kan inte skrivas: " + system_reason(errno));
    }
    move_into_place(temporary_, path_, replace_);
  } catch (const FileAccessError&) {
    remove_temporary(temporary_);
    throw;
  }
}

}  // namespace varmkalk::core
