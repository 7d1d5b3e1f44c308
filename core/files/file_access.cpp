// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/climate_import/source_text.h"

namespace varmkalk::core {
namespace {

// Far more than SMHI's hourly values of a station's whole history; a larger file is no source.
constexpr off_t kLargestSource = off_t{256} * 1024 * 1024;
constexpr std::size_t kReadBlock = 1 << 16;
constexpr mode_t kNewFileMode = 0666;  // less the user's umask
constexpr mode_t kPermissionBits = 07777;

std::string shown(const std::string& path) {
  return core::shown_name(path);
}

std::string system_reason(int error_number) {
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
    case EDQUOT:
      return "diskkvoten är slut";
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
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and tells whether the close went well: a write may fail only there.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

void write_all(int fd, const std::string& bytes, const std::string& path) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      fail(path, "kan inte skriva: " + system_reason(count < 0 ? errno : ENOSPC));
    }
    written += static_cast<std::size_t>(count);
  }
}

mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return kNewFileMode & ~mask;
}

// Moves the finished temporary file to `path`; without `replace` only where nothing is.
void move_into_place(const std::string& temporary, const std::string& path, bool replace) {
  if (replace) {
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
      fail(path, "kan inte skrivas: " + system_reason(errno));
    }
    return;
  }
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
    return;
  }
  if (errno == EEXIST) {
    fail(path, system_reason(EEXIST));
  }
  // File systems without an exclusive rename get a hard link, which does not replace either.
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
    fail(path, "kan inte skrivas: " + system_reason(errno));
  }
  if (::link(temporary.c_str(), path.c_str()) != 0) {
    fail(path,
         errno == EEXIST ? system_reason(EEXIST) : "kan inte skrivas: " + system_reason(errno));
  }
  ::unlink(temporary.c_str());
}

}  // namespace

std::string read_file(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    fail(path, "kan inte läsas: " + system_reason(errno));
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    fail(path, "kan inte läsas: " + system_reason(errno));
  }
  if (S_ISDIR(status.st_mode)) {
    fail(path, "är en mapp, ingen fil");
  }
  if (!S_ISREG(status.st_mode)) {
    fail(path, "är ingen vanlig fil");
  }
  if (status.st_size > kLargestSource) {
    fail(path, "filen är större än " + std::to_string(kLargestSource / (1024 * 1024)) + " MiB");
  }
  std::string bytes;
  std::vector<char> block(kReadBlock);
  while (true) {
    const ssize_t count = ::read(file.get(), block.data(), block.size());
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
    if (static_cast<off_t>(bytes.size()) > kLargestSource) {
      fail(path, "filen är större än " + std::to_string(kLargestSource / (1024 * 1024)) + " MiB");
    }
  }
}

void require_absent(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0) {
    fail(path, system_reason(S_ISDIR(status.st_mode) ? EISDIR : EEXIST));
  }
}

std::optional<struct stat> require_target(const std::string& path, bool replace) {
  if (!replace) {
    require_absent(path);
    return std::nullopt;
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return std::nullopt;
  }
  if (S_ISREG(status.st_mode)) {
    return status;
  }
  // A device, pipe or socket would stop being one; a link would be replaced, not its target.
  fail(path, std::string(S_ISDIR(status.st_mode)   ? "är en mapp"
                         : S_ISLNK(status.st_mode) ? "är en symbolisk länk"
                                                   : "är ingen vanlig fil") +
                 "; bara en vanlig fil kan ersättas");
}

void write_file(const std::string& path, const std::string& bytes, bool replace) {
  const std::optional<struct stat> replaced = require_target(path, replace);
  const std::filesystem::path target(path);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  // Appended piece by piece: "." + std::string&& trips a false -Wrestrict in g++ 12 at -O3.
  std::string hidden_name = ".";
  hidden_name += target.filename().string();
  hidden_name += ".tmp-XXXXXX";
  std::string temporary = (folder / hidden_name).string();
  Descriptor file(::mkstemp(temporary.data()));
  if (file.get() < 0) {
    fail(path, "kan inte skapa en tillfällig fil i mappen " + shown(folder.string()) + ": " +
                   system_reason(errno));
  }
  try {
    write_all(file.get(), bytes, path);
    // A replaced file keeps who may read it.
    const mode_t mode = replaced ? replaced->st_mode & kPermissionBits : new_file_mode();
    if (::fchmod(file.get(), mode) != 0 || ::fsync(file.get()) != 0 || !file.close()) {
      fail(path, "kan inte skrivas: " + system_reason(errno));
    }
    move_into_place(temporary, path, replace);
  } catch (const FileAccessError&) {
    ::unlink(temporary.c_str());
    throw;
  }
}

}  // namespace varmkalk::core
