// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "core/case/boiler_case.h"

namespace varmkalk::fuzz {

// Reports a broken promise of the engine on stderr and aborts, which libFuzzer records as a
// crash together with the input that caused it.
[[noreturn]] void finding(std::string_view what, std::string_view detail = {});

inline void require(bool holds, std::string_view what, std::string_view detail = {}) {
  if (!holds) {
    finding(what, detail);
  }
}

std::string bytes_of(const std::uint8_t* data, std::size_t size);

// A message for the user must be one line that starts as expected, is valid UTF-8 and holds no
// control character that could steer the terminal.
void require_clear_message(std::string_view message, std::string_view expected_start);

// Every number of the control file as read is finite: nothing that reads as NaN or infinity may
// reach the model.
void require_finite_values(const core::BoilerCase& params);

// A fresh folder under the temporary folder, removed with everything in it at destruction.
class ScratchFolder {
 public:
  explicit ScratchFolder(
      const std::filesystem::path& parent = std::filesystem::temp_directory_path());
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void write(const std::string& name, std::string_view bytes) const;
  std::string read(const std::string& name) const;
  // The names of the entries in the folder.
  std::set<std::string> names() const;

 private:
  std::filesystem::path path_;
};

}  // namespace varmkalk::fuzz
