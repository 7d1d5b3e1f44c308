// SPDX-License-Identifier: GPL-3.0-or-later
// kalvex-vp: its command line, the seasonal COP on the last line of standard output, the file
// found among the installed units, and faults reported on one line with the usual exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/formats/control_file.h"
#include "core/tests/support/argument_cases.h"
#include "core/tests/support/temp_folder.h"
#include "core/tests/support/worked_example.h"
#include "tools/vp/arguments.h"

namespace varmkalk::vp {
namespace {

using varmkalk::testing::TempFolder;

TEST(VpArguments, OptionsInAnyOrderAndClearRefusals) {
  varmkalk::testing::expect_arguments<Arguments>(
      parse_arguments,
      {
          {{"scop", "a.csv", "--model", "X", "--climate", "colder", "--flow", "55"}, ""},
          {{"--flow=35", "--climate=average", "scop", "--model=X", "a.csv", "--verbose"}, ""},
          {{}, "ange vad som ska göras"},
          {{"årsvärme", "a.csv"}, "okänd uppgift \"årsvärme\""},
          {{"scop", "--model", "X", "--climate", "average", "--flow", "35"},
           "scop behöver en Keymark-fil"},
          {{"scop", "a.csv", "b.csv", "--model", "X"}, "för många filnamn"},
          {{"scop", "a.csv", "--climate", "average", "--flow", "35"}, "--model"},
          {{"scop", "a.csv", "--model", "X", "--flow", "35"}, "--climate average"},
          {{"scop", "a.csv", "--model", "X", "--climate", "warmer", "--flow", "35"},
           "\"warmer\" är varken average eller colder"},
          {{"scop", "a.csv", "--model", "X", "--climate", "average"}, "--flow 35"},
          {{"scop", "a.csv", "--model", "X", "--climate", "average", "--flow", "45"},
           "\"45\" är varken 35 eller 55"},
          {{"scop", "a.csv", "--model"}, "--model behöver"},
      });
  const auto parsed = std::get<Arguments>(parse_arguments(std::vector<const char*>{
      "scop", "a.csv", "--model", "X", "--climate", "colder", "--flow", "55"}));
  EXPECT_EQ(parsed.task, Arguments::Task::scop);
  EXPECT_EQ(parsed.file, "a.csv");
  EXPECT_EQ(parsed.model, "X");
  EXPECT_EQ(parsed.climate, core::SeasonClimate::colder);
  EXPECT_EQ(parsed.family, core::FlowFamily::medium_55);
  EXPECT_FALSE(parsed.verbose);
}

TEST(VpArguments, TheYearTakesAFileAndAModelOrATypeAndACapacity) {
  varmkalk::testing::expect_arguments<Arguments>(
      parse_arguments,
      {
          {{"year", "a.csv", "--model", "X"}, ""},
          {{"year", "hus/styrfil.dat", "a.csv", "--model", "X", "--backup", "3"}, ""},
          {{"year", "--type", "brine", "--capacity", "6.5", "--brine=-2.5"}, ""},
          {{"year", "hus/styrfil.dat", "--type", "air", "--capacity", "8"}, ""},
          {{"year"}, "ange värmepumpen med FIL --model"},
          {{"year", "a.csv", "--model", "X", "--type", "air"}, "kan inte anges tillsammans"},
          {{"year", "--model", "X"}, "year med --model behöver en Keymark-fil"},
          {{"year", "s/styrfil.dat", "a.csv", "b.csv", "--model", "X"}, "för många filnamn"},
          {{"year", "a.csv", "--type", "air", "--capacity", "8"}, "heter inte styrfil.dat"},
          {{"year", "--type", "geo", "--capacity", "8"}, "\"geo\" är varken air"},
          {{"year", "--type", "air"}, "--capacity KW"},
          {{"year", "--type", "air", "--capacity", "8kW"}, "\"8kW\" är inget tal"},
          {{"year", "--type", "air", "--capacity", "nan"}, "\"nan\" är inget tal"},
          {{"year", "a.csv", "--model", "X", "--capacity", "8"}, "gäller bara --type"},
          {{"year", "a.csv", "--model", "X", "--tank", "5,5"}, "--tank \"5,5\" är inget tal"},
      });
  const auto parsed = std::get<Arguments>(parse_arguments(
      std::vector<const char*>{"year", "hus/styrfil.dat", "--type", "brine", "--capacity", "6.5",
                               "--tank", "50", "--brine", "-2.5"}));
  EXPECT_EQ(parsed.task, Arguments::Task::year);
  EXPECT_EQ(parsed.control_file, "hus/styrfil.dat");
  EXPECT_EQ(parsed.file, "");
  EXPECT_EQ(parsed.generic, core::GenericHeatPump::brine);
  EXPECT_EQ(parsed.capacity_kw, 6.5);
  EXPECT_EQ(parsed.settings, (core::HeatPumpSettings{9.0, 50.0, -2.5}));
}

struct VpRun {
  int status;
  std::string out;
  std::string err;
};

VpRun run_vp(TempFolder& folder, const std::string& arguments) {
  const std::string command = "cd '" + folder.path().string() + "' && timeout 20 '" +
                              KALVEX_VP_PROGRAM + "' " + arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.read("out.txt"),
          folder.read("err.txt")};
}

std::string last_line(const std::string& text) {
  const std::size_t end = text.find_last_not_of('\n');
  const std::size_t start = text.rfind('\n', end);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

TEST(VpProgram, PrintsTheSeasonalCopOrOneLineOfFault) {
  const std::string data = VARMKALK_HEAT_PUMP_TEST_DATA;
  struct Case {
    std::string arguments;
    int status;
    std::string last_out;  // the last line of standard output
    std::string err;       // part of standard error
  };
  // The model's SCOP of CTC EcoAir 610M (declared 4.81 and 3.17) and of Calibra 7 (5.77), as
  // the model gave them when the table of docs/heatpump.md was made.
  const std::vector<Case> cases{
      {"scop '" + data + "/_CTC_ABCTC_EcoAir_610M.csv' --model 'CTC EcoAir 610M' --climate " +
           "average --flow 35",
       0, "4.73", ""},
      {"scop _CTC_ABCTC_EcoAir_610M.csv --model 'CTC EcoAir 610M' --climate colder --flow 55 " +
           std::string("--verbose"),
       0, "3.08", ""},
      {"scop _ThermiaThermia_Calibra_7.csv --model 'Thermia Calibra 7 230V' --climate colder "
       "--flow 35",
       0, "5.73", ""},
      {"scop _CTC_ABCTC_EcoAir_610M.csv --model 'CTC EcoAir 611M' --climate average --flow 35", 1,
       "", "kalvex-vp: _CTC_ABCTC_EcoAir_610M.csv: ingen variant har titeln \"CTC EcoAir 611M\""},
      {"scop saknas.csv --model X --climate average --flow 35", 1, "", "kalvex-vp: "},
      {"scop a.csv --model X --climate average --flow 45", 2, "",
       "kalvex-vp: --flow \"45\" är varken 35 eller 55; se kalvex-vp --help"},
      {"--help", 0, "  --help             visa den här hjälpen", ""},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const VpRun run = run_vp(folder, c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_EQ(last_line(run.out), c.last_out) << c.arguments;
    if (c.err.empty()) {
      EXPECT_EQ(run.err, "") << c.arguments;
    } else {
      EXPECT_EQ(run.err.find(c.err), 0u) << c.arguments << "\n" << run.err;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.arguments;
    }
  }
  TempFolder folder;
  const VpRun verbose = run_vp(folder,
                               "scop _CTC_ABCTC_EcoAir_610M.csv --model 'CTC EcoAir 610M' "
                               "--climate colder --flow 55 --verbose");
  EXPECT_NE(verbose.out.find("Deklarerad SCOP: 3.17\n"), std::string::npos) << verbose.out;
  EXPECT_NE(verbose.out.find("\n  -22       1     55.0"), std::string::npos) << verbose.out;
}

// The figure of a report line "  - LABEL:   VALUE UNIT".
double figure(const std::string& report, const std::string& label) {
  const std::size_t at = report.find("  - " + label + ":");
  EXPECT_NE(at, std::string::npos) << label << "\n" << report;
  return at == std::string::npos ? 0.0 : std::stod(report.substr(at + label.size() + 5));
}

TEST(VpProgram, TheYearInAControlFilesHouseAddsUpOrFailsOnOneLine) {
  core::BoilerCase house = ::varmkalk::testing::worked_example();
  house.climate = core::Place::kiruna;
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "hus");
  folder.write("hus/styrfil.dat", core::control_file_text(house));
  const VpRun generic = run_vp(folder, "year hus/styrfil.dat --type air --capacity 6 --backup 4");
  ASSERT_EQ(generic.status, 0) << generic.err;
  EXPECT_EQ(generic.err, "");
  EXPECT_NE(generic.out.find("  - Klimat: kiruna.dat\n"), std::string::npos) << generic.out;
  // Printed in whole kWh: the heat adds up to a kWh or two, the electricity as well.
  EXPECT_NEAR(
      figure(generic.out, "Värme från värmepumpen") + figure(generic.out, "Värme från elpatronen") +
          figure(generic.out, "Värme som inte räckte till"),
      figure(generic.out, "Rumsvärme") + figure(generic.out, "Varmvatten och beredarförlust"), 2.0);
  EXPECT_NEAR(figure(generic.out, "Kompressorns elanvändning") +
                  figure(generic.out, "Elpatronens elanvändning") +
                  figure(generic.out, "Elanvändning i frånläge"),
              figure(generic.out, "Värmepumpens elanvändning (SEPEMO H3)"), 2.0);
  EXPECT_GT(figure(generic.out, "Värme från elpatronen"), 0.0);
  EXPECT_GT(figure(generic.out, "Dagar med elpatron"), 0.0);
  EXPECT_NEAR(figure(generic.out, "El"),
              figure(generic.out, "Värmepumpens elanvändning (SEPEMO H3)") +
                  figure(generic.out, "Cirkulationspumpens elanvändning"),
              2.0);
  EXPECT_NE(generic.out.find("inga mått för\n  säkring eller effekttaxa"), std::string::npos);

  // A certified unit from among the installed ones, in the working folder's own styrfil.dat.
  folder.write("styrfil.dat", core::control_file_text(house));
  const VpRun unit = run_vp(folder,
                            "year _ThermiaThermia_Calibra_7.csv --model "
                            "'Thermia Calibra 7 230V'");
  ASSERT_EQ(unit.status, 0) << unit.err;
  EXPECT_GT(figure(unit.out, "Årsvärmefaktor (SPF, H3)"),
            figure(generic.out, "Årsvärmefaktor (SPF, H3)"));

  for (const auto& [arguments, fault] : std::vector<std::pair<std::string, std::string>>{
           {"year saknas/styrfil.dat --type air --capacity 6",
            "kalvex-vp: styrfil.dat: filen finns inte i arbetsmappen saknas"},
           {"year hus/styrfil.dat --type air --capacity 0.5",
            "kalvex-vp: Värmepumpens nominella effekt är 0.5 kW"},
           {"year hus/styrfil.dat --type air --capacity 6 --backup 60",
            "kalvex-vp: Elpatronens effekt är 60 kW"},
       }) {
    const VpRun refused = run_vp(folder, arguments);
    EXPECT_EQ(refused.status, 1) << arguments;
    EXPECT_EQ(refused.out, "") << arguments;
    EXPECT_EQ(refused.err.find(fault), 0u) << arguments << "\n" << refused.err;
    EXPECT_EQ(refused.err.find('\n'), refused.err.size() - 1) << arguments;
  }
}

}  // namespace
}  // namespace varmkalk::vp
