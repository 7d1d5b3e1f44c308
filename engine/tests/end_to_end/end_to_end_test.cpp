// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    work_dir_ = fs::temp_directory_path() /
                ("kalvex-e2e-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(work_dir_);
    fs::create_directories(work_dir_);
    const fs::path source = KALVEX_E2E_DIR;
    fs::copy_file(source / "styrfil.dat", work_dir_ / "styrfil.dat");
    // The case's climate is Malmö; its ten days stand in for the year.
    fs::copy_file(source / "ten_day_climate.dat", work_dir_ / "malmo.dat");
  }
  void TearDown() override { fs::remove_all(work_dir_); }

  // Runs the built engine in the working folder; returns its exit status.
  int run_engine() const {
    const std::string command =
        "cd '" + work_dir_.string() + "' && '" KALVEX_PROGRAM "' >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path work_dir_;
};

TEST_F(EndToEnd, WritesTheFourResultFilesByteForByte) {
  ASSERT_EQ(run_engine(), 0) << read_bytes(work_dir_ / "stderr.txt");
  EXPECT_EQ(read_bytes(work_dir_ / "stdout.txt"), "\n\n");
  EXPECT_EQ(read_bytes(work_dir_ / "stderr.txt"), "");
  for (const char* name : {"e2e1.dat", "e2e1sum.dat", "e2e1sum_c.dat", "resultat.dat"}) {
    EXPECT_EQ(read_bytes(work_dir_ / name),
              read_bytes(fs::path(KALVEX_E2E_DIR) / "reference" / name))
        << name;
  }
}

TEST_F(EndToEnd, ASecondRunInTheSameFolderFailsAndLeavesTheFirstResultsUntouched) {
  ASSERT_EQ(run_engine(), 0);
  ASSERT_NE(run_engine(), 0);
  EXPECT_NE(read_bytes(work_dir_ / "stderr.txt").find("e2e1.dat"), std::string::npos);
  for (const char* name : {"e2e1.dat", "e2e1sum.dat", "e2e1sum_c.dat", "resultat.dat"}) {
    EXPECT_EQ(read_bytes(work_dir_ / name),
              read_bytes(fs::path(KALVEX_E2E_DIR) / "reference" / name))
        << name;
  }
}

TEST_F(EndToEnd, FindsTheInstalledClimateFileWhenTheWorkingFolderHasNone) {
  fs::remove(work_dir_ / "malmo.dat");
  ASSERT_EQ(run_engine(), 0) << read_bytes(work_dir_ / "stderr.txt");
  // The build tree's malmo.dat is a whole year: far more heating days than the ten-day file.
  EXPECT_GT(read_bytes(work_dir_ / "e2e1.dat").size(), 100u * 89u);
}

}  // namespace
