// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vp/arguments.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/text/utf8_text.h"
#include "tools/common/command_line.h"

namespace varmkalk::vp {

namespace {

constexpr std::string_view kTasks = "scop eller year";

std::string shown_quoted(std::string_view text) {
  return core::quoted_for_message(core::shown_name(text));
}

std::variant<Arguments, std::string> scop_arguments(const tools::CommandLine& command_line) {
  const std::vector<std::string>& words = command_line.files;
  if (words.size() != 2) {
    return words.size() < 2 ? std::string("scop behöver en Keymark-fil")
                            : std::string("för många filnamn; scop tar en Keymark-fil");
  }
  Arguments parsed;
  parsed.task = Arguments::Task::scop;
  parsed.file = words[1];
  parsed.verbose = command_line.has("--verbose");
  const auto model = command_line.options.find("--model");
  if (model == command_line.options.end()) {
    return std::string("ange variantens titel med --model");
  }
  parsed.model = model->second;
  const auto climate = command_line.options.find("--climate");
  if (climate == command_line.options.end()) {
    return std::string("ange klimatet med --climate average eller --climate colder");
  }
  if (climate->second == "average" || climate->second == "colder") {
    parsed.climate =
        climate->second == "average" ? core::SeasonClimate::average : core::SeasonClimate::colder;
  } else {
    return "--climate " + shown_quoted(climate->second) + " är varken average eller colder";
  }
  const auto flow = command_line.options.find("--flow");
  if (flow == command_line.options.end()) {
    return std::string("ange framledningstemperaturen med --flow 35 eller --flow 55");
  }
  if (flow->second == "35" || flow->second == "55") {
    parsed.family = flow->second == "35" ? core::FlowFamily::low_35 : core::FlowFamily::medium_55;
  } else {
    return "--flow " + shown_quoted(flow->second) + " är varken 35 eller 55";
  }
  return parsed;
}

// The year's installation options: each a decimal number; its range is the library's to check.
std::optional<std::string> read_settings(const tools::CommandLine& command_line,
                                         core::HeatPumpSettings& settings) {
  struct SettingOption {
    std::string_view option;
    double core::HeatPumpSettings::*member;
  };
  constexpr std::array<SettingOption, 3> kSettingOptions{{
      {"--backup", &core::HeatPumpSettings::backup_kw},
      {"--tank", &core::HeatPumpSettings::tank_temp_c},
      {"--brine", &core::HeatPumpSettings::brine_temp_c},
  }};
  for (const SettingOption& setting : kSettingOptions) {
    const auto given = command_line.options.find(setting.option);
    if (given == command_line.options.end()) {
      continue;
    }
    const std::optional<double> value = tools::option_decimal(given->second);
    if (!value) {
      return std::string(setting.option) + " " + shown_quoted(given->second) +
             " är inget tal (skriv till exempel 9 eller 2.5)";
    }
    settings.*setting.member = *value;
  }
  return std::nullopt;
}

std::variant<Arguments, std::string> year_arguments(const tools::CommandLine& command_line) {
  Arguments parsed;
  parsed.task = Arguments::Task::year;
  const std::vector<std::string>& words = command_line.files;
  const bool certified = command_line.has("--model");
  const bool generic = command_line.has("--type");
  if (certified == generic) {
    return certified ? std::string("--model och --type kan inte anges tillsammans")
                     : std::string(
                           "ange värmepumpen med FIL --model TITEL eller med --type "
                           "air|brine|exhaust --capacity KW");
  }
  // The control file first where one is given, then the Keymark file where it is one's year.
  const std::size_t files = certified ? 2 : 1;
  if (words.size() > files + 1) {
    return certified ? std::string("för många filnamn; year tar en styrfil och en Keymark-fil")
                     : std::string("för många filnamn; year med --type tar bara en styrfil");
  }
  if (certified && words.size() < 2) {
    return std::string("year med --model behöver en Keymark-fil");
  }
  if (words.size() == files + 1) {
    parsed.control_file = words[1];
    // The house is read as the engine reads it, with the engine's messages: from its folder.
    if (std::filesystem::path(parsed.control_file).filename() != core::kControlFileName) {
      return "styrfilen " + shown_quoted(parsed.control_file) + " heter inte " +
             std::string(core::kControlFileName) + "; ange den som MAPP/" +
             std::string(core::kControlFileName);
    }
  }
  if (certified) {
    parsed.file = words.back();
    parsed.model = command_line.options.at("--model");
    if (command_line.has("--capacity")) {
      return std::string("--capacity gäller bara --type; en Keymark-fils effekt står i filen");
    }
  } else {
    const std::string& type = command_line.options.at("--type");
    const std::optional<core::GenericHeatPump> found = core::generic_heat_pump_from_id(type);
    if (!found) {
      return "--type " + shown_quoted(type) + " är varken air, brine eller exhaust";
    }
    parsed.generic = *found;
    const auto capacity = command_line.options.find("--capacity");
    if (capacity == command_line.options.end()) {
      return std::string("ange värmepumpens nominella effekt med --capacity KW");
    }
    const std::optional<double> capacity_kw = tools::option_decimal(capacity->second);
    if (!capacity_kw) {
      return "--capacity " + shown_quoted(capacity->second) +
             " är inget tal (skriv till exempel 8)";
    }
    parsed.capacity_kw = *capacity_kw;
  }
  if (std::optional<std::string> fault = read_settings(command_line, parsed.settings)) {
    return *fault;
  }
  return parsed;
}

}  // namespace

std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments) {
  constexpr std::array<tools::OptionRule, 9> kOptions{{
      {"--model", true, "--model behöver variantens titel ur filen, till exempel --model F730"},
      {"--climate", true, "--climate behöver average eller colder"},
      {"--flow", true, "--flow behöver 35 eller 55"},
      {"--verbose", false, {}},
      {"--type", true, "--type behöver air, brine eller exhaust"},
      {"--capacity", true, "--capacity behöver värmepumpens nominella effekt i kW"},
      {"--backup", true, "--backup behöver elpatronens effekt i kW"},
      {"--tank", true, "--tank behöver varmvattnets temperatur i °C"},
      {"--brine", true, "--brine behöver köldbärarens temperatur i °C"},
  }};
  const auto read = tools::parse_command_line(arguments, kOptions);
  if (const auto* error = std::get_if<std::string>(&read)) {
    return *error;
  }
  const tools::CommandLine& command_line = std::get<tools::CommandLine>(read);
  if (command_line.help) {
    return Arguments{};
  }
  const std::vector<std::string>& words = command_line.files;
  if (words.empty()) {
    return "ange vad som ska göras: " + std::string(kTasks);
  }
  if (words[0] == "scop") {
    return scop_arguments(command_line);
  }
  if (words[0] == "year") {
    return year_arguments(command_line);
  }
  return "okänd uppgift " + shown_quoted(words[0]) + "; de som finns är " + std::string(kTasks);
}

