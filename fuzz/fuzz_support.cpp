// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/fuzz_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/formats/control_file.h"

namespace varmkalk::fuzz {
namespace {

// Checked apart from the library's own decoder: the length of the well-formed UTF-8 sequence
// at `at` that is no control character (C0, DEL, C1, the line and paragraph separators), or 0.
std::size_t clear_character_length(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) {
    return 0;
  }
  unsigned code = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if ((byte & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (byte & 0x3Fu);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  const bool control = (code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029;
  return overlong || surrogate || control || code > 0x10FFFF ? 0 : length;
}

}  // namespace

void finding(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "\nFINDING: %.*s\n", static_cast<int>(what.size()), what.data());
  if (!detail.empty()) {
    std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
  }
  std::abort();
}

std::string bytes_of(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

void require_clear_message(std::string_view message, std::string_view expected_start) {
  require(message.substr(0, expected_start.size()) == expected_start,
          "the message does not start with the file it concerns", message);
  for (std::size_t at = 0; at < message.size();) {
    const std::size_t length = clear_character_length(message, at);
    require(length > 0, "the message is no clear line of UTF-8", message);
    at += length;
  }
}

void require_finite_values(const core::BoilerCase& input) {
  for (const core::ControlLine& line : core::kControlLines) {
    if (line.kind == core::ControlLineKind::number) {
      require(std::isfinite(line.number(input)),
              "a number read from the control file is not finite", line.field);
    }
  }
}

ScratchFolder::ScratchFolder(const std::filesystem::path& parent) {
  std::string pattern = (parent / "kalvex-fuzz-XXXXXX").string();
  require(mkdtemp(pattern.data()) != nullptr, "harness: no temporary folder could be made",
          pattern);
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::write(const std::string& name, std::string_view bytes) const {
  std::ofstream file(path_ / name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  require(!file.fail(), "harness: a file could not be written", name);
}

std::string ScratchFolder::read(const std::string& name) const {
  std::ifstream file(path_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::set<std::string> ScratchFolder::names() const {
  std::set<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    found.insert(entry.path().filename().string());
  }
  return found;
}

}  // namespace varmkalk::fuzz
