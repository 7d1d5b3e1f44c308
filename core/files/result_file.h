// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace varmkalk::core {

// A result file of the run. It is always created new: when a file of that name exists the
// creation fails and the existing file is left untouched. Every failed write or close is an
// error, so a full disk never passes for a complete run.
class ResultFile {
 public:
  // Creates `name` in `folder`. Throws RunError, naming the file, when it exists or cannot be
  // created.
  ResultFile(const std::filesystem::path& folder, std::string name);

  // Writes the bytes as they are. Throws RunError on failure.
  void write(std::string_view bytes);
  // Closes the file, once. Throws RunError when its last bytes cannot be written.
  void close();

 private:
  [[noreturn]] void fail(int error_number) const;

  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
};

// The name as the user reads it in a message: decoded from Windows-1252, in quotes when it
// holds a blank.
std::string shown_file_name(const std::string& name);

}  // namespace varmkalk::core
