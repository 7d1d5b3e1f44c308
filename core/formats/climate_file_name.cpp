// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/climate_file_name.h"

#include <algorithm>

#include "core/case/climates.h"
#include "core/text/portable_name.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {
namespace {

constexpr std::size_t kLongestExtension = 4;

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::string lowered(std::string_view text) {
  std::string low(text);
  std::transform(low.begin(), low.end(), low.begin(), lower);
  return low;
}

bool ends_in_extension(std::string_view text) {
  const std::size_t point = text.rfind('.');
  if (point == std::string_view::npos || point == 0 || text[point - 1] == ' ') {
    return false;
  }
  const std::string_view extension = text.substr(point + 1);
  return !extension.empty() && extension.size() <= kLongestExtension &&
         std::all_of(extension.begin(), extension.end(),
                     [](char c) { return is_letter(c) || is_digit(c); }) &&
         std::any_of(extension.begin(), extension.end(), is_letter);
}

}  // namespace

bool is_bundled_climate_name(std::string_view name) {
  const std::string low = lowered(name);
  return std::any_of(kClimates.begin(), kClimates.end(),
                     [&](const Climate& climate) { return climate.file_name == low; });
}

std::optional<std::string> climate_file_name_fault(std::string_view name) {
  if (name.size() <= kClimateFileSuffix.size() || !name.ends_with(kClimateFileSuffix)) {
    return "det ska sluta på .dat, med små bokstäver, efter minst ett tecken";
  }
  if (name.find_first_of("/\\") != std::string_view::npos) {
    return "det innehåller ett snedstreck; klimatfilen ska ligga i arbetsmappen";
  }
  if (name.front() == ' ') {
    return "det börjar med ett mellanslag";
  }
  const std::optional<std::string> line_24 = encode_windows1252(name);
  if (!line_24) {
    return "det innehåller ett tecken som styrfilen inte kan bära (bara Windows-1252 går)";
  }
  if (std::any_of(line_24->begin(), line_24->end(),
                  [](char c) { return is_windows1252_control(static_cast<unsigned char>(c)); })) {
    return "det innehåller ett styrtecken";
  }
  if (const std::optional<PortableNameFault> fault = portable_name_fault(*line_24)) {
    return "det " + portable_name_fault_text(*fault, name);
  }
  if (line_24->size() > kLongestClimateFileName) {
    return "det är " + std::to_string(line_24->size()) + " tecken långt; styrfilen rymmer högst " +
           std::to_string(kLongestClimateFileName);
  }
  if (is_bundled_climate_name(name)) {
    return "det är namnet på en av de sex medföljande klimatfilerna";
  }
  return std::nullopt;
}

bool looks_like_file_name(std::string_view line) {
  const std::size_t end = line.find_last_not_of(" \t");
  const std::string_view text = end == std::string_view::npos ? "" : line.substr(0, end + 1);
  return lowered(text).find(kClimateFileSuffix) != std::string::npos ||
         text.find_first_of("/\\") != std::string_view::npos || ends_in_extension(text);
}

std::string file_system_name(std::string_view line_24_name) {
  return decode_windows1252(line_24_name);
}

}  // namespace varmkalk::core
