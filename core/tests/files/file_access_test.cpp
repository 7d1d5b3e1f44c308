// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/file_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace varmkalk::core
