// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/run_notices.h"

#include <exception>
#include <string>

#include "core/formats/run_warnings.h"

namespace varmkalk {

namespace {

const QString kPowerLeft = QCoreApplication::translate(
    "RunNotices",
    "Brännaren hade effekt kvar dessa dygn: underskottet kommer av att modellen räknar den "
    "modulerande brännarens rökgasförlust vid medeleffekten, inte av att brännaren är för liten.");

}  // namespace

QString part_load_remark(const core::AnnualTotals& totals) {
  if (totals.part_load_days == 0) {
    return {};
  }
  if (totals.part_load_days == totals.unmet_days) {
    return kPowerLeft;
  }
  return QCoreApplication::translate(
             "RunNotices",
             "Brännaren på full effekt räckte inte till %1 av dygnen; de övriga %2 "
             "föll bara modellens dellastregel kort. ")
             .arg(totals.unmet_days - totals.part_load_days)
             .arg(totals.part_load_days) +
         kPowerLeft;
}

QString part_load_name() {
  return QCoreApplication::translate("RunNotices", "Bara dellastregeln räcker inte");
}

QStringList run_notices(const core::YearResult& year, const QLocale& locale) {
  QStringList notices;
  for (const std::string& warning :
       core::run_warnings(year.totals, locale.decimalPoint().toStdString())) {
    notices += QString::fromStdString(warning);
  }
  // The shortfall's warning comes first.
  if (const QString remark = part_load_remark(year.totals); !remark.isEmpty()) {
    notices.front() += QLatin1Char(' ') + remark;
  }
  return notices;
}

std::optional<QStringList> calculation_notices(const CalculationYear& computed,
                                               const QLocale& locale) {
  if (year_fault(computed)) {
    return std::nullopt;
  }
  try {
    return run_notices(*std::get<CaseYear>(computed).year, locale);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace varmkalk
