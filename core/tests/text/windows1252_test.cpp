// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace varmkalk::core {
namespace {

TEST(Windows1252, DecodesTheCodePage) {
  EXPECT_EQ(decode_windows1252("\xC5\xC4\xD6\xE5\xE4\xF6"), "ÅÄÖåäö");
  EXPECT_EQ(decode_windows1252("\x80\x96\x9F"), "€–Ÿ");
}

TEST(Windows1252, EveryByteRoundTrips) {
  std::string all_bytes;
  for (int code = 0; code < 256; ++code) {
    all_bytes += static_cast<char>(code);
  }
  EXPECT_EQ(encode_windows1252(decode_windows1252(all_bytes)), all_bytes);
}

TEST(Windows1252, RefusesWhatTheCodePageCannotCarry) {
  EXPECT_EQ(encode_windows1252("Ω"), std::nullopt);
  EXPECT_EQ(encode_windows1252("a\xC2\x85"), std::nullopt);  // U+0085, a C1 control
  EXPECT_EQ(encode_windows1252("\xC3"), std::nullopt);       // cut UTF-8
  EXPECT_EQ(to_windows1252("Ω å"), "? \xE5");
}

}  // namespace
}  // namespace varmkalk::core
