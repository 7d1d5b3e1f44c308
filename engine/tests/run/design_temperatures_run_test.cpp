// SPDX-License-Identifier: GPL-3.0-or-later
// Whole engine runs with typed design temperatures: the lettered pairs typed as numbers give the
// bytes of their letter, and a typed pair is the heating system the summary names.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/windows1252.h"
#include "engine/run_sequence.h"

namespace varmkalk::engine {
namespace {

using testing::control_lines;
using testing::control_text;
using testing::TempFolder;

constexpr const char* kResultNames[] = {"h123.dat", "h123sum.dat", "h123sum_c.dat", "resultat.dat"};

// The four result files of a run on the lines in Stockholm's climate, which the lines choose.
std::vector<std::string> results_of(std::vector<std::string> lines) {
  lines[16] = "C";
  TempFolder work;
  work.write("styrfil.dat", control_text(lines));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_kalvex({work.path(), VARMKALK_TEST_CLIMATE_DIR}, out, err), 0) << err.str();
  std::vector<std::string> files;
  for (const char* name : kResultNames) {
    files.push_back(work.read(name));
  }
  return files;
}

std::vector<std::string> with(const char* letter, std::vector<std::string> extra) {
  std::vector<std::string> lines = control_lines();
  lines[17] = letter;
  lines.insert(lines.end(), extra.begin(), extra.end());
  return lines;
}

TEST(DesignTemperaturesRun, LetteredPairsTypedAsNumbersGiveTheirLettersBytes) {
  struct Row {
    const char* name;
    std::vector<std::string> coded;
    std::vector<std::string> typed;
  };
  for (const Row& row : std::vector<Row>{
           {"80/60 beside A", with("A", {}), with("A", {"", "", "SYSTEMTEMP", " 80", " 60"})},
           {"55/45 beside B", with("B", {}), with("B", {"", "", "SYSTEMTEMP", " 55", " 45"})},
           {"55/45 beside another letter", with("x", {}),
            with("x", {"", "", "systemtemp", " 55.0", " 45"})},
           {"80/60 beside B", with("A", {}), with("B", {"", "", "SYSTEMTEMP", " 80", " 60"})},
       }) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(results_of(row.typed), results_of(row.coded));
  }
}

TEST(DesignTemperaturesRun, ATypedPairIsTheSystemTheSummaryNames) {
  const std::vector<std::string> typed =
      results_of(with("B", {"", "", "SYSTEMTEMP", " 45", " 35"}));
  EXPECT_NE(
      typed[1].find(core::to_windows1252(" - Värmesystemet är dimensionerat för 45 och 35 C")),
      std::string::npos);
  EXPECT_NE(typed, results_of(with("B", {})));
}

}  // namespace
}  // namespace varmkalk::engine
