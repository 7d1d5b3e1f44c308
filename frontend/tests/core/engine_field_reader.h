#pragma once

#include <QString>

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

// The engine's reading of a number line, for round-trip tests: the first 11 columns (a shorter
// line counts as blank-filled), cut at the first comma, blanks removed, nothing left reads 0;
// then sign, digits with at most one point, and an exponent written as E, D, e or d with an
// optionally signed integer or as a bare sign and integer. The value is the nearest float; one
// too close to zero for a float reads as zero, one too large for it as unreadable.
inline std::optional<float> read_engine_number(const QString& line) {
  QString field = line.left(11);
  const qsizetype comma = field.indexOf(QLatin1Char(','));
  if (comma >= 0) {
    field.truncate(comma);
  }
  field.remove(QLatin1Char(' '));
  if (field.isEmpty()) {
    return 0.0F;
  }
  std::string text = field.toStdString();
  std::size_t pos = 0;
  if (text[pos] == '+' || text[pos] == '-') {
    ++pos;
  }
  const std::size_t mantissa_start = pos;
  bool point = false;
  bool digit = false;
  for (; pos < text.size(); ++pos) {
    if (text[pos] >= '0' && text[pos] <= '9') {
      digit = true;
    } else if (text[pos] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digit || pos == mantissa_start) {
    return std::nullopt;
  }
  if (pos < text.size()) {
    const char marker = text[pos];
    if (marker == 'E' || marker == 'D' || marker == 'e' || marker == 'd') {
      text[pos] = 'e';
      ++pos;
    } else if (marker == '+' || marker == '-') {
      text.insert(pos, 1, 'e');
      ++pos;
    } else {
      return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      ++pos;
    }
    const std::size_t exponent_start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
      ++pos;
    }
    if (pos == exponent_start || pos != text.size()) {
      return std::nullopt;
    }
  }
  // from_chars takes no leading plus sign.
  const std::size_t start = text[0] == '+' ? 1 : 0;
  float value = 0.0F;
  const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range && result.ptr == text.data() + text.size()) {
    double wide = 0.0;
    std::from_chars(text.data() + start, text.data() + text.size(), wide);
    if (std::fabs(wide) < 1.0) {
      return std::signbit(wide) ? -0.0F : 0.0F;
    }
    return std::nullopt;
  }
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}
