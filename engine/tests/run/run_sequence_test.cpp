// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_sequence.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <set>
#include <span>
#include <sstream>
#include <vector>

#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/crlf_lines.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/windows1252.h"

namespace varmkalk::engine {
namespace {

using namespace core;

using testing::control_lines;
using testing::control_text;
using testing::crlf_line_count;
using testing::TempFolder;

// Three days in Stockholm; the second too warm to need heat.
constexpr const char* kClimate = "   1   -4.8\r\n   2   16.0\r\n   3  -10.0\r\n";

// A stand-in for the boiler model: every day below 14.95 °C is a heating day with made-up
// balances at 95 % (94 % without the pump), and what the sequence handed over is kept for the
// checks.
struct FakeModel {
  BoilerCase started_with;
  std::vector<int> offered_days;

  YearModel year_model() {
    return [this](const BoilerCase& input, std::span<const ClimateRecord> climate_days) {
      started_with = input;
      YearResult year;
      for (const ClimateRecord& record : climate_days) {
        offered_days.push_back(record.day_number);
        if (record.outdoor_temp >= 14.95f) {
          continue;
        }
        DayBalance day;
        day.day_number = record.day_number;
        day.outdoor_temp = record.outdoor_temp;
        day.heat_demand = 300.0f * (20.0f - record.outdoor_temp);
        day.with_pump = {0.3f, 0.95f, 0.0f};
        day.without_pump = {0.31f, 0.94f, 0.0f};
        year.days.push_back(day);
        year.totals.net_energy_wh += day.heat_demand * 24.0f;
        year.totals.gross_energy_with_pump_wh += day.heat_demand * 24.0f / 0.95f;
        year.totals.gross_energy_without_pump_wh += day.heat_demand * 24.0f / 0.94f;
        ++year.totals.heating_days;
      }
      return year;
    };
  }
};

// A model under which no day needs heat.
YearResult no_heating_days(const BoilerCase&, std::span<const ClimateRecord>) {
  return {};
}

struct RunOutcome {
  int exit_status;
  std::string out;
  std::string err;
};

RunOutcome run_in(const TempFolder& work, const YearModel& model,
                  const std::filesystem::path& fallback = {}) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_kalvex({work.path(), fallback}, out, err, model);
  return {status, out.str(), err.str()};
}

std::set<std::string> files_in(const TempFolder& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

void prepare(const TempFolder& work) {
  work.write("styrfil.dat", control_text(control_lines()));
  work.write("sthlm.dat", kClimate);
}

TEST(RunSequence, CompleteRunWritesTheFourResultFiles) {
  TempFolder work;
  prepare(work);
  FakeModel model;
  const RunOutcome outcome = run_in(work, model.year_model());

  EXPECT_EQ(outcome.exit_status, 0);
  EXPECT_EQ(outcome.out, "\n\n");
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(files_in(work),
            (std::set<std::string>{"styrfil.dat", "sthlm.dat", "h123.dat", "h123sum.dat",
                                   "h123sum_c.dat", "resultat.dat"}));
  // Every record offered in file order; the heating days written to both daily files.
  EXPECT_EQ(model.offered_days, (std::vector<int>{1, 2, 3}));
  const std::string raw = work.read("h123.dat");
  EXPECT_EQ(crlf_line_count(raw), 2);
  EXPECT_EQ(raw.substr(0, 3), "  1");
  EXPECT_EQ(raw.substr(89, 3), "  3");
  EXPECT_EQ(raw.substr(31, 16), "    0.30   95.00");
  EXPECT_EQ(work.read("h123sum_c.dat").substr(31, 16), "    0.31   94.00");
  // The summary file is resultat.dat with two empty lines before it.
  const std::string result = work.read("resultat.dat");
  EXPECT_EQ(crlf_line_count(result), 45);
  EXPECT_EQ(work.read("h123sum.dat"), "\r\n\r\n" + result);
  EXPECT_NE(result.find(" 95.0 %"), std::string::npos);
}

TEST(RunSequence, ModelStartsWithTheChoicesMade) {
  TempFolder work;
  auto lines = control_lines();
  lines[16] = "a";  // Malmö
  lines[17] = "A";  // 80/60 °C
  work.write("styrfil.dat", control_text(lines));
  work.write("malmo.dat", kClimate);
  FakeModel model;
  ASSERT_EQ(run_in(work, model.year_model()).exit_status, 0);
  EXPECT_EQ(model.started_with.climate, ClimateChoice(Place::malmo));
  EXPECT_EQ(model.started_with.heating_system, design_temperatures(HeatingSystem::radiators_80_60));
  EXPECT_EQ(model.started_with.identity.padded(), "h123");
}

TEST(RunSequence, ClimateFileIsFoundInTheInstalledFolder) {
  TempFolder work;
  TempFolder installed;
  work.write("styrfil.dat", control_text(control_lines()));
  installed.write("sthlm.dat", kClimate);
  FakeModel model;
  EXPECT_EQ(run_in(work, model.year_model(), installed.path()).exit_status, 0);
  EXPECT_EQ(model.offered_days.size(), 3u);
}

TEST(RunSequence, MissingControlFileEndsTheRunBeforeAnyFileIsCreated) {
  TempFolder work;
  const RunOutcome outcome = run_in(work, no_heating_days);
  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err,
            "styrfil.dat: filen finns inte i arbetsmappen " + work.path().string() + "\n");
  EXPECT_TRUE(files_in(work).empty());
}

TEST(RunSequence, UnsafeIdentityIsRefusedBeforeAnyResultFile) {
  TempFolder work;
  auto lines = control_lines();
  lines[22] = "../x";
  work.write("styrfil.dat", control_text(lines));
  work.write("sthlm.dat", kClimate);
  const RunOutcome outcome = run_in(work, no_heating_days);
  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_NE(outcome.err.find("styrfil.dat, rad 23, kolumn 3"), std::string::npos);
  EXPECT_EQ(files_in(work), (std::set<std::string>{"styrfil.dat", "sthlm.dat"}));
}

TEST(RunSequence, ExistingResultFileIsNamedAndLeftUntouched) {
  const std::string kept = "an earlier summary\r\n\xE5\r\n";
  struct Case {
    const char* existing;
    std::set<std::string> created_before;
  };
  for (const Case& c : {Case{"h123sum.dat", {"h123.dat"}},
                        Case{"resultat.dat", {"h123.dat", "h123sum.dat", "h123sum_c.dat"}}}) {
    TempFolder work;
    prepare(work);
    work.write(c.existing, kept);
    const RunOutcome outcome = run_in(work, FakeModel().year_model());
    EXPECT_EQ(outcome.exit_status, 1);
    EXPECT_EQ(outcome.err.find(std::string(c.existing) + ": filen finns redan"), 0u) << outcome.err;
    EXPECT_EQ(work.read(c.existing), kept);
    std::set<std::string> expected = c.created_before;
    expected.insert({"styrfil.dat", "sthlm.dat", c.existing});
    EXPECT_EQ(files_in(work), expected);
    for (const std::string& created : c.created_before) {
      EXPECT_EQ(work.read(created), "") << created;
    }
  }
}

TEST(RunSequence, MissingClimateFileLeavesTheResultFilesEmpty) {
  TempFolder work;
  TempFolder installed;
  work.write("styrfil.dat", control_text(control_lines()));
  const RunOutcome outcome = run_in(work, no_heating_days, installed.path());
  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_EQ(outcome.err, "sthlm.dat: klimatfilen finns varken i arbetsmappen " +
                             work.path().string() + " eller i " + installed.path().string() + "\n");
  for (const char* name : {"h123.dat", "h123sum.dat", "h123sum_c.dat", "resultat.dat"}) {
    EXPECT_EQ(work.read(name), "") << name;
  }
}

TEST(RunSequence, BadClimateLineKeepsTheDaysBeforeIt) {
  TempFolder work;
  work.write("styrfil.dat", control_text(control_lines()));
  work.write("sthlm.dat", "   1   -4.8\r\n   2   -6.3\r\n   3   -1A\r\n   4   -2.0\r\n");
  const RunOutcome outcome = run_in(work, FakeModel().year_model());
  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_EQ(outcome.err, "sthlm.dat, rad 3, kolumn 5–11: \"-1A\" är inget tal\n");
  EXPECT_EQ(crlf_line_count(work.read("h123.dat")), 2);
  EXPECT_EQ(work.read("h123sum.dat"), "");
  EXPECT_EQ(work.read("resultat.dat"), "");
  EXPECT_EQ(outcome.out, "");
}

TEST(RunSequence, ModelInputErrorEndsTheRunWithItsMessage) {
  TempFolder work;
  prepare(work);
  const RunOutcome outcome = run_in(work, [](const BoilerCase&, std::span<const ClimateRecord>) {
    YearResult year;
    year.refusal = "Lufttalet måste vara minst 1";
    return year;
  });
  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_EQ(outcome.err, "Lufttalet måste vara minst 1\n");
  EXPECT_EQ(work.read("resultat.dat"), "");
}

TEST(RunSequence, YearWithoutHeatingDaysIsCompleteWithAWarning) {
  TempFolder work;
  prepare(work);
  const RunOutcome outcome = run_in(work, no_heating_days);
  EXPECT_EQ(outcome.exit_status, 0);
  EXPECT_EQ(outcome.out, "\n\n");
  EXPECT_EQ(outcome.err,
            "Varning: inget dygn behövde värme; årsverkningsgraderna visas därför som \"-\".\n");
  EXPECT_EQ(work.read("h123.dat"), "");
  EXPECT_EQ(work.read("h123sum_c.dat"), "");
  EXPECT_NE(work.read("resultat.dat").find("    - %"), std::string::npos);
}

TEST(RunSequence, UnmetDemandIsReportedAsAWarning) {
  TempFolder work;
  prepare(work);
  FakeModel fake;
  const YearModel fake_year = fake.year_model();
  const RunOutcome outcome =
      run_in(work, [&fake_year](const BoilerCase& input, std::span<const ClimateRecord> days) {
        YearResult year = fake_year(input, days);
        year.totals.unmet_days = year.totals.heating_days;
        year.totals.largest_shortfall_w = 1234.4f;
        year.totals.largest_shortfall_share = 0.1234f;
        return year;
      });
  EXPECT_EQ(outcome.exit_status, 0);
  EXPECT_EQ(outcome.out, "\n\n");
  EXPECT_EQ(outcome.err,
            "Varning: pannan räckte inte till för värmebehovet under 2 dygn; det största "
            "underskottet var 1234 W (12.3 % av dygnets behov).\n");
}

TEST(RunSequence, FailedWriteIsAnErrorNotASuccess) {
  TempFolder work;
  prepare(work);
  // A file size limit stands in for a full disk: writes beyond it fail with EFBIG.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const RunOutcome outcome = run_in(work, FakeModel().year_model());
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous_handler);

  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_EQ(outcome.err, "h123.dat: skrivningen misslyckades (filen blir för stor)\n");
  EXPECT_EQ(work.read("resultat.dat"), "");
}

