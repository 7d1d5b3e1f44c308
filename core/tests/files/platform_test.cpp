// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files/file_access.h"
#include "core/files/line_reader.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::core {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string read_back(const fs::path& path) {
  const int fd = platform::open_for_reading(path);
  EXPECT_GE(fd, 0) << path;
  std::string bytes;
  char block[7];
  std::int64_t count = 0;
  while ((count = platform::read_some(fd, block, sizeof block)) > 0) {
    bytes.append(block, static_cast<std::size_t>(count));
  }
  platform::close(fd);
  return bytes;
}

TEST(Platform, BytesGoToTheFileAsTheyAreSoACrLfStaysOneCrLf) {
  const TempFolder folder;
  const std::vector<std::string> texts = {"rad 1\r\nrad 2\r\n", "bara LF\n", "\r\r\n", "\xF6\r\n",
                                          ""};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    // Straight through the descriptor, and through a stream on it as the result files are.
    const fs::path direct = folder.path() / ("direkt-" + std::to_string(i));
    const int fd = platform::create_new(direct);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(platform::write_some(fd, texts[i].data(), texts[i].size()),
              static_cast<std::int64_t>(texts[i].size()));
    ASSERT_TRUE(platform::close(fd));
    EXPECT_EQ(read_back(direct), texts[i]);

    const fs::path streamed = folder.path() / ("ström-" + std::to_string(i));
    std::FILE* stream = platform::stream_of(platform::create_new(streamed), "wb");
    ASSERT_NE(stream, nullptr);
    std::fputs(texts[i].c_str(), stream);
    std::fclose(stream);
    EXPECT_EQ(read_back(streamed), texts[i]);
  }
  // Read as lines, CR LF ends a line once and leaves nothing behind.
  LineReader lines(folder.path() / "direkt-0", "direkt-0");
  EXPECT_EQ(lines.next(), "rad 1");
  EXPECT_EQ(lines.next(), "rad 2");
  EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(Platform, ExclusiveCreationRefusesWhateverIsThereAndLeavesItAsItWas) {
  const TempFolder folder;
  folder.write("fil.dat", "gammal");
  fs::create_directory(folder.path() / "mapp.dat");
  fs::create_symlink(folder.path() / "fil.dat", folder.path() / "länk.dat");
  fs::create_symlink(folder.path() / "saknas.dat", folder.path() / "död länk.dat");
  for (const char* name : {"fil.dat", "mapp.dat", "länk.dat", "död länk.dat"}) {
    SCOPED_TRACE(name);
    errno = 0;
    EXPECT_LT(platform::create_new(folder.path() / name), 0);
    EXPECT_EQ(errno, EEXIST);
  }
  EXPECT_EQ(folder.read("fil.dat"), "gammal");
  EXPECT_FALSE(fs::exists(folder.path() / "saknas.dat"));

  // A move without replacing refuses the same way; with it, only the new bytes are left.
  folder.write("ny.dat", "ny");
  EXPECT_FALSE(platform::move_file(folder.path() / "ny.dat", folder.path() / "fil.dat", false));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(folder.read("fil.dat"), "gammal");
  EXPECT_TRUE(platform::move_file(folder.path() / "ny.dat", folder.path() / "fil.dat", true));
  EXPECT_EQ(folder.read("fil.dat"), "ny");
  EXPECT_FALSE(folder.has("ny.dat"));
}

TEST(Platform, NamesWithSwedishLettersAreUtf8InsideAndFoundAgain) {
  const TempFolder folder;
  for (const std::string name : {"umeå.dat", "Älvdalen ö.dat", "ÅÄÖåäö"}) {
    SCOPED_TRACE(name);
    const fs::path path = folder.path() / platform::path_from_utf8(name);
    EXPECT_EQ(platform::utf8_from_path(path.filename()), name);
    write_file(platform::utf8_from_path(path), "år", false);
    EXPECT_EQ(platform::status_at(path).kind, platform::FileKind::regular);
    EXPECT_EQ(read_file(platform::utf8_from_path(path)), "år");
    const fs::path moved = folder.path() / platform::path_from_utf8("flyttad " + name);
    ASSERT_TRUE(platform::move_file(path, moved, false));
    EXPECT_EQ(read_back(moved), "år");
  }
  // Sorted by their UTF-8 bytes.
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"flyttad umeå.dat", "flyttad Älvdalen ö.dat",
                                                      "flyttad ÅÄÖåäö"}));
}

TEST(Platform, OnlyARegularFileIsReplacedAndItKeepsItsPermissionBits) {
  const TempFolder folder;
  fs::create_directory(folder.path() / "mapp");
  folder.write("mål", "x");
  fs::create_symlink(folder.path() / "mål", folder.path() / "länk");
  ASSERT_EQ(::mkfifo((folder.path() / "rör").c_str(), 0600), 0);
  const struct {
    const char* name;
    platform::FileKind kind;
  } kCases[] = {{"mapp", platform::FileKind::folder},
                {"länk", platform::FileKind::symbolic_link},
                {"rör", platform::FileKind::pipe}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const fs::path path = folder.path() / c.name;
    EXPECT_EQ(platform::status_at(path).kind, c.kind);
    try {
      write_file(path.string(), "ny", true);
      ADD_FAILURE() << "ersattes";
    } catch (const FileAccessError& error) {
      EXPECT_NE(std::string(error.what()).find("bara en vanlig fil kan ersättas"),
                std::string::npos)
          << error.what();
    }
    EXPECT_EQ(platform::status_at(path).kind, c.kind);
  }
  EXPECT_EQ(folder.read("mål"), "x");

  fs::permissions(folder.path() / "mål", fs::perms(0640));
  write_file((folder.path() / "mål").string(), "ny", true);
  EXPECT_EQ(folder.read("mål"), "ny");
  EXPECT_EQ(platform::status_at(folder.path() / "mål").permission_bits, 0640U);
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"länk", "mapp", "mål", "rör"}));
}

// Reading the umask for a new file's bits must put it back: a process left at umask 0 would
// make every later file, its own and its children's, writable by all.
TEST(Platform, NewFilePermissionsLeaveTheUmaskAsItWas) {
  const mode_t before = ::umask(022);
  for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
    SCOPED_TRACE(mask);
    ::umask(mask);
    EXPECT_EQ(platform::new_file_permissions(), 0666U & ~unsigned(mask));
    EXPECT_EQ(platform::new_file_permissions(), 0666U & ~unsigned(mask));
    const TempFolder folder;
    write_file((folder.path() / "senare.dat").string(), "x", false);
    EXPECT_EQ(platform::status_at(folder.path() / "senare.dat").permission_bits,
              0666U & ~unsigned(mask));
    EXPECT_EQ(::umask(mask), mask);
  }
  ::umask(before);
}

}  // namespace
}  // namespace varmkalk::core
