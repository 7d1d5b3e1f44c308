// SPDX-License-Identifier: GPL-3.0-or-later
// The platform calls on Windows: wide names at the system, files opened through CreateFileW and
// handed to the C runtime as binary descriptors, so that the rest of the library reads and
// writes them as it does on POSIX.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/files/platform.h"
#include "core/files/same_file.h"

namespace varmkalk::core::platform {
namespace {

constexpr UINT kWindows1252 = 1252;
constexpr unsigned kReadOnlyBits = 0444;
constexpr unsigned kReadWriteBits = 0666;
constexpr int kTemporaryAttempts = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring wide(std::string_view text, UINT code_page) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(code_page, 0, text.data(), size, result.data(), length);
  return result;
}

std::string utf8(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

// The system's error as the errno value the library's messages know.
int errno_of(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_INVALID_NAME:
      return EINVAL;
    default:
      return EIO;
  }
}

int fail_with_last_error() {
  errno = errno_of(::GetLastError());
  return -1;
}

// The handle as a C runtime descriptor, binary; closes the handle when that fails.
int descriptor_of(HANDLE handle, int flags) {
  if (handle == INVALID_HANDLE_VALUE) {
    return fail_with_last_error();
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(handle);
    errno = EMFILE;
  }
  return fd;
}

bool is_folder(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileKind kind_of_type(DWORD type) {
  switch (type) {
    case FILE_TYPE_DISK:
      return FileKind::regular;
    case FILE_TYPE_PIPE:
      return FileKind::pipe;
    default:
      return FileKind::device;
  }
}

// Six letters and digits unlike those of any other call, in this process or another.
std::string unique_suffix() {
  static std::atomic<std::uint64_t> calls{0};
  LARGE_INTEGER counter{};
  ::QueryPerformanceCounter(&counter);
  std::uint64_t mixed = (static_cast<std::uint64_t>(counter.QuadPart) * 0x9E3779B97F4A7C15ULL) ^
                        (std::uint64_t{::GetCurrentProcessId()} << 32) ^ ++calls;
  static constexpr std::string_view kLetters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix;
  for (int i = 0; i < 6; ++i) {
    suffix += kLetters[mixed % kLetters.size()];
    mixed /= kLetters.size();
  }
  return suffix;
}

}  // namespace

std::filesystem::path path_from_utf8(std::string_view name) {
  return std::filesystem::path(wide(name, CP_UTF8));
}

std::string utf8_from_path(const std::filesystem::path& path) {
  return utf8(path.native());
}

std::filesystem::path path_from_engine_name(std::string_view name) {
  return std::filesystem::path(wide(name, kWindows1252));
}

FileStatus status_at(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    fail_with_last_error();
    return {};
  }
  FileStatus status;
  status.permission_bits =
      (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? kReadOnlyBits : kReadWriteBits;
  status.size =
      static_cast<std::int64_t>((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    status.kind = FileKind::symbolic_link;
  } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    status.kind = FileKind::folder;
  } else {
    // A device's name ("NUL", "COM1") also has attributes; what it is shows once it is open.
    const HANDLE handle = ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    status.kind = FileKind::regular;
    if (handle != INVALID_HANDLE_VALUE) {
      status.kind = kind_of_type(::GetFileType(handle));
      ::CloseHandle(handle);
    }
  }
  return status;
}

FileStatus status_of(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return {};
  }
  FileStatus status;
  status.kind = kind_of_type(::GetFileType(handle));
  if (status.kind != FileKind::regular) {
    return status;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(handle, &information)) {
    fail_with_last_error();
    return {};
  }
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    status.kind = FileKind::folder;
  }
  status.permission_bits = (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0
                               ? kReadOnlyBits
                               : kReadWriteBits;
  status.size = static_cast<std::int64_t>((std::uint64_t{information.nFileSizeHigh} << 32) |
                                          information.nFileSizeLow);
  return status;
}

int open_for_reading(const std::filesystem::path& path) {
  // Backup semantics open a folder too, so that it is refused as a folder, as on POSIX.
  return descriptor_of(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                       _O_RDONLY);
}

