// SPDX-License-Identifier: GPL-3.0-or-later
// Whole engine runs, with the boiler model, on bad input of every kind: each ends with status 0
// and four complete result files, or with status 1 and one clear Swedish line; what existed
// before is never overwritten, and no NaN or infinity reaches a result file. docs/robustness.md
// lists the rows.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/case/climates.h"
#include "core/tests/support/control_file_fixture.h"
#include "core/tests/support/crlf_lines.h"
#include "core/tests/support/temp_folder.h"
#include "core/text/windows1252.h"
#include "engine/run_sequence.h"

namespace varmkalk::engine {
namespace {

using namespace core;

namespace fs = std::filesystem;
using testing::control_lines;
using testing::control_text;
using testing::crlf_line_count;
using testing::TempFolder;

constexpr const char* kResultNames[] = {"h123.dat", "h123sum.dat", "h123sum_c.dat", "resultat.dat"};
// Three days, the second too warm to need heat.
constexpr const char* kClimate = "   1   -4.8\r\n   2   16.0\r\n   3  -10.0\r\n";

struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

// A working folder with the control file and the climate under all six climate names.
void prepare(const TempFolder& work, const std::string& control, const std::string& climate) {
  work.write("styrfil.dat", control);
  for (const core::Climate& place : core::kClimates) {
    work.write(std::string(place.file_name), climate);
  }
}

Outcome run_in(const fs::path& work_dir) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_kalvex({work_dir, {}}, out, err);
  return {status, out.str(), err.str()};
}

std::map<std::string, std::string> contents(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    files[name] = entry.is_regular_file() ? folder.read(name) : "<mapp>";
  }
  return files;
}

// True when the text holds "nan" or "inf" as a word of its own, as printf would spell them.
bool has_nan_or_inf(const std::string& text) {
  std::string word;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    const char c = at < text.size() ? static_cast<char>(std::tolower(text[at])) : ' ';
    if ((c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80) {
      word += c;
      continue;
    }
    if (word == "nan" || word == "inf" || word == "infinity") {
      return true;
    }
    word.clear();
  }
  return false;
}

// Columns 54–58 of the report line whose label starts at column 2.
std::string report_value(const std::string& report, const std::string& utf8_label) {
  const std::string label = "\r\n " + to_windows1252(utf8_label);
  const std::size_t at = report.find(label);
  return at == std::string::npos ? "<saknas>" : report.substr(at + 2 + 53, 5);
}

// A failed run: status 1, nothing on the output, exactly the expected line on the error stream.
void expect_failure(const Outcome& outcome, const std::string& message_start) {
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  ASSERT_FALSE(outcome.err.empty());
  EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
  EXPECT_EQ(outcome.err.rfind(message_start, 0), 0u) << outcome.err;
}

// A complete run: status 0, the four result files whole and free of NaN and infinity.
void expect_complete(const Outcome& outcome, const TempFolder& work, const std::string& id) {
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "\n\n");
  const std::string report = work.read("resultat.dat");
  EXPECT_EQ(crlf_line_count(report), 45);
  EXPECT_EQ(work.read(id + "sum.dat"), "\r\n\r\n" + report);
  EXPECT_EQ(work.read(id + ".dat").size(), work.read(id + "sum_c.dat").size());
  for (const std::string& name : {id + ".dat", id + "sum_c.dat", std::string("resultat.dat")}) {
    EXPECT_FALSE(has_nan_or_inf(work.read(name))) << name;
  }
}

std::vector<std::string> with_line(int line_number, const std::string& text) {
  std::vector<std::string> lines = control_lines();
  lines[static_cast<std::size_t>(line_number - 1)] = text;
  return lines;
}

// The lines with an own climate file named on line 24 and its design temperature on line 25.
std::vector<std::string> with_own_climate(const std::string& name) {
  std::vector<std::string> lines = control_lines();
  lines.push_back(name);
  lines.emplace_back("      -16.0");
  return lines;
}

