// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/run_error.h"
#include "core/files/system_error_text.h"

namespace varmkalk::core {
namespace {

// What a file that is not a regular one is, for the message that refuses it.
std::string_view kind_of(mode_t mode) {
  if (S_ISFIFO(mode)) {
    return "en namngiven pipe";
  }
  if (S_ISSOCK(mode)) {
    return "en socket";
  }
  return "en enhet";
}

}  // namespace

LineReader::LineReader(const std::filesystem::path& path, std::string name)
    : name_(std::move(name)) {
  // Opened without waiting: a named pipe would otherwise block until someone writes to it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(errno) + ")");
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(error) + ")");
  }
  // Waiting does not matter for a regular file, and nothing else is read.
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    throw RunError(name_ + (S_ISDIR(status.st_mode) ? std::string(": är en mapp, ingen fil")
                                                    : ": är ingen vanlig fil utan " +
                                                          std::string(kind_of(status.st_mode))));
  }
  file_.reset(::fdopen(fd, "rb"));
  if (!file_) {
    const int error = errno;
    ::close(fd);
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(error) + ")");
  }
}

std::optional<std::string> LineReader::next() {
  std::string line;
  bool read_any = false;
  // Carriage returns seen but not yet known to stand at the end of the line.
  std::size_t pending_returns = 0;
  int c = 0;
  while ((c = std::fgetc(file_.get())) != EOF) {
    read_any = true;
    if (c == '\n') {
      break;
    }
    if (c == '\r') {
      ++pending_returns;
      continue;
    }
    if (pending_returns > 0) {
      fail(
          ": raden innehåller en vagnretur (CR) mitt i raden; filen har troligen radslut med "
          "bara CR, men raderna ska sluta med CR LF");
    }
    if (c == '\0') {
      fail(
          ": raden innehåller ett NUL-tecken; filen är ingen textfil i Windows-1252 (kanske "
          "sparad som UTF-16)");
    }
    if (line.size() < kLongestKept) {
      line += static_cast<char>(c);
    }
  }
  if (std::ferror(file_.get())) {
    fail(": läsningen misslyckades (" + system_error_text(errno) + ")");
  }
  if (!read_any) {
    return std::nullopt;
  }
  ++line_number_;
  return line;
}

void LineReader::fail(const std::string& what) const {
  throw RunError(name_ + ", rad " + std::to_string(line_number_ + 1) + what);
}

}  // namespace varmkalk::core
