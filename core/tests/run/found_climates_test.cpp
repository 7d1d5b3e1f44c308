// SPDX-License-Identifier: GPL-3.0-or-later
// The climate files a batch of cases reads once: a case whose climate was not read is refused
// with an exception, never looked up past the end of what was read.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/run/case_run.h"
#include "core/tests/support/temp_folder.h"
#include "core/tests/support/worked_example.h"

namespace varmkalk::core {
namespace {

BoilerCase at(Place place) {
  BoilerCase input = testing::worked_example();
  input.climate = place;
  return input;
}

TEST(FoundClimates, AClimateNotReadThrowsAndNoCaseRuns) {
  const testing::TempFolder folder;
  const std::vector<BoilerCase> read = {at(Place::malmo), at(Place::stockholm), at(Place::malmo)};
  const FoundClimates climates(read, folder.path(), {});
  const std::vector<std::pair<Place, bool>> lookups = {
      {Place::malmo, true},  {Place::stockholm, true},  {Place::kiruna, false},
      {Place::falun, false}, {Place::jonkoping, false}, {Place::ostersund, false},
  };
  for (const auto& [place, was_read] : lookups) {
    SCOPED_TRACE(static_cast<int>(place));
    EXPECT_EQ(climates.has(at(place)), was_read);
    if (was_read) {
      // Not in the folder, and no fallback: the fault the engine would give.
      EXPECT_FALSE(climates.of(at(place)).days);
      EXPECT_FALSE(climates.of(at(place)).open_fault.empty());
    } else {
      EXPECT_THROW(climates.of(at(place)), std::out_of_range);
    }
  }
  const std::vector<BoilerCase> with_kiruna = {at(Place::malmo), at(Place::kiruna)};
  EXPECT_THROW(run_cases(with_kiruna, climates, 2), std::out_of_range);
  EXPECT_EQ(run_cases(read, climates, 2).size(), read.size());
}

}  // namespace
}  // namespace varmkalk::core