// A copy of Stockholm's year as a climate file of the user's own, with Stockholm's design outdoor
// temperature: the same year to the byte, but for the line that names the climate.
TEST(RunSequence, AnOwnCopyOfABundledClimateGivesTheSameYear) {
  const std::string stockholm =
      TempFolder::read_file(std::filesystem::path(VARMKALK_TEST_CLIMATE_DIR) / "sthlm.dat");
  TempFolder bundled;
  prepare(bundled);
  bundled.write("sthlm.dat", stockholm);
  TempFolder own;
  auto lines = control_lines();
  lines.push_back("egen.dat");
  lines.push_back("-18");
  own.write("styrfil.dat", control_text(lines));
  own.write("egen.dat", stockholm);
  ASSERT_EQ(run_in(bundled, core::run_year).exit_status, 0);
  ASSERT_EQ(run_in(own, core::run_year).exit_status, 0);

  for (const char* name : {"h123.dat", "h123sum_c.dat"}) {
    EXPECT_EQ(own.read(name), bundled.read(name)) << name;
  }
  std::string expected = bundled.read("resultat.dat");
  const std::string place_line = to_windows1252("- Stockholms klimat har använts");
  expected.replace(expected.find(place_line), place_line.size(),
                   to_windows1252("- Klimatfilen egen.dat har använts"));
  EXPECT_EQ(own.read("resultat.dat"), expected);
  EXPECT_EQ(own.read("h123sum.dat"), "\r\n\r\n" + expected);
}

TEST(RunSequence, AMissingOwnClimateFileIsRefusedBeforeAnyResultFile) {
  TempFolder work;
  auto lines = control_lines();
  lines.push_back("umea.dat");
  lines.push_back("-24");
  work.write("styrfil.dat", control_text(lines));
  const RunOutcome outcome = run_in(work, core::run_year);
  EXPECT_EQ(outcome.exit_status, 1);
  EXPECT_EQ(outcome.err,
            "umea.dat: klimatfilen finns inte i arbetsmappen " + work.path().string() + "\n");
  EXPECT_EQ(files_in(work), std::set<std::string>{"styrfil.dat"});
}

}  // namespace
}  // namespace varmkalk::engine
