// SPDX-License-Identifier: GPL-3.0-or-later
// The platform calls on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "core/files/platform.h"
#include "core/files/same_file.h"

namespace varmkalk::core::platform {
namespace {

constexpr mode_t kNewFileMode = 0666;  // less the user's umask
constexpr mode_t kPermissionBits = 07777;

FileKind kind_of(mode_t mode) {
  if (S_ISREG(mode)) {
    return FileKind::regular;
  }
  if (S_ISDIR(mode)) {
    return FileKind::folder;
  }
  if (S_ISLNK(mode)) {
    return FileKind::symbolic_link;
  }
  if (S_ISFIFO(mode)) {
    return FileKind::pipe;
  }
  if (S_ISSOCK(mode)) {
    return FileKind::socket;
  }
  return FileKind::device;
}

FileStatus status_from(const struct stat& status) {
  return {kind_of(status.st_mode), static_cast<unsigned>(status.st_mode & kPermissionBits),
          static_cast<std::int64_t>(status.st_size)};
}

}  // namespace

std::filesystem::path path_from_utf8(std::string_view name) {
  return std::filesystem::path(std::string(name));
}

std::string utf8_from_path(const std::filesystem::path& path) {
  return path.string();
}

std::filesystem::path path_from_engine_name(std::string_view name) {
  return std::filesystem::path(std::string(name));
}

FileStatus status_at(const std::filesystem::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return {};
  }
  return status_from(status);
}

FileStatus status_of(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    return {};
  }
  return status_from(status);
}

int open_for_reading(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

void ready_for_reading(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

int create_new(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
}

int create_temporary(std::string& pattern) {
  return ::mkostemp(pattern.data(), O_CLOEXEC);
}

int create_unnamed(const std::filesystem::path& folder, std::string_view tag) {
  std::string temporary = (folder / (std::string(tag) + "-XXXXXX")).string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd >= 0) {
    ::unlink(temporary.c_str());
  }
  return fd;
}

std::int64_t read_some(int fd, char* into, std::size_t most) {
  return ::read(fd, into, most);
}

std::int64_t write_some(int fd, const char* bytes, std::size_t count) {
  return ::write(fd, bytes, count);
}

bool rewind(int fd) {
  return ::lseek(fd, 0, SEEK_SET) == 0;
}

bool close(int fd) {
  return ::close(fd) == 0;
}

bool make_durable(int fd, unsigned permission_bits) {
  return ::fchmod(fd, static_cast<mode_t>(permission_bits)) == 0 && ::fsync(fd) == 0;
}

unsigned new_file_permissions() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return kNewFileMode & ~mask;
}

bool move_file(const std::filesystem::path& from, const std::filesystem::path& to, bool replace) {
  if (replace) {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  // File systems without an exclusive rename get a hard link, which does not replace either.
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
    return false;
  }
  if (::link(from.c_str(), to.c_str()) != 0) {
    return false;
  }
  ::unlink(from.c_str());
  return true;
}

bool remove_file(const std::filesystem::path& path) {
  return ::unlink(path.c_str()) == 0;
}

std::FILE* stream_of(int fd, const char* mode) {
  return ::fdopen(fd, mode);
}

int standard_input() {
  return STDIN_FILENO;
}

void pass_bytes_unchanged(std::FILE*) {}

bool is_terminal(std::FILE* stream) {
  return ::isatty(::fileno(stream)) == 1;
}

std::filesystem::path executable_path() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : executable;
}

bool quota_exceeded(int error_number) {
  return error_number == EDQUOT;
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool replaces_open_files() {
  return true;
}

std::span<const char* const> program_arguments(int argc, char** argv) {
  return std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1));
}

void use_utf8_console() {}

}  // namespace varmkalk::core::platform
