// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run_notices.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string>

#include "core/formats/climate_file.h"
#include "core/formats/control_file.h"
#include "core/formats/run_warnings.h"
#include "frontend/logic/file_names.h"

namespace varmkalk {

namespace {

const QString kPowerLeft = QStringLiteral(
    "Brännaren hade effekt kvar dessa dygn: underskottet kommer av att modellen räknar den "
    "modulerande brännarens rökgasförlust vid medeleffekten, inte av att brännaren är för liten.");

}  // namespace

// The model sets a modulating burner's power for the day to the heat the boiler must deliver,
// counting the flue-gas loss at the burner's mean power (and the pump's heat in both balances).
// Away from the mean the real loss differs: below it a condensing boiler gains less from the flue
// gas than counted, so the chosen power falls short even running all day although the burner
// could give more. Only a day at the maximum power shows a burner that is too small.
bool shortfall_with_power_left(const core::BoilerCase& input, const core::YearResult& year) {
  if (!input.burner.is_modulating() || year.totals.unmet_days == 0) {
    return false;
  }
  return std::all_of(year.days.begin(), year.days.end(), [&input](const core::DayBalance& day) {
    const bool short_day = day.with_pump.shortfall > 0.0F || day.without_pump.shortfall > 0.0F;
    return !short_day || day.burner_power < input.burner.max_power_w();
  });
}

QStringList run_notices(const core::BoilerCase& input, const core::YearResult& year,
                        const QLocale& locale) {
  QStringList notices;
  for (const std::string& warning :
       core::run_warnings(year.totals, locale.decimalPoint().toStdString())) {
    notices += QString::fromStdString(warning);
  }
  // The shortfall's warning comes first.
  if (shortfall_with_power_left(input, year)) {
    notices.front() += QLatin1Char(' ') + kPowerLeft;
  }
  return notices;
}

std::optional<QStringList> folder_run_notices(const QString& folder,
                                              const QString& climate_fallback_dir,
                                              const QLocale& locale) {
  try {
    const std::filesystem::path work_dir = to_path(folder);
    const core::BoilerCase input = core::read_control_file(work_dir);
    core::ClimateFile climate_file = core::open_climate_file(
        core::climate_file_name(input.climate), work_dir, to_path(climate_fallback_dir));
    const core::ClimateDays days = core::read_climate_days(climate_file);
    const core::YearResult year = core::run_year(input, days.records);
    if (days.fault || !year.complete()) {
      return std::nullopt;
    }
    return run_notices(input, year, locale);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace varmkalk
