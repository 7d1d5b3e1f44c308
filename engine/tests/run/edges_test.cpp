// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex at the edges of its input: a control file or climate file that could give a wrong year
// is refused with one line naming the file and line, and what is not a regular file is never
// waited on. docs/robustness.md lists the rows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/climate_import/climate_file.h"
#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/utf8_text.h"
#include "core/text/windows1252.h"

namespace varmkalk::engine {
namespace {

using testing::control_lines;
using testing::control_text;
using testing::TempFolder;

// Stands for a named pipe in a row's files.
constexpr const char* kPipe = "<pipe>";

std::string stockholm() {
  return TempFolder::read_file(std::filesystem::path(VARMKALK_TEST_CLIMATE_DIR) / "sthlm.dat");
}

// Stockholm's year with line `number` (1-based) replaced by `text`; lines past its end added.
std::string stockholm_with(std::size_t number, const std::string& text) {
  std::vector<std::string> lines;
  const std::string year = stockholm();
  for (std::size_t start = 0; start < year.size();) {
    const std::size_t end = year.find("\r\n", start);
    lines.push_back(year.substr(start, end - start));
    start = end + 2;
  }
  lines.resize(std::max(lines.size(), number));
  lines[number - 1] = text;
  return control_text(lines);
}

// The first `days` lines of Stockholm's year, repeated when there are more of them.
std::string stockholm_days(int days) {
  std::string text;
  const std::string year = stockholm();
  for (int day = 1; day <= days; ++day) {
    const std::size_t line = static_cast<std::size_t>((day - 1) % 365) * 13;
    std::string number = std::to_string(day);
    text += std::string(4 - std::min<std::size_t>(4, number.size()), ' ') + number +
            year.substr(line + 4, 9);
  }
  return text;
}

struct Outcome {
  int status = 0;
  std::string err;
};

Outcome run_kalvex(const TempFolder& work) {
  const std::string command =
      "cd '" + work.path().string() + "' && timeout 20 '" + KALVEX_PROGRAM + "' >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, work.read("err.txt")};
}

// The control file's 23 lines and then `extra`, and the files beside it.
void prepare(const TempFolder& work, const std::vector<std::string>& extra,
             const std::map<std::string, std::string>& files) {
  std::vector<std::string> lines = control_lines();
  lines.insert(lines.end(), extra.begin(), extra.end());
  if (!files.contains("styrfil.dat")) {
    work.write("styrfil.dat", control_text(lines));
  }
  for (const auto& [name, bytes] : files) {
    if (bytes == kPipe) {
      mkfifo((work.path() / name).c_str(), 0644);
    } else {
      work.write(name, bytes);
    }
  }
}

TEST(EngineEdges, NoWrongYearAndNoWaitAtTheEdgesOfTheInput) {
  struct Edge {
    std::string name;
    std::vector<std::string> extra;  // the control file's lines after the 23rd
    std::map<std::string, std::string> files;
    std::string err;  // what the run's one line starts with; empty: a complete run
  };
  const std::vector<Edge> edges = {
      {"a control file that is a named pipe",
       {},
       {{"styrfil.dat", kPipe}},
       "styrfil.dat: är ingen vanlig fil utan en namngiven pipe"},
      {"a bundled climate file that is a named pipe",
       {},
       {{"sthlm.dat", kPipe}},
       "sthlm.dat: är ingen vanlig fil utan en namngiven pipe"},
      {"an own climate file that is a named pipe",
       {"egen.dat", "-18"},
       {{"egen.dat", kPipe}},
       "egen.dat: är ingen vanlig fil utan en namngiven pipe"},
  };
  // The control file's lines after the 23rd for an own climate file.
  const auto own = [](std::string name) { return std::vector<std::string>{name, "-18"}; };
  const std::string umea = core::to_windows1252("umeå.dat");
  const std::vector<Edge> more = {
      // Own climate files must hold one whole year as kalvex-klimat writes it.
      {"an own year of 100 days",
       own("egen.dat"),
       {{"egen.dat", stockholm_days(100)}},
       "egen.dat: filen har 100 rader, väntade en rad per dag för ett år (365 eller 366)"},
      {"an own year of 730 days",
       own("egen.dat"),
       {{"egen.dat", stockholm_days(730)}},
       "egen.dat: filen har fler än 366 rader"},
      {"a decimal comma",
       own("egen.dat"),
       {{"egen.dat", stockholm_with(12, "  12   -4,4")}},
       "egen.dat, rad 12, kolumn 5–11: \"-4,4\" är ingen temperatur med en decimal"},
      {"a temperature without its point",
       own("egen.dat"),
       {{"egen.dat", stockholm_with(3, "   3    -52")}},
       "egen.dat, rad 3, kolumn 5–11: \"-52\" är ingen temperatur med en decimal"},
      {"days out of order",
       own("egen.dat"),
       {{"egen.dat", stockholm_with(40, "  41   -3.0")}},
       "egen.dat, rad 40, kolumn 1–4: dagnumret är \"41\", väntade 40"},
      {"a temperature beyond any measured",
       own("egen.dat"),
       {{"egen.dat", stockholm_with(200, " 200  -95.0")}},
       "egen.dat, rad 200, kolumn 5–11: \"-95.0\" °C är ingen rimlig dygnsmedeltemperatur"},
      {"an own whole year", own("egen.dat"), {{"egen.dat", stockholm()}}, ""},
      {"an own leap year", own("egen.dat"), {{"egen.dat", stockholm_days(366)}}, ""},
      // kalvex-klimat --info reads a file saved by an editor that marks UTF-8; so does the run.
      {"an own year behind a UTF-8 byte-order mark",
       own("egen.dat"),
       {{"egen.dat", "\xEF\xBB\xBF" + stockholm()}},
       ""},
      {"a bundled name on line 24 keeps the bundled reader",
       own("sthlm.dat"),
       {{"sthlm.dat", stockholm_with(3, "   3    -52")}},
       ""},
      // A line 24 that almost names a file.
      {"a tab after the name",
       {"umea.dat\t", "-24"},
       {},
       "styrfil.dat, rad 24: \"umea.dat?\" ser ut som ett filnamn men är inget som beräkningen "
       "kan använda (raden innehåller styrtecknet 0x09)"},
      {"a comment after the name",
       {"umea.dat   # Umea", "-24"},
       {},
       "styrfil.dat, rad 24: \"umea.dat   # Umea\" ser ut som ett filnamn"},
      {"a name over the field's width",
       {"en_mycket_lang_klimatfil.dat", "-24"},
       {},
       "styrfil.dat, rad 24: \"en_mycket_lang_klimatfil.dat\" ser ut som ett filnamn"},
      {"an upper-case name",
       {"UMEA.DAT", "-24"},
       {},
       "styrfil.dat, rad 24: \"UMEA.DAT\" ser ut som ett filnamn"},
      {"another extension", {"umea.txt", "-24"}, {}, "styrfil.dat, rad 24: \"umea.txt\""},
      {"lines 24 and 25 swapped",
       {"-24", "umea.dat"},
       {},
       "styrfil.dat, rad 24: raden är ett tal men rad 25 ser ut som ett filnamn"},
      // A name on line 25 is no swap of lines 24 and 25 unless line 24 holds a number.
      {"a file name on line 25 after a blank line 24", {"", "umea.dat"}, {}, ""},
      {"a file name on line 25 after text on line 24", {"anteckning", "umea.dat"}, {}, ""},
      {"extra lines that name no file",
       {" 1.5", "text efter rad 23", "nan", "\t", "-1e99"},
       {},
       ""},
      // Swedish letters in the name: line 24 in Windows-1252, the file's name in UTF-8.
      {"an own file named with å", own(umea), {{"umeå.dat", stockholm()}}, ""},
      {"a missing own file named with å",
       own(umea),
       {},
       "umeå.dat: klimatfilen finns varken i arbetsmappen"},
  };
  std::vector<Edge> all = edges;
  all.insert(all.end(), more.begin(), more.end());
  for (const Edge& edge : all) {
    SCOPED_TRACE(edge.name);
    TempFolder work;
    prepare(work, edge.extra, edge.files);
    const Outcome run = run_kalvex(work);
    if (edge.err.empty()) {
      EXPECT_EQ(run.status, 0) << run.err;
      continue;
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, edge.err.size()), edge.err) << run.err;
    EXPECT_TRUE(core::is_valid_utf8(run.err)) << run.err;
    // Control and climate files are read before any result file is created.
    if (!edge.files.contains("sthlm.dat")) {
      EXPECT_FALSE(work.has("resultat.dat")) << run.err;
    }
  }
}

// An own climate file of a leap year, as kalvex-klimat writes it, is run to its 366th day: the
// same winter as a common year's with one cold day more at its end counts one heating day more.
TEST(EngineEdges, AnOwnLeapYearRunsEveryOneOfItsDays) {
  const auto heating_days = [](int days_in_year) {
    core::ClimateYear year;
    for (int day = 1; day <= days_in_year; ++day) {
      // Cold in the first and last two months, warm between.
      year.daily_mean_tenths_c.push_back(day <= 60 || day > 305 ? -50 : 180);
    }
    TempFolder work;
    prepare(work, {"egen.dat", "-18"}, {{"egen.dat", core::format_climate_file(year)}});
    const Outcome run = run_kalvex(work);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string daily = work.read("h123.dat");
    return std::count(daily.begin(), daily.end(), '\n');
  };
  EXPECT_EQ(heating_days(365), 60 + 60);
  EXPECT_EQ(heating_days(366), 60 + 61);
}

}  // namespace
}  // namespace varmkalk::engine