TEST(Robustness, ControlFileFaultsEndTheRunBeforeAnyResultFile) {
  struct Row {
    const char* what;
    std::string control;
    std::string message_start;
  };
  std::vector<std::string> short_file = control_lines();
  short_file.resize(22);
  const std::string too_large = "styrfil.dat, rad 16: \"1e39\" är för stort för ett tal";
  const Row rows[] = {
      {"empty file", "", "styrfil.dat, rad 1: raden saknas; filen har bara 0 rader av 23"},
      {"22 lines", control_text(short_file),
       "styrfil.dat, rad 23: raden saknas; filen har bara 22 rader av 23"},
      {"letters", control_text(with_line(6, " 1.3x")), "styrfil.dat, rad 6: \"1.3x\" är inget tal"},
      {"nan", control_text(with_line(1, " nan")), "styrfil.dat, rad 1: \"nan\" är inget tal"},
      {"inf", control_text(with_line(4, " inf")), "styrfil.dat, rad 4: \"inf\" är inget tal"},
      {"-Infinity", control_text(with_line(4, "-Infinity")),
       "styrfil.dat, rad 4: \"-Infinity\" är inget tal"},
      {"1e39", control_text(with_line(16, " 1e39")), too_large},
      {"two points", control_text(with_line(6, " 1.2.3")),
       "styrfil.dat, rad 6: \"1.2.3\" är inget tal"},
      {"exponent without digits", control_text(with_line(6, " 1.2E")),
       "styrfil.dat, rad 6: \"1.2E\" är inget tal"},
      {"tab in a number", control_text(with_line(6, " 1\t2")),
       "styrfil.dat, rad 6: \"1?2\" är inget tal (fältet innehåller styrtecknet 0x09)"},
      {"Windows-1252 letter in a number", control_text(with_line(19, " 20\xB0")),
       "styrfil.dat, rad 19: \"20°\" är inget tal"},
      {"CR-only line ends", control_text(control_lines()).replace(4, 2, "\r"),
       "styrfil.dat, rad 1: raden innehåller en vagnretur (CR) mitt i raden"},
      {"UTF-16",
       std::string(" \0"
                   "0\0"
                   ".\0"
                   "6\0"
                   "\r\0"
                   "\n\0",
                   12),
       "styrfil.dat, rad 1: raden innehåller ett NUL-tecken"},
      {"identity with a slash", control_text(with_line(23, "a/b")),
       "styrfil.dat, rad 23, kolumn 2: beräkningsidentiteten innehåller ett snedstreck"},
      {"identity with a control character", control_text(with_line(23, "a\tb")),
       "styrfil.dat, rad 23, kolumn 2: beräkningsidentiteten innehåller ett styrtecken (0x09)"},
      // The same files on Windows as on Linux: "c:ab" would write to drive C's folder, "nul"
      // the daily lines to the NUL device ("nul .dat").
      {"identity relative to a drive", control_text(with_line(23, "c:ab")),
       "styrfil.dat, rad 23, kolumn 2: beräkningsidentiteten innehåller tecknet :, som Windows "
       "inte tillåter i ett filnamn; den kan inte ingå i resultatfilernas namn"},
      {"identity a device name", control_text(with_line(23, "nul")),
       "styrfil.dat, rad 23, kolumn 1: beräkningsidentiteten är enhetsnamnet nul i Windows, som "
       "inget filnamn får ha, med eller utan ändelse; den kan inte ingå i resultatfilernas namn"},
      {"identity COM1", control_text(with_line(23, "COM1")),
       "styrfil.dat, rad 23, kolumn 1: beräkningsidentiteten är enhetsnamnet COM1 i Windows"},
      {"identity with a question mark", control_text(with_line(23, "ab?")),
       "styrfil.dat, rad 23, kolumn 3: beräkningsidentiteten innehåller tecknet ?"},
      {"climate file relative to a drive", control_text(with_own_climate("c:umea.dat")),
       "styrfil.dat, rad 24: klimatfilens namn \"c:umea.dat\" innehåller tecknet :, som Windows "
       "inte tillåter i ett filnamn"},
      {"climate file a device name", control_text(with_own_climate("AUX.dat")),
       "styrfil.dat, rad 24: klimatfilens namn \"AUX.dat\" är enhetsnamnet AUX i Windows"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder work;
    prepare(work, row.control, kClimate);
    const auto before = contents(work);
    expect_failure(run_in(work.path()), row.message_start);
    EXPECT_EQ(contents(work), before);
  }
}

TEST(Robustness, MissingControlFileOrWorkingFolderIsNamed) {
  TempFolder work;
  for (const core::Climate& place : core::kClimates) {
    work.write(std::string(place.file_name), kClimate);
  }
  expect_failure(run_in(work.path()),
                 "styrfil.dat: filen finns inte i arbetsmappen " + work.path().string());
  EXPECT_EQ(contents(work).size(), 6u);

  // A working folder whose parent is a regular file: no folder at all, also for root.
  work.write("fil", "");
  const fs::path no_folder = work.path() / "fil" / "arbete";
  expect_failure(run_in(no_folder),
                 "styrfil.dat: filen finns inte i arbetsmappen " + no_folder.string());
}

TEST(Robustness, OddButReadableControlFilesGiveACompleteRun) {
  struct Row {
    const char* what;
    std::string control;
    std::string id;
    std::function<void(const std::string& report)> check;
  };
  const auto pilot_is_none = [](const std::string& report) {
    EXPECT_NE(report.find("\r\n - Ingen pilotflamma\r\n"), std::string::npos);
  };
  std::vector<std::string> extra_lines = control_lines();
  extra_lines.insert(extra_lines.end(), {"nan", "inf", "\x01\x02"});
  std::string cr_cr_lf = control_text(control_lines());
  for (std::size_t at = cr_cr_lf.find("\r\n"); at != std::string::npos;
       at = cr_cr_lf.find("\r\n", at + 3)) {
    cr_cr_lf.insert(at, "\r");
  }
  std::string no_final_end = control_text(control_lines());
  no_final_end.resize(no_final_end.size() - 2);
  const Row rows[] = {
      {"text after column 11", control_text(with_line(1, " 0.75      trailing text 1e39")), "h123",
       [](const std::string& r) {
         EXPECT_EQ(report_value(r, "- Konstant för konvektionsförluster"), " 0.75");
       }},
      {"blank number line reads as 0", control_text(with_line(7, "")), "h123", pilot_is_none},
      {"tiny number reads as 0", control_text(with_line(7, " 1e-50")), "h123", pilot_is_none},
      {"negative zero", control_text(with_line(7, "-0")), "h123", pilot_is_none},
      {"lines after line 23", control_text(extra_lines), "h123", [](const std::string&) {}},
      {"line feeds only",
       [] {
         std::string text;
         for (const std::string& line : control_lines()) {
           text += line + "\n";
         }
         return text;
       }(),
       "h123", [](const std::string&) {}},
      {"CR CR LF line ends", cr_cr_lf, "h123", [](const std::string&) {}},
      {"no line end after line 23", no_final_end, "h123", [](const std::string&) {}},
      {"unknown climate letter", control_text(with_line(17, "Stockholm")), "h123",
       [](const std::string& r) {
         EXPECT_NE(r.find(to_windows1252("- Kirunas klimat har använts")), std::string::npos);
       }},
      {"heating letter after a blank", control_text(with_line(18, " A")), "h123",
       [](const std::string& r) {
         EXPECT_NE(r.find(to_windows1252("dimensionerat för 55 och 45 C")), std::string::npos);
       }},
      {"identity of two characters", control_text(with_line(23, "ab")), "ab  ",
       [](const std::string&) {}},
      {"identity of blanks", control_text(with_line(23, "")), "    ", [](const std::string&) {}},
      {"identity longer than four", control_text(with_line(23, "abcdefgh")), "abcd",
       [](const std::string&) {}},
      {"identity with a Swedish letter",
       control_text(with_line(23,
                              "h\xE5"
                              "1")),
       "h\xE5"
       "1 ",
       [](const std::string&) {}},
      {"values too wide for the report", control_text(with_line(14, " 150")), "h123",
       [](const std::string& r) {
         EXPECT_EQ(report_value(r, "- Cirkulationspumpens eleffekt är "), "*****");
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder work;
    prepare(work, row.control, kClimate);
    const Outcome outcome = run_in(work.path());
    expect_complete(outcome, work, row.id);
    row.check(work.read("resultat.dat"));
  }
}

TEST(Robustness, ModelBreakingValuesEndTheRunWithTheModelsMessage) {
  struct Row {
    const char* what;
    std::vector<std::pair<int, std::string>> lines;
    std::string names;  // a part of the message
  };
  const Row rows[] = {
      {"air ratio 3: flame below 1000 °C", {{6, " 3"}}, "Lufttalet 3 "},
      {"air ratio below 1", {{6, " 0.9"}}, "Lufttalet 0.9 "},
      {"zero design demand", {{16, " 0"}}, "uppvärmningsbehov"},
      {"negative design demand", {{16, " -7500"}}, "uppvärmningsbehov"},
      {"zero burner power", {{4, " 0"}, {5, " 0"}}, "maxeffekt"},
      {"modulating burner without minimum", {{5, " 0"}}, "mineffekt"},
      {"equal return temperatures, single-stage",
       {{5, " 18000"}, {10, " 60"}, {13, " 60"}},
       "i båda fallen"},
      {"flue gas not above return, modulating", {{11, " 50"}}, "Avgastemperaturen i fall 2"},
      {"indoor above the design return", {{19, " 50"}}, "Inomhustemperaturen"},
      {"indoor so cold that no day needs heat", {{19, " -20"}}, "Inomhustemperaturen"},
      {"negative pump power", {{14, " -45"}}, "negativt"},
      {"negative heater loss", {{22, " -1"}}, "negativt"},
      // Found here: the overflow of a burner this size used to pass every day over as needing
      // no heat, and the run ended "complete".
      {"largest float as burner power", {{4, " 3.4e38"}, {5, " 3.4e38"}}, "inget ändligt värde"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<std::string> lines = control_lines();
    for (const auto& [line_number, text] : row.lines) {
      lines[static_cast<std::size_t>(line_number - 1)] = text;
    }
    TempFolder work;
    prepare(work, control_text(lines), kClimate);
    const Outcome outcome = run_in(work.path());
    expect_failure(outcome, "");
    EXPECT_NE(outcome.err.find(row.names), std::string::npos) << outcome.err;
    // The result files were created before the model started; they stay, empty.
    for (const char* name : kResultNames) {
      EXPECT_EQ(work.read(name), "") << name;
    }
  }
}

TEST(Robustness, ClimateFileFaultsAreNamedWithTheirLine) {
  struct Row {
    const char* what;
    std::optional<std::string> climate;  // none: no climate file at all
    std::string message_start;
    int days_written;  // lines in the daily files when the run ends
  };
  const Row rows[] = {
      {"missing", std::nullopt, "sthlm.dat: klimatfilen finns inte i arbetsmappen ", 0},
      {"letters in the temperature", "   1   -4.8\r\n   2   -6.3\r\n   3   -1A\r\n",
       "sthlm.dat, rad 3, kolumn 5–11: \"-1A\" är inget tal", 2},
      {"decimal point in the day", "  1.   -4.8\r\n", "sthlm.dat, rad 1, kolumn 1–4: \"1.\"", 0},
      {"temperature too large for a float", "   1 -1e40\r\n",
       "sthlm.dat, rad 1, kolumn 5–11: \"-1e40\" är för stort för ett tal", 0},
      {"CR-only line ends", "   1   -4.8\r   2   -6.3\r   3   -4.7\r",
       "sthlm.dat, rad 1: raden innehåller en vagnretur (CR) mitt i raden", 0},
      // -1e30 with one implied decimal: the model's sums leave the float range.
      {"absurd cold", "   1 -1e30\r\n",
       "Dag 1 med utetemperaturen -1e+29 °C ger inget ändligt värde; indata ligger utanför "
       "modellens giltighetsområde",
       0},
      {"NUL byte", std::string("   1   -4.8\r\n   2   -6.3\0\r\n", 26),
       "sthlm.dat, rad 2: raden innehåller ett NUL-tecken", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder work;
    work.write("styrfil.dat", control_text(control_lines()));
    if (row.climate) {
      work.write("sthlm.dat", *row.climate);
    }
    const Outcome outcome = run_in(work.path());
    expect_failure(outcome, row.message_start);
    EXPECT_EQ(crlf_line_count(work.read("h123.dat")), row.days_written);
    EXPECT_EQ(crlf_line_count(work.read("h123sum_c.dat")), row.days_written);
    EXPECT_EQ(work.read("h123sum.dat"), "");
    EXPECT_EQ(work.read("resultat.dat"), "");
  }
}

TEST(Robustness, OddButReadableClimateFilesGiveACompleteRun) {
  // Every hundredth day cold, the rest warm; day numbers up to 9999 (printed as "***").
  std::string year_of_100000_days;
  for (int day = 1; day <= 100000; ++day) {
    char line[16];
    std::snprintf(line, sizeof line, "%4d%7.1f\r\n", day % 10000, day % 100 == 0 ? -5.0 : 20.0);
    year_of_100000_days += line;
  }
  struct Row {
    const char* what;
    std::string climate;
    int heating_days;
    bool days_above_999 = false;  // printed as "***" in the daily lines
  };
  const Row rows[] = {
      {"empty file: no heating day", "", 0},
      {"only warm days", "   1   15.0\r\n   2   20.0\r\n", 0},
      {"line feeds only", "   1   -4.8\n   2   16.0\n   3  -10.0\n", 2},
      {"CR CR LF line ends", "   1   -4.8\r\r\n   2   16.0\r\r\n   3  -10.0\r\r\n", 2},
      {"no line end after the last line", "   1   -4.8\r\n   2   16.0\r\n   3  -10.0", 2},
      {"empty last line: day 0 at 0.0 °C", "   1   -4.8\r\n\r\n", 2},
      {"very long line", "   1   -4.8" + std::string(100000, '7') + "\r\n", 1},
      {"eleven digits: day 9999 at 999999.9 °C, warm", "99999999999\r\n", 0},
      {"100000 days", year_of_100000_days, 1000, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder work;
    prepare(work, control_text(control_lines()), row.climate);
    const Outcome outcome = run_in(work.path());
    expect_complete(outcome, work, "h123");
    EXPECT_EQ(crlf_line_count(work.read("h123.dat")), row.heating_days);
    EXPECT_EQ(work.read("h123.dat").find("\r\n***") != std::string::npos, row.days_above_999);
    if (row.heating_days == 0) {
      EXPECT_EQ(report_value(work.read("resultat.dat"), "- Årsverkningsgrad: "), "    -");
    }
  }
}

TEST(Robustness, WhatExistsBeforeTheRunIsNeverOverwritten) {
  const std::string kept = "en tidigare beräkning\r\n\xE5\r\n";
  struct Kind {
    const char* what;
    std::function<void(const TempFolder&, const std::string&)> make;
    std::string message;
  };
  const Kind kinds[] = {
      {"file", [&](const TempFolder& w, const std::string& n) { w.write(n, kept); },
       ": filen finns redan; den skrivs inte över"},
      {"folder",
       [](const TempFolder& w, const std::string& n) { fs::create_directory(w.path() / n); },
       ": det finns redan en mapp med det namnet; den rörs inte"},
      {"link to a missing file",
       [](const TempFolder& w, const std::string& n) {
         fs::create_symlink(w.path() / "mål.dat", w.path() / n);
       },
       ": filen finns redan; den skrivs inte över"},
  };
  for (const Kind& kind : kinds) {
    for (std::size_t i = 0; i < std::size(kResultNames); ++i) {
      const std::string name = kResultNames[i];
      SCOPED_TRACE(std::string(kind.what) + " " + name);
      TempFolder work;
      prepare(work, control_text(control_lines()), kClimate);
      kind.make(work, name);
      auto before = contents(work);
      expect_failure(run_in(work.path()), name + kind.message);
      // The result files before it in the creation order were made, empty; nothing else changed.
      for (std::size_t j = 0; j < i; ++j) {
        before[kResultNames[j]] = "";
      }
      EXPECT_EQ(contents(work), before);
      EXPECT_FALSE(fs::exists(work.path() / "mål.dat"));
    }
  }
}

TEST(Robustness, FoldersWhereInputFilesShouldBe) {
  TempFolder work;
  fs::create_directory(work.path() / "styrfil.dat");
  expect_failure(run_in(work.path()), "styrfil.dat: är en mapp, ingen fil");

  TempFolder climate_folder;
  climate_folder.write("styrfil.dat", control_text(control_lines()));
  fs::create_directory(climate_folder.path() / "sthlm.dat");
  expect_failure(run_in(climate_folder.path()), "sthlm.dat: är en mapp, ingen fil");
}

// A device of endless NUL bytes used to be read as one endless line: the run never ended. No
// device is read now, and a regular file of NUL bytes ends at its first line.
TEST(Robustness, InputThatNeverEndsIsRefusedAtItsFirstLine) {
  TempFolder control;
  fs::create_symlink("/dev/zero", control.path() / "styrfil.dat");
  expect_failure(run_in(control.path()), "styrfil.dat: är ingen vanlig fil utan en enhet");

  TempFolder climate;
  climate.write("styrfil.dat", control_text(control_lines()));
  fs::create_symlink("/dev/zero", climate.path() / "sthlm.dat");
  expect_failure(run_in(climate.path()), "sthlm.dat: är ingen vanlig fil utan en enhet");
  TempFolder nul_bytes;
  nul_bytes.write("styrfil.dat", control_text(control_lines()));
  nul_bytes.write("sthlm.dat", std::string(100000, '\0'));
  expect_failure(run_in(nul_bytes.path()), "sthlm.dat, rad 1: raden innehåller ett NUL-tecken");
}

// Whether a new file can be made in `folder`.
bool folder_takes_new_files(const fs::path& folder) {
  std::FILE* probe = std::fopen((folder / "prov").c_str(), "wb");
  if (probe == nullptr) {
    return false;
  }
  std::fclose(probe);
  fs::remove(folder / "prov");
  return true;
}

// Sets a folder's immutable attribute, which stops root too where the file system has it.
bool set_immutable(const fs::path& folder, bool immutable) {
  const std::string command =
      std::string("chattr ") + (immutable ? "+i" : "-i") + " '" + folder.string() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

TEST(Robustness, ReadOnlyWorkingFolderIsNamedAndLeftAsItWas) {
  TempFolder work;
  prepare(work, control_text(control_lines()), kClimate);
  const auto before = contents(work);
  ASSERT_EQ(chmod(work.path().c_str(), 0555), 0);
  // Root writes into a read-only folder all the same; the immutable attribute stops it too.
  const bool immutable = folder_takes_new_files(work.path()) && set_immutable(work.path(), true);
  if (folder_takes_new_files(work.path())) {
    if (immutable) {
      set_immutable(work.path(), false);
    }
    chmod(work.path().c_str(), 0755);
    GTEST_SKIP() << "neither a read-only folder nor an immutable one stops this user";
  }
  const Outcome outcome = run_in(work.path());
  if (immutable) {
    set_immutable(work.path(), false);
  }
  chmod(work.path().c_str(), 0755);
  expect_failure(outcome, "h123.dat: filen kan inte skapas (åtkomst nekas)");
  EXPECT_EQ(contents(work), before);
}

// The lowest limit on file descriptors that leaves exactly `free` of them to open.
rlim_t limit_leaving(int free) {
  std::vector<int> open;
  DIR* fds = opendir("/proc/self/fd");
  const int own = dirfd(fds);
  while (const dirent* entry = readdir(fds)) {
    if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != own) {
      open.push_back(std::atoi(entry->d_name));
    }
  }
  closedir(fds);
  for (int limit = 0;; ++limit) {
    int used = 0;
    for (const int fd : open) {
      used += fd < limit ? 1 : 0;
    }
    if (limit - used == free) {
      return static_cast<rlim_t>(limit);
    }
  }
}

TEST(Robustness, ResultFileThatCannotBeCreatedIsNamedEvenForRoot) {
  TempFolder work;
  prepare(work, control_text(control_lines()), kClimate);
  // Two descriptors left: the control file is read and closed, the first two result files take
  // them, and the third cannot be created. (Not one: the sanitizers need two descriptors for a
  // pipe once the run's files are closed.)
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = limit_leaving(2);
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limited), 0);
  const Outcome outcome = run_in(work.path());
  setrlimit(RLIMIT_NOFILE, &saved);

  expect_failure(outcome, "h123sum_c.dat: filen kan inte skapas (för många öppna filer)");
  EXPECT_EQ(work.read("h123.dat"), "");
  EXPECT_EQ(work.read("h123sum.dat"), "");
  EXPECT_FALSE(work.has("h123sum_c.dat"));
  EXPECT_FALSE(work.has("resultat.dat"));
}

}  // namespace
}  // namespace varmkalk::engine
