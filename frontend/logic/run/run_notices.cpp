// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/run_notices.h"

#include <algorithm>
#include <exception>
#include <string>

#include "core/formats/run_warnings.h"
#include "frontend/logic/year/folder_year.h"

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
    return !core::unmet(day) || day.burner_power < input.burner.max_power_w();
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
    const auto computed = folder_year(folder, climate_fallback_dir);
    if (const auto* found = std::get_if<FolderYear>(&computed)) {
      return run_notices(found->input, found->year, locale);
    }
    return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace varmkalk
