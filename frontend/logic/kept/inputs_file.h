// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/burner.h"
#include "core/cost/cost_inputs.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/logic/form/heat_pump_plan.h"
#include "frontend/logic/run/file_error.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <variant>

namespace varmkalk {

// The inputs file xxxxindata.json keeps the input form of a kept calculation beside its result
// files: JSON in UTF-8, named by the format and its version. Raise the version whenever FormInput
// gains a field or an option group; a file of an older version may then lack them, and they keep
// the form's defaults. A file of a newer version is refused whole. Version 2 added the optional
// member "cost": the inputs of cost and CO2, each member optional. Version 3 added the option
// "own_design_temps" and the fields of the heating system's own design temperatures. Version 4
// added the optional member "heat_pump": the heat pump shown beside the boiler.
inline constexpr int kInputsFileVersion = 4;
// The version that last added a field or an option group of the form: from it on a file holds
// every one of them.
inline constexpr int kFormFieldsVersion = 3;
inline constexpr char kInputsFileFormat[] = "VARMKALK indata";

// What a list of kept calculations shows of one besides its identity and date.
struct CalculationListing {
  QString climate;  // the place, or the name of the own climate file
  // Each empty where it is not known, as a power too large for the summary's columns.
  std::optional<core::BurnerKind> burner_kind;
  std::optional<double> max_power_kw;
  std::optional<double> min_power_kw;
  std::optional<double> efficiency_percent;  // with the pump's heat

  friend bool operator==(const CalculationListing&, const CalculationListing&) = default;
};

// The content of an inputs file.
struct KeptInputs {
  int version = kInputsFileVersion;
  QString identity;     // as confirmed, at most four characters
  QDateTime saved;      // when the calculation was kept
  QString locale_name;  // the locale the numbers were typed in, e.g. "sv_SE"
  FormInput input;      // the choices, and every field's text as typed
  // The number each field's text was read as, in the order of kFormFields; empty where the text
  // is no number.
  std::array<std::optional<double>, kFormFields.size()> numbers;
  CalculationListing listing;
  // The inputs of cost and CO2 the calculation was shown with; empty in a file without them.
  std::optional<core::CostInputs> prices;
  // The heat pump shown beside the boiler; empty where none was chosen, or in an older file.
  std::optional<HeatPumpPlan> heat_pump;
};

// The inputs file of a calculation confirmed under `identity` with the form's `input`, typed in
// `locale`, kept at `saved`, shown with `prices` and `heat_pump`.
KeptInputs kept_inputs(const QString& identity, const FormInput& input, const QLocale& locale,
                       const CalculationListing& listing, const QDateTime& saved,
                       const std::optional<core::CostInputs>& prices = std::nullopt,
                       const std::optional<HeatPumpPlan>& heat_pump = std::nullopt);

// The file's bytes: indented JSON in UTF-8.
QByteArray inputs_file_bytes(const KeptInputs& kept);

// Reads an inputs file from its bytes; `file_name` names it in messages. Fails, naming the file
// and what is wrong, on anything but a complete file of this format: no JSON or cut short, not
// UTF-8, another program's JSON, a newer version, a missing or unknown field or option, a value
// of the wrong kind. Nothing of a refused file is used.
std::variant<KeptInputs, FileError> parse_inputs_file(const QByteArray& bytes,
                                                      const QString& file_name);

// The same for the file at `path`; one that is no regular file or far too large is refused.
std::variant<KeptInputs, FileError> read_inputs_file(const QString& path);

// Writes the file at `path` whole or not at all (through a temporary file renamed over it).
std::optional<FileError> write_inputs_file(const QString& path, const KeptInputs& kept);

// The input with every number written as `locale` writes it, with no digit grouping, so that the
// form reads each field back as the same number; a field that held no number keeps its text.
FormInput input_in_locale(const KeptInputs& kept, const QLocale& locale);

}  // namespace varmkalk
