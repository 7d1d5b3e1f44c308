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
  void release() { fd_ = -1; }
  // Closes now and tells whether the close went well: a write may fail only there.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

void write_all(int fd, std::string_view bytes, const std::string& path) {
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

// Opens a regular file for reading; a named pipe is not waited for.
int open_regular_file(const std::string& path, struct stat& status) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    fail(path, "kan inte läsas: " + system_reason(errno));
  }
  if (::fstat(file.get(), &status) != 0) {
    fail(path, "kan inte läsas: " + system_reason(errno));
  }
  if (S_ISDIR(status.st_mode)) {
    fail(path, "är en mapp, ingen fil");
  }
  if (!S_ISREG(status.st_mode)) {
    fail(path, "är ingen vanlig fil");
  }
  const int fd = file.get();
  file.release();
  return fd;
}

}  // namespace

std::string read_file(const std::string& path) {
  struct stat status {};
  Descriptor file(open_regular_file(path, status));
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

InputFile::InputFile(const std::string& path) : name_(path) {
  struct stat status {};
  fd_ = open_regular_file(path, status);
  // Opened without waiting; reading waits for the disk as usual.
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

InputFile::InputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}

InputFile::InputFile(InputFile&& other) noexcept : fd_(other.fd_), name_(std::move(other.name_)) {
  other.fd_ = -1;
}

InputFile::~InputFile() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

std::size_t InputFile::read_some(char* into, std::size_t most) {
  while (true) {
    const ssize_t count = ::read(fd_, into, most);
    if (count >= 0) {
      return static_cast<std::size_t>(count);
    }
    if (errno != EINTR) {
      fail(name_, "kan inte läsas: " + system_reason(errno));
    }
  }
}

void InputFile::rewind() {
  if (::lseek(fd_, 0, SEEK_SET) != 0) {
    fail(name_, "kan inte läsas: " + system_reason(errno));
  }
}

InputFile copy_to_unnamed_file(int fd, const std::string& name, const std::filesystem::path& folder,
                               std::string_view tag) {
  std::string temporary = (folder / (std::string(tag) + "-XXXXXX")).string();
  Descriptor copy(::mkostemp(temporary.data(), O_CLOEXEC));
  if (copy.get() < 0) {
    fail(name, "kan inte kopieras till en tillfällig fil i mappen " + shown(folder.string()) +
                   ": " + system_reason(errno));
  }
  ::unlink(temporary.c_str());
  std::vector<char> block(kReadBlock);
  while (true) {
    const ssize_t count = ::read(fd, block.data(), block.size());
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
              folder.string());
  }
  InputFile file(copy.get(), name);
  copy.release();
  file.rewind();
  return file;
}

FileReplacement::FileReplacement(const std::string& path, bool replace, std::string_view tag)
    : path_(path), replace_(replace) {
  if (const std::optional<struct stat> replaced = require_target(path, replace)) {
    mode_ = replaced->st_mode & kPermissionBits;
  } else {
    mode_ = new_file_mode();
  }
  const std::filesystem::path target(path);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string name = target.filename().string();
  name += ".";
  name += tag;
  name += "-XXXXXX";
  temporary_ = (folder / name).string();
  fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    fail(path, "kan inte skapa en tillfällig fil i mappen " + shown(folder.string()) + ": " +
                   system_reason(errno));
  }
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temporary_.c_str());
  }
}

void FileReplacement::write(std::string_view bytes) {
  write_all(fd_, bytes, path_);
}

void FileReplacement::finish() {
  const int fd = fd_;
  fd_ = -1;
  try {
    if (::fchmod(fd, mode_) != 0 || ::fsync(fd) != 0) {
      const int error_number = errno;
      ::close(fd);
      fail(path_, "kan inte skrivas: " + system_reason(error_number));
    }
    if (::close(fd) != 0) {
      fail(path_, "kan inte skrivas: " + system_reason(errno));
    }
    move_into_place(temporary_, path_, replace_);
  } catch (const FileAccessError&) {
    ::unlink(temporary_.c_str());
    throw;
  }
}

}  // namespace varmkalk::core
