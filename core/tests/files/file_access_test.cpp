// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/file_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/files/platform.h"
#include "core/tests/support/temp_folder.h"

namespace varmkalk::core {
namespace {

using testing::TempFolder;

TEST(FileAccess, AnExistingFileIsReplacedOnlyWhenAskedAndNoTemporaryFileStays) {
  const TempFolder folder;
  const std::string out = (folder.path() / "egen.dat").string();
  write_file(out, "först", false);
  EXPECT_THROW(require_absent(out), FileAccessError);
  try {
    write_file(out, "sedan", false);
    ADD_FAILURE() << "en befintlig fil ersattes";
  } catch (const FileAccessError& error) {
    EXPECT_NE(std::string(error.what()).find("egen.dat: filen finns redan"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(folder.read("egen.dat"), "först");
  write_file(out, "sedan", true);
  EXPECT_EQ(folder.read("egen.dat"), "sedan");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"egen.dat"});

  EXPECT_THROW(write_file((folder.path() / "saknas" / "x.dat").string(), "x", false),
               FileAccessError);
  EXPECT_THROW(read_file(folder.path().string()), FileAccessError);
  EXPECT_EQ(folder.names(), std::vector<std::string>{"egen.dat"});
}

// Standard input's copy has no name from the moment it is made: the folder it is made in stays
// empty while it is read, and after.
TEST(FileAccess, TheCopyOfAStreamLeavesNothingInItsFolder) {
  const TempFolder folder;
  std::filesystem::create_directory(folder.path() / "tmp");
  folder.write("källa.csv", "a,b\r\n1,2\r\n");
  const int source = platform::open_for_reading(folder.path() / "källa.csv");
  ASSERT_GE(source, 0);
  platform::ready_for_reading(source);
  {
    InputFile copy = copy_to_unnamed_file(source, "standard in", folder.path() / "tmp", "prov");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "tmp"));
    std::string bytes(64, '\0');
    bytes.resize(copy.read_some(bytes.data(), bytes.size()));
    EXPECT_EQ(bytes, "a,b\r\n1,2\r\n");
  }
  platform::close(source);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "tmp"));
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"källa.csv", "tmp"}));
}

}  // namespace
}  // namespace varmkalk::core
