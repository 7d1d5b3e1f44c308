#include "windows1252.h"

#include <algorithm>
#include <array>

namespace varmkalk {

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page equals Latin-1. The five bytes that the code
// page leaves undefined map to the control characters of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr unsigned kHighControlsFirst = 0x80;
constexpr char16_t kLatin1First = 0xA0;
constexpr char16_t kLatin1Last = 0xFF;

}  // namespace

QString decode_windows1252(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    if (code >= kHighControlsFirst && code < kHighControlsFirst + kHighControls.size()) {
      text += QChar(kHighControls[code - kHighControlsFirst]);
    } else {
      text += QChar(code);
    }
  }
  return text;
}

std::optional<QByteArray> encode_windows1252(QStringView text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar character : text) {
    const char16_t code = character.unicode();
    const auto* high = std::find(kHighControls.begin(), kHighControls.end(), code);
    if (high != kHighControls.end()) {
      bytes += static_cast<char>(kHighControlsFirst + (high - kHighControls.begin()));
    } else if (code < kHighControlsFirst || (code >= kLatin1First && code <= kLatin1Last)) {
      bytes += static_cast<char>(code);
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace varmkalk