void ready_for_reading(int) {}

int create_new(const std::filesystem::path& path) {
  const int fd = descriptor_of(::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
                               _O_WRONLY);
  // Windows refuses a folder's name as access denied; POSIX says that something is there.
  if (fd < 0 && is_folder(path)) {
    errno = EEXIST;
  }
  return fd;
}

int create_temporary(std::string& pattern) {
  const std::string stem = pattern.substr(0, pattern.size() - 6);
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    pattern = stem + unique_suffix();
    const int fd = create_new(path_from_utf8(pattern));
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

int create_unnamed(const std::filesystem::path& folder, std::string_view tag) {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const std::filesystem::path path =
        folder / path_from_utf8(std::string(tag) + "-" + unique_suffix());
    // Deleted by the system when its last handle closes, however the program ends.
    const int fd = descriptor_of(
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr),
        _O_RDWR);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

std::int64_t read_some(int fd, char* into, std::size_t most) {
  return ::_read(fd, into, static_cast<unsigned>(std::min<std::size_t>(most, INT_MAX)));
}

std::int64_t write_some(int fd, const char* bytes, std::size_t count) {
  return ::_write(fd, bytes, static_cast<unsigned>(std::min<std::size_t>(count, INT_MAX)));
}

bool rewind(int fd) {
  return ::_lseeki64(fd, 0, SEEK_SET) == 0;
}

bool close(int fd) {
  return ::_close(fd) == 0;
}

// Windows keeps no such bits; a replaced file's attributes are those of the new one.
bool make_durable(int fd, unsigned) {
  return ::_commit(fd) == 0;
}

unsigned new_file_permissions() {
  return kReadWriteBits;
}

bool move_file(const std::filesystem::path& from, const std::filesystem::path& to, bool replace) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (::MoveFileExW(from.c_str(), to.c_str(), flags)) {
    return true;
  }
  fail_with_last_error();
  return false;
}

bool remove_file(const std::filesystem::path& path) {
  if (::DeleteFileW(path.c_str())) {
    return true;
  }
  fail_with_last_error();
  return false;
}

std::FILE* stream_of(int fd, const char* mode) {
  return ::_fdopen(fd, mode);
}

int standard_input() {
  const int fd = ::_fileno(stdin);
  ::_setmode(fd, _O_BINARY);
  return fd;
}

void pass_bytes_unchanged(std::FILE* stream) {
  std::fflush(stream);
  ::_setmode(::_fileno(stream), _O_BINARY);
}

bool is_terminal(std::FILE* stream) {
  return ::_isatty(::_fileno(stream)) != 0;
}

std::filesystem::path executable_path() {
  std::wstring name(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      return {};
    }
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name);
    }
    name.resize(name.size() * 2);
  }
}

bool quota_exceeded(int) {
  return false;
}

namespace {

// The volume and the file's index on it, which tell one file from another.
std::optional<std::tuple<DWORD, DWORD, DWORD>> file_identity(const std::filesystem::path& path) {
  const HANDLE handle = ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = ::GetFileInformationByHandle(handle, &information) != 0;
  ::CloseHandle(handle);
  if (!known) {
    return std::nullopt;
  }
  return std::tuple{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                    information.nFileIndexLow};
}

}  // namespace

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  const auto first = file_identity(a);
  return first && first == file_identity(b);
}

bool replaces_open_files() {
  return false;
}

std::span<const char* const> program_arguments(int, char**) {
  static std::vector<std::string> texts;
  static std::vector<const char*> pointers;
  if (pointers.empty()) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; arguments != nullptr && i < count; ++i) {
      texts.push_back(utf8(arguments[i]));
    }
    ::LocalFree(arguments);
    for (const std::string& text : texts) {
      pointers.push_back(text.c_str());
    }
    pointers.push_back(nullptr);
  }
  return std::span<const char* const>(pointers.data(), pointers.size() - 1);
}

void use_utf8_console() {
  ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace varmkalk::core::platform