std::string help_text() {
  return R"(Användning:
  kalvex-vp scop FIL --model TITEL --climate average|colder --flow 35|55 [--verbose]
  kalvex-vp year [STYRFIL] FIL --model TITEL [--backup KW] [--tank °C] [--brine °C]
  kalvex-vp year [STYRFIL] --type air|brine|exhaust --capacity KW [--backup KW] [--tank °C]
                 [--brine °C]
  kalvex-vp --help

Räknar en värmepumps årsvärmefaktor (SCOP) enligt binmetoden i EN 14825 med programmets
modell av värmepumpen, byggd av dess Heat Pump KEYMARK-deklaration: verkningsgraden mot den
ideala (Carnot-)värmefaktorn vid varje deklarerad punkt i det genomsnittliga klimatet, den
största effekten ur det kallare klimatets punkter, den minsta ur de punkter där värmepumpen gav
mer än lasten. Det kallare klimatets värmefaktorer används inte: de är vad modellen prövas mot.
Värmefaktorn skrivs med två decimaler på sista raden.

year räknar värmepumpens år dygn för dygn i styrfilens hus och klimat (STYRFIL, en styrfil.dat i
valfri mapp, som standard den i arbetsmappen; klimatfilen söks i styrfilens mapp och sedan bland
de installerade):
värmen från värmepumpen och från elpatronen, det som inte räckte, elen (kompressor, elpatron,
frånläge; utan cirkulationspumpen, som redovisas för sig), årsvärmefaktorn, balanspunkten och
kostnaden vid programmets standardpris på el. Varmvattnet värms först, till tanktemperaturen
plus 5 K; elpatronen ger det som går över värmepumpens effekt eller högsta framledning och
allt under en luftvärmepumps lägsta arbetstemperatur. Dygnets medeltemperatur står för hela
dygnet: under ett verkligt år timme för timme blir elpatronens värme och den högsta effekten
större. Siffrorna är inga mått för säkring eller effekttaxa.

FIL är en CSV-fil från Heat Pump KEYMARK. Finns den inte som den är angiven söks den bland de
värmepumpar som följer med programmet (share/varmkalk/heatpumps).

Flaggor:
  --model TITEL      varianten i filen, som dess title-rad anger den (blanksteg runt om räknas
                     inte)
  --climate KLIMAT   average: genomsnittligt klimat (dimensionerande −10 °C);
                     colder: kallare klimat (−22 °C)
  --flow 35|55       framledningstemperatur vid dimensionerande utetemperatur, °C
  --verbose          visa också den deklarerade SCOP och varje temperaturintervall (bin)
  --type TYP         för year: en typisk värmepump i stället för en fil: air (uteluft), brine
                     (berg, jord eller sjö) eller exhaust (frånluft)
  --capacity KW      den typiska värmepumpens nominella effekt, 1 till 100 kW
  --backup KW        elpatronens effekt, 0 till 50 kW (standard 9)
  --tank °C          varmvattnets temperatur, 40 till 65 °C (standard 55)
  --brine °C         köldbärarens temperatur för berg-, jord- och sjövärme, −10 till 15 °C
                     (standard 0)
  --help             visa den här hjälpen
)";
}

}  // namespace varmkalk::vp
