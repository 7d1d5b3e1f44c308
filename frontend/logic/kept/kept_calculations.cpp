// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/kept/kept_calculations.h"

#include "core/case/units.h"
#include "frontend/logic/form/display_names.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/logic/run/windows1252_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>
#include <map>

namespace varmkalk {

namespace {

constexpr char kInputsFilePattern[] = "????indata.json";

std::optional<double> known(const core::ReportValue& value) {
  const std::optional<float> number = value.known();
  return number ? std::optional<double>(*number) : std::nullopt;
}

// The identity that names a file: its first four characters.
QString identity_of_file(const QString& file_name) {
  return file_name.left(kIdentityLength);
}

std::variant<core::SummaryReport, QString> read_report(const QDir& dir, const QString& name) {
  try {
    return core::read_summary_report(to_path(dir.filePath(name)), name.toStdString());
  } catch (const core::SummaryReportError& e) {
    return QString::fromStdString(e.what());
  }
}

}  // namespace

QString KeptCalculation::shown_identity() const {
  if (inputs) {
    return inputs->identity;
  }
  QString shown = identity;
  while (shown.endsWith(QLatin1Char(' '))) {
    shown.chop(1);
  }
  return shown;
}

CalculationListing listing_of(const core::BoilerCase& input,
                              const std::optional<double>& efficiency_percent) {
  CalculationListing listing;
  listing.climate = climate_name(input.climate);
  listing.burner_kind = input.burner.kind();
  listing.max_power_kw = core::kw_from_watts(double(input.burner.max_power_w()));
  listing.min_power_kw = core::kw_from_watts(double(input.burner.min_power_w()));
  listing.efficiency_percent = efficiency_percent;
  return listing;
}

QString listed_power_text(const CalculationListing& listing, const std::optional<FormInput>& typed,
                          const QLocale& locale) {
  const bool modulating = listing.burner_kind == core::BurnerKind::modulating;
  if (typed) {
    const QString max = modulating ? typed->modulating_max_power_kw : typed->single_stage_power_kw;
    const QString min = typed->modulating_min_power_kw;
    if (!max.trimmed().isEmpty() && (!modulating || !min.trimmed().isEmpty())) {
      return modulating ? QStringLiteral("%1–%2").arg(min.trimmed(), max.trimmed()) : max.trimmed();
    }
  }
  if (!listing.max_power_kw || !listing.min_power_kw) {
    return QCoreApplication::translate("KeptCalculations", "okänd");
  }
  // The shortest text that reads back to the same 32-bit number.
  const auto shortest = [&locale](double kw) {
    std::array<char, 32> digits{};
    const auto end =
        std::to_chars(digits.data(), digits.data() + digits.size(), static_cast<float>(kw)).ptr;
    double read_back = kw;
    std::from_chars(digits.data(), end, read_back);
    return form_number_text(read_back, locale);
  };
  const QString max = shortest(*listing.max_power_kw);
  return modulating ? QStringLiteral("%1–%2").arg(shortest(*listing.min_power_kw), max) : max;
}

CalculationListing listing_of(const core::SummaryReport& report) {
  CalculationListing listing;
  listing.climate = climate_name(report.climate);
  listing.max_power_kw = known(report.max_power_kw);
  listing.min_power_kw = known(report.min_power_kw);
  if (listing.max_power_kw && listing.min_power_kw) {
    listing.burner_kind = *listing.min_power_kw < *listing.max_power_kw
                              ? core::BurnerKind::modulating
                              : core::BurnerKind::single_stage;
  }
  listing.efficiency_percent = known(report.efficiency_percent);
  return listing;
}

std::optional<double> kept_efficiency_percent(const QString& folder, const QString& identity) {
  const QString name = identity_file_names(identity)[1];
  const auto report = read_report(QDir(folder), name);
  if (const auto* read = std::get_if<core::SummaryReport>(&report)) {
    return known(read->efficiency_percent);
  }
  return std::nullopt;
}

KeptCalculations list_kept_calculations(const QString& folder) {
  const QDir dir(folder);
  std::map<QString, KeptCalculation> found;
  KeptCalculations kept;

  for (const QString& name : summary_file_list(folder)) {
    const QString identity = identity_of_file(name);
    const auto report = read_report(dir, name);
    if (const auto* problem = std::get_if<QString>(&report)) {
      kept.problems += *problem;
      continue;
    }
    const auto& summary = std::get<core::SummaryReport>(report);
    if (from_windows1252(QByteArrayView(summary.identity.padded())) != identity) {
      kept.problems +=
          QCoreApplication::translate("KeptCalculations",
                                      "Sammanfattningen %1 hör till beräkningen %2, inte till %3.")
              .arg(name, from_latin1(summary.identity.text()).trimmed(), identity.trimmed());
      continue;
    }
    KeptCalculation& calculation = found[identity];
    calculation.identity = identity;
    calculation.summary = summary;
    calculation.listing = listing_of(summary);
    // To the second, as the inputs files keep their dates.
    const QDateTime changed = QFileInfo(dir.filePath(name)).lastModified();
    calculation.date = changed.addMSecs(-changed.time().msec());
  }

  const QStringList inputs_files =
      dir.entryList({QLatin1String(kInputsFilePattern)}, QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& name : inputs_files) {
    const QString identity = identity_of_file(name);
    const auto read = read_inputs_file(dir.filePath(name));
    if (const auto* error = std::get_if<FileError>(&read)) {
      kept.problems += error->message;
      continue;
    }
    const auto& inputs = std::get<KeptInputs>(read);
    if (inputs_file_name(inputs.identity) != name) {
      kept.problems +=
          QCoreApplication::translate("KeptCalculations",
                                      "Indatafilen %1 hör till beräkningen %2, inte till %3.")
              .arg(name, inputs.identity, identity.trimmed());
      continue;
    }
    KeptCalculation& calculation = found[identity];
    calculation.identity = identity;
    calculation.inputs = inputs;
    calculation.listing = inputs.listing;
    calculation.date = inputs.saved;
  }

  for (auto& [identity, calculation] : found) {
    kept.calculations.push_back(std::move(calculation));
  }
  std::stable_sort(
      kept.calculations.begin(), kept.calculations.end(),
      [](const KeptCalculation& a, const KeptCalculation& b) { return a.date > b.date; });
  return kept;
}

std::optional<FileError> keep_inputs_file(const QString& folder,
                                          const SessionCalculation& calculation,
                                          const QDateTime& now) {
  CalculationListing listing;
  const auto derived = derive_case(calculation.input, calculation.identity, calculation.locale);
  if (const auto* input = std::get_if<core::BoilerCase>(&derived)) {
    listing = listing_of(*input, kept_efficiency_percent(folder, calculation.identity));
  }
  return write_inputs_file(QDir(folder).filePath(inputs_file_name(calculation.identity)),
                           kept_inputs(calculation.identity, calculation.input, calculation.locale,
                                       listing, now, calculation.prices, calculation.heat_pump));
}

RestoredInput restored_input(const KeptCalculation& calculation, const QLocale& locale) {
  if (calculation.inputs) {
    return {input_in_locale(*calculation.inputs, locale),
            {},
            calculation.inputs->input,
            calculation.inputs->prices,
            calculation.inputs->heat_pump};
  }
  if (calculation.summary) {
    return input_from_summary(*calculation.summary, locale);
  }
  return {};
}

}  // namespace varmkalk
