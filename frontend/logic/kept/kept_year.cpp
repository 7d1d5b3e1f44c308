// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/kept_year.h"

#include "core/case/climate_choice.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/kept/summary_case.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>

#include <map>
#include <memory>
#include <string>

namespace varmkalk {

std::variant<core::BoilerCase, QString> kept_case(const std::optional<KeptInputs>& inputs,
                                                  const std::optional<core::SummaryReport>& summary,
                                                  const QString& identity) {
  if (inputs) {
    // The input in one locale both ways: written and read again, its numbers are those kept.
    const QLocale locale = QLocale::c();
    auto derived = derive_case(input_in_locale(*inputs, locale), identity, locale);
    if (auto* fault = std::get_if<FieldError>(&derived)) {
      return std::move(fault->message);
    }
    return std::move(std::get<core::BoilerCase>(derived));
  }
  if (summary) {
    return summary_case(*summary, identity);
  }
  return QCoreApplication::translate("KeptYear",
                                     "beräkningen %1 har varken indatafil eller sammanfattning.")
      .arg(identity);
}

std::vector<CalculationYear> kept_years(const std::vector<KeptCalculation>& calculations,
                                        const QString& folder,
                                        const QString& climate_fallback_dir) {
  std::vector<CalculationYear> years;
  std::map<std::string, std::shared_ptr<const core::FoundClimate>, std::less<>> climates;
  for (const KeptCalculation& calculation : calculations) {
    const QString& identity =
        calculation.inputs ? calculation.inputs->identity : calculation.identity;
    auto input = kept_case(calculation.inputs, calculation.summary, identity.trimmed());
    if (auto* why = std::get_if<QString>(&input)) {
      years.emplace_back(std::move(*why));
      continue;
    }
    const core::BoilerCase& found = std::get<core::BoilerCase>(input);
    const std::string_view name = core::climate_file_name(found.climate);
    auto climate = climates.find(name);
    if (climate == climates.end()) {
      climate =
          climates
              .emplace(std::string(name), find_case_climate(found, folder, climate_fallback_dir))
              .first;
    }
    years.emplace_back(case_year(found, climate->second));
  }
  return years;
}

}  // namespace varmkalk
