// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/formats/summary_report_reader.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/kept/summary_input.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace varmkalk {

// One calculation kept in the working folder: its inputs file where it is there and sound, its
// summary report where that is.
struct KeptCalculation {
  QString identity;  // padded to four characters, as the files are named
  QDateTime date;    // when it was kept: from the inputs file, else the summary's last change
  CalculationListing listing;  // from the inputs file, else from the summary
  std::optional<KeptInputs> inputs;
  std::optional<core::SummaryReport> summary;

  // The identity as shown: without the blanks the engine pads it with.
  QString shown_identity() const;
};

struct KeptCalculations {
  std::vector<KeptCalculation> calculations;  // the newest first
  // For each file that could not be read: the message that names it and what is wrong.
  QStringList problems;
};

// The calculations kept in `folder`: every identity with an inputs file (xxxxindata.json) or a
// summary (xxxxsum.dat) that can be read. Only reads: a damaged, cut-short or foreign file, or
// one that belongs to another identity than its name says, is left out of the listing (or, for an
// inputs file beside a sound summary, the calculation is listed from its summary) and named in
// `problems`.
KeptCalculations list_kept_calculations(const QString& folder);

// What the list shows of a calculation from its case and its efficiency, and from a summary.
CalculationListing listing_of(const core::BoilerCase& input,
                              const std::optional<double>& efficiency_percent);
CalculationListing listing_of(const core::SummaryReport& report);

// The burner's power in kW as the list shows it, "18,5" or "4–15": as typed where the typed
// input is known, else the listed number written as short as it reads back to the 32-bit number
// the case holds, never with the digits that number adds ("18,123451171875"). "okänd" when
// neither is known.
QString listed_power_text(const CalculationListing& listing, const std::optional<FormInput>& typed,
                          const QLocale& locale);

// The efficiency with the pump's heat of the summary xxxxsum.dat of `identity` in `folder`, when
// it can be read and the year had one.
std::optional<double> kept_efficiency_percent(const QString& folder, const QString& identity);

// The calculation of this session the user confirmed last: its identity and the form's input as
// typed in `locale`.
struct SessionCalculation {
  QString identity;
  FormInput input;
  QLocale locale;
  core::CostInputs prices = core::default_cost_inputs();  // as "Kostnad och klimat…" had them
  std::optional<HeatPumpPlan> heat_pump = std::nullopt;    // as "Värmepump…" left it
};

// Writes the inputs file of the calculation into `folder` as its files are kept at `now`, with
// what the list shows of it: its case, and its efficiency from its summary where that can be read.
// The file is written whole or not at all.
std::optional<FileError> keep_inputs_file(const QString& folder,
                                          const SessionCalculation& calculation,
                                          const QDateTime& now);

// The form's input for a kept calculation in `locale`: from its inputs file every choice and
// field exactly, else from its summary (see input_from_summary).
RestoredInput restored_input(const KeptCalculation& calculation, const QLocale& locale);

}  // namespace varmkalk
