// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vp/arguments.h"

#include <array>
#include <string_view>
#include <vector>

#include "core/text/utf8_text.h"
#include "tools/common/command_line.h"

namespace varmkalk::vp {

std::variant<Arguments, std::string> parse_arguments(std::span<const char* const> arguments) {
  constexpr std::array<tools::OptionRule, 4> kOptions{{
      {"--model", true, "--model behöver variantens titel ur filen, till exempel --model F730"},
      {"--climate", true, "--climate behöver average eller colder"},
      {"--flow", true, "--flow behöver 35 eller 55"},
      {"--verbose", false, {}},
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
    return std::string("ange vad som ska göras: scop");
  }
  if (words[0] != "scop") {
    return "okänd uppgift " + core::quoted_for_message(core::shown_name(words[0])) +
           "; den som finns är scop";
  }
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
    return "--climate " + core::quoted_for_message(core::shown_name(climate->second)) +
           " är varken average eller colder";
  }
  const auto flow = command_line.options.find("--flow");
  if (flow == command_line.options.end()) {
    return std::string("ange framledningstemperaturen med --flow 35 eller --flow 55");
  }
  if (flow->second == "35" || flow->second == "55") {
    parsed.family = flow->second == "35" ? core::FlowFamily::low_35 : core::FlowFamily::medium_55;
  } else {
    return "--flow " + core::quoted_for_message(core::shown_name(flow->second)) +
           " är varken 35 eller 55";
  }
  return parsed;
}

std::string help_text() {
  return R"(Användning:
  kalvex-vp scop FIL --model TITEL --climate average|colder --flow 35|55 [--verbose]
  kalvex-vp --help

Räknar en värmepumps årsvärmefaktor (SCOP) enligt binmetoden i EN 14825 med programmets
modell av värmepumpen, byggd av dess Heat Pump KEYMARK-deklaration: verkningsgraden mot den
ideala (Carnot-)värmefaktorn vid varje deklarerad punkt i det genomsnittliga klimatet, den
största effekten ur det kallare klimatets punkter, den minsta ur de punkter där värmepumpen gav
mer än lasten. Det kallare klimatets värmefaktorer används inte: de är vad modellen prövas mot.
Värmefaktorn skrivs med två decimaler på sista raden.

FIL är en CSV-fil från Heat Pump KEYMARK. Finns den inte som den är angiven söks den bland de
värmepumpar som följer med programmet (share/varmkalk/heatpumps).

Flaggor:
  --model TITEL      varianten i filen, som dess title-rad anger den (blanksteg runt om räknas
                     inte)
  --climate KLIMAT   average: genomsnittligt klimat (dimensionerande −10 °C);
                     colder: kallare klimat (−22 °C)
  --flow 35|55       framledningstemperatur vid dimensionerande utetemperatur, °C
  --verbose          visa också den deklarerade SCOP och varje temperaturintervall (bin)
  --help             visa den här hjälpen
)";
}

}  // namespace varmkalk::vp
