// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/line_reader.h"

#include <cerrno>

#include "core/files/platform.h"
#include "core/files/run_error.h"
#include "core/files/system_error_text.h"

namespace varmkalk::core {
namespace {

// What a file that is not a regular one is, for the message that refuses it.
std::string_view kind_of(platform::FileKind kind) {
  switch (kind) {
    case platform::FileKind::pipe:
      return "en namngiven pipe";
    case platform::FileKind::socket:
      return "en socket";
    default:
      return "en enhet";
  }
}

}  // namespace

LineReader::LineReader(const std::filesystem::path& path, std::string name)
    : name_(std::move(name)) {
  // Opened without waiting: a named pipe would otherwise block until someone writes to it.
  const int fd = platform::open_for_reading(path);
  if (fd < 0) {
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(errno) + ")");
  }
  const platform::FileStatus status = platform::status_of(fd);
  if (status.kind == platform::FileKind::missing) {
    const int error = errno;
    platform::close(fd);
    throw RunError(name_ + ": filen kan inte öppnas (" + system_error_text(error) + ")");
  }
  // Waiting does not matter for a regular file, and nothing else is read.
  if (status.kind != platform::FileKind::regular) {
    platform::close(fd);
    throw RunError(name_ +
                   (status.kind == platform::FileKind::folder
                        ? std::string(": är en mapp, ingen fil")
                        : ": är ingen vanlig fil utan " + std::string(kind_of(status.kind))));
  }
  file_.reset(platform::stream_of(fd, "rb"));
  if (!file_) {
    const int error = errno;
    platform::close(fd);
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
