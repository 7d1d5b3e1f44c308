// SPDX-License-Identifier: GPL-3.0-or-later
// The fingerprint that tells whether the second pass read the bytes the first pass checked.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/files/byte_source.h"
#include "tools/batch/table_fingerprint.h"

namespace varmkalk::batch {
namespace {

TableFingerprint fingerprint_of(const std::string& bytes, std::size_t piece) {
  core::MemoryByteSource memory(bytes, piece);
  FingerprintedSource source(memory);
  std::string passed;
  char buffer[13];
  while (const std::size_t count = source.read_some(buffer, sizeof buffer)) {
    passed.append(buffer, count);
  }
  EXPECT_EQ(passed, bytes);  // handed on unchanged
  return source.fingerprint();
}

TEST(TableFingerprint, TheSameBytesInAnyPiecesGiveOneFingerprintAndAnyChangeAnother) {
  const std::string table = "a,b\r\n1,2\r\n3,4\r\n";
  const TableFingerprint whole = fingerprint_of(table, SIZE_MAX);
  EXPECT_EQ(whole.bytes, table.size());
  for (const std::size_t piece : {1u, 2u, 7u}) {
    EXPECT_EQ(fingerprint_of(table, piece), whole) << piece;
  }
  // FNV-1a of nothing and of "a", pinned to the published values of the 64-bit hash.
  EXPECT_EQ(fingerprint_of("", 1).hash, 0xcbf29ce484222325u);
  EXPECT_EQ(fingerprint_of("a", 1).hash, 0xaf63dc4c8601ec8cu);

  const std::vector<std::pair<std::string, std::string>> changed = {
      {"first byte", "b,b\r\n1,2\r\n3,4\r\n"},
      {"a digit", "a,b\r\n1,2\r\n3,5\r\n"},
      {"two rows swapped", "a,b\r\n3,4\r\n1,2\r\n"},
      {"cut", "a,b\r\n1,2\r\n"},
      {"a row added", table + "5,6\r\n"},
      {"a byte less", table.substr(1)},
      {"empty", ""},
  };
  for (const auto& [what, bytes] : changed) {
    EXPECT_NE(fingerprint_of(bytes, 3), whole) << what;
  }
}

}  // namespace
}  // namespace varmkalk::batch
