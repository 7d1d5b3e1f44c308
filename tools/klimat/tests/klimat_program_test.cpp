// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "tools/klimat/arguments.h"
#include "core/files/file_access.h"

namespace varmkalk::klimat {
namespace {

namespace fs = std::filesystem;
using core::FileAccessError;
using core::read_file;
using core::require_absent;
using core::write_file;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "klimat-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  fs::path path_;
};

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(KlimatFiles, AnExistingFileIsReplacedOnlyWhenAskedAndNoTemporaryFileStays) {
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
  EXPECT_EQ(contents(out), "först");
  write_file(out, "sedan", true);
  EXPECT_EQ(contents(out), "sedan");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"egen.dat"});

  EXPECT_THROW(write_file((folder.path() / "saknas" / "x.dat").string(), "x", false), FileAccessError);
  EXPECT_THROW(read_file(folder.path().string()), FileAccessError);
  EXPECT_EQ(folder.names(), std::vector<std::string>{"egen.dat"});
}

TEST(KlimatArguments, LongOptionsInAnyOrderAndClearRefusals) {
  struct Case {
    std::vector<const char*> arguments;
    std::string refusal;  // part of it; empty: accepted
  };
  for (const Case& c : {
           Case{{"smhi.csv", "ut.dat", "--year", "2009", "--allow-suspect", "--replace"}, ""},
           Case{{"--year=2009", "smhi.csv", "ut.dat"}, ""},
           Case{{"--info", "sthlm.dat"}, ""},
           Case{{"--", "--konstigt-namn.csv", "ut.dat"}, ""},
           Case{{"smhi.csv"}, "ange källan och klimatfilen"},
           Case{{"a", "b", "c"}, "för många filnamn"},
           Case{{"a", "b", "--year"}, "--year behöver ett år"},
           Case{{"a", "b", "--year", "20x9"}, "\"20x9\" är inget år"},
           Case{{"a", "b", "--year", "0"}, "är inget år mellan 1 och 9999"},
           Case{{"a", "b", "--replace=ja"}, "--replace tar inget värde"},
           Case{{"a", "b", "--ersätt"}, "okänd flagga \"--ersätt\""},
           Case{{"--info", "a", "--year", "2009"}, "--info tar en klimatfil"},
       }) {
    const auto parsed = parse_arguments(c.arguments);
    if (c.refusal.empty()) {
      EXPECT_TRUE(std::holds_alternative<Arguments>(parsed)) << std::get<std::string>(parsed);
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.refusal;
      EXPECT_NE(std::get<std::string>(parsed).find(c.refusal), std::string::npos)
          << std::get<std::string>(parsed);
    }
  }
  const auto parsed = std::get<Arguments>(parse_arguments(
      std::vector<const char*>{"--replace", "smhi.csv", "--year", "2009", "ut.dat"}));
  EXPECT_EQ(parsed.source, "smhi.csv");
  EXPECT_EQ(parsed.output, "ut.dat");
  EXPECT_EQ(parsed.year, 2009);
  EXPECT_TRUE(parsed.replace);
  EXPECT_FALSE(parsed.allow_suspect);
  EXPECT_EQ(std::get<Arguments>(parse_arguments(std::vector<const char*>{"a", "--help"})).task,
            Arguments::Task::help);
}

}  // namespace
}  // namespace varmkalk::klimat
