// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/cost/cost_inputs.h"
#include "core/cost/meter_fit.h"
#include "frontend/logic/form/form_input.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace varmkalk {

enum class MeterUnit { kwh, m3 };

// What the user typed in "Anpassa till mätaren…": the year's metered gas from the bill and the
// climate of the metered period, one of the six places or a climate file of the user's own.
struct MeterInput {
  QString amount;
  MeterUnit unit = MeterUnit::kwh;
  QString kwh_per_m3;  // the bill's factor, read for m³ only
  bool own_climate = false;
  core::Place place = core::Place::stockholm;
  QString own_climate_file;
  QString own_design_outdoor_temp_c;
};

// The fit to ask for: the form's house on the form's climate and on the metered one, and the
// meter in kWh on the bill's basis.
struct MeterRequest {
  core::BoilerCase form_case;
  core::BoilerCase metered_case;
  core::CostInputs prices;
  double metered_kwh = 0.0;
};

// A field of the dialog, or of the form (`field` empty), that gives no request, and why.
struct MeterFieldError {
  QString field;
  QString message;
};

// Object names of the dialog's fields, which its faults name.
inline constexpr char kMeterAmountField[] = "matarvarde";
inline constexpr char kMeterFactorField[] = "kwhperm3";
inline constexpr char kMeterOwnFileField[] = "matarklimatfil";
inline constexpr char kMeterDesignTempField[] = "matardut";

// The labels of the meter's fields, as the dialog shows them and its messages name them.
QString meter_amount_label();
QString meter_factor_label();

// The request for the form's input as it stands, every input of it but the design heat demand
// needed; an empty demand field is no fault, since the fit finds that value. The meter and the
// factor may have their digits grouped as the bill prints them; in m³ the request's prices take
// the bill's factor.
std::variant<MeterRequest, MeterFieldError> meter_request(const FormInput& form,
                                                          const MeterInput& typed,
                                                          const core::CostInputs& prices,
                                                          const QLocale& locale);

// The fit and, where it succeeds, the fitted house on the form's climate.
struct MeterOutcome {
  std::variant<core::MeterFit, core::MeterFitRefusal> fit;
  std::optional<float> form_demand_w;  // what "Använd" puts into the form
  bool carried = false;                // the metered climate is not the form's
};

// Runs the fit on the metered climate, found as the engine finds it: in the working folder,
// else in `fallback_dir` (empty: none).
MeterOutcome run_meter_fit(const MeterRequest& request, const QString& work_folder,
                           const QString& fallback_dir);

// The figure the dialog shows most prominently: the demand "Använd" writes into the form, or the
// fitted one on the metered climate where there is none to write; empty for a refusal.
QString meter_headline(const MeterOutcome& outcome, const QLocale& locale);

// The outcome as the dialog shows it beneath the headline, a line each, numbers in `locale`; a
// demand on the metered climate that "Använd" does not write is named as that climate's.
QStringList meter_outcome_lines(const MeterRequest& request, const MeterOutcome& outcome,
                                const QLocale& locale);

// The form's heat-demand field's text for a demand: kW with two decimals.
QString form_demand_text(float demand_w, const QLocale& locale);

}  // namespace varmkalk
