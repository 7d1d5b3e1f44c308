// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The library's calls to the operating system, with a POSIX and a Windows branch. Names are
// UTF-8 inside the program; the Windows branch hands them to the system as wide names. Files
// are opened in binary, so that a line written with CR LF ends CR LF, never CR CR LF. A call
// that fails returns -1 or false with errno set, so that one Swedish text serves both systems.
namespace varmkalk::core::platform {

enum class FileKind { missing, regular, folder, symbolic_link, pipe, socket, device };

struct FileStatus {
  FileKind kind = FileKind::missing;
  unsigned permission_bits = 0;  // the mode's lowest twelve bits where the system has them
  std::int64_t size = 0;
};

// A name as the program holds it (UTF-8) and as the system takes it, both ways.
std::filesystem::path path_from_utf8(std::string_view name);
std::string utf8_from_path(const std::filesystem::path& path);
// A result file's name as the control file gives it (Windows-1252 bytes): on POSIX the bytes as
// they stand, on Windows the letters they stand for.
std::filesystem::path path_from_engine_name(std::string_view name);

// What is at `path`; a symbolic link is reported as one, not followed. `missing` with errno set
// when nothing can be found there.
FileStatus status_at(const std::filesystem::path& path);
// What an open file is; `missing` with errno set on failure.
FileStatus status_of(int fd);

// Opens for reading without waiting for a writer of a named pipe; reads wait as usual once
// ready_for_reading() has been called.
int open_for_reading(const std::filesystem::path& path);
void ready_for_reading(int fd);
// Creates a new file for writing; fails with EEXIST when anything of that name is there, a
// symbolic link included, and with EISDIR for a folder.
int create_new(const std::filesystem::path& path);
// Creates a new file named `pattern` with its last six characters (XXXXXX) made unique; the
// name made is left in `pattern` (UTF-8).
int create_temporary(std::string& pattern);
// A file in `folder` with no name left behind: it goes as the program ends, however it ends.
int create_unnamed(const std::filesystem::path& folder, std::string_view tag);

// Read and write return the count of bytes, or -1 with errno set.
std::int64_t read_some(int fd, char* into, std::size_t most);
std::int64_t write_some(int fd, const char* bytes, std::size_t count);
bool rewind(int fd);
bool close(int fd);
// Gives the file `permission_bits` (where the system keeps them) and puts its bytes on disk.
bool make_durable(int fd, unsigned permission_bits);
// The bits a new file gets: read and write for all, less the user's mask.
unsigned new_file_permissions();

// Renames `from` to `to`. Without `replace` an existing `to` is never replaced (EEXIST), not even
// one that appeared in the meantime; with it the replacement is atomic.
bool move_file(const std::filesystem::path& from, const std::filesystem::path& to, bool replace);
bool remove_file(const std::filesystem::path& path);

// A stream on an open file, binary.
std::FILE* stream_of(int fd, const char* mode);
// Standard input, read in binary.
int standard_input();
// Makes a stream pass its bytes as they are, so that a table's CR LF stays CR LF (a Windows
// console stream would make it CR CR LF).
void pass_bytes_unchanged(std::FILE* stream);
bool is_terminal(std::FILE* stream);

// Where the running program's executable is; empty when unknown.
std::filesystem::path executable_path();
// Whether the error is a used-up disk quota, which not every system reports.
bool quota_exceeded(int error_number);

// The arguments after the program's name, in UTF-8; on Windows read from the wide command line,
// since `argv` there holds them in the local code page.
std::span<const char* const> program_arguments(int argc, char** argv);

// Makes the console show the program's UTF-8 text; nothing on POSIX, where it already does.
void use_utf8_console();

}  // namespace varmkalk::core::platform
