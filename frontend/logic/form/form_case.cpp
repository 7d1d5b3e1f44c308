// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/form_case.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/case/units.h"
#include "core/formats/control_file.h"
#include "core/formats/input_quantities.h"
#include "core/text/windows1252.h"
#include "frontend/controls/control_names.h"
#include "frontend/logic/form/form_number.h"
#include "frontend/logic/form/input_validation.h"
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"

namespace varmkalk {

namespace {

// The convection loss grows with the temperature difference to the power 1.3.
constexpr double kConvectionExponent = 1.3;

using TextField = QString FormInput::*;

QString quoted_label(const QString& field) {
  return QLatin1Char('"') + field_label(field) + QLatin1Char('"');
}

// The engine keeps its numbers as 32-bit floats: larger magnitudes would become infinite.
bool in_engine_range(double value) {
  return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

// source names the field the value comes from.
void check_range(double value, TextField source) {
  if (!in_engine_range(value)) {
    const QString name = form_field_name(source);
    throw field_error(name,
                      QCoreApplication::translate("FormCase",
                                                  "Värdet i fältet %1 ger ett tal som är för stort "
                                                  "för beräkningen.")
                          .arg(quoted_label(name)));
  }
}

float float_value(double value, TextField source) {
  check_range(value, source);
  return static_cast<float>(value);
}

struct StandbyLoss {
  float constant = 0.0F;
  float exponent = 0.0F;
};

// Reads the form's numbers and derives the control file's values; a failure is thrown as the
// FieldError that names the field.
class Derivation {
 public:
  Derivation(const FormInput& input, const QLocale& locale) : input_(input), locale_(locale) {}

  // N(f): the number typed in a field.
  double number(TextField field) const {
    const QString& text = input_.*field;
    if (const std::optional<double> value = read_form_number(text, locale_)) {
      return *value;
    }
    throw field_error(form_field_name(field),
                      number_fault_message(field_label(form_field_name(field)), text, locale_));
  }

  double positive(TextField field, const QString& reason) const {
    const double value = number(field);
    if (value <= 0.0) {
      const QString name = form_field_name(field);
      throw field_error(name, QCoreApplication::translate(
                                  "FormCase", "Värdet i fältet %1 måste vara större än 0 %2.")
                                  .arg(quoted_label(name), reason));
    }
    return value;
  }

  // A field's number in the control file's unit, as the engine holds it.
  float field_value(TextField field, double to_file_unit = 1.0) const {
    return float_value(number(field) * to_file_unit, field);
  }

  double convection_constant() const {
    if (input_.convection_source == ConvectionSource::Constant) {
      return number(&FormInput::convection_constant);
    }
    const double loss = number(&FormInput::convection_loss_w);
    const double temp_difference =
        positive(&FormInput::convection_temp_difference_k,
                 QCoreApplication::translate("FormCase", "för att konstanten ska kunna beräknas"));
    const double constant = loss / std::pow(temp_difference, kConvectionExponent);
    if (!in_engine_range(constant)) {
      // A large loss or a tiny temperature difference: the message names both.
      throw field_error(
          QStringLiteral("konveff"),
          QCoreApplication::translate("FormCase",
                                      "Konvektionskonstanten, beräknad ur fälten %1 och %2, blir "
                                      "för stor för beräkningen.")
              .arg(quoted_label(QStringLiteral("konveff")),
                   quoted_label(QStringLiteral("konvtemp"))));
    }
    return constant;
  }

  StandbyLoss standby_loss() const {
    if (input_.standby_source == StandbySource::Constants) {
      return {field_value(&FormInput::standby_constant), field_value(&FormInput::standby_exponent)};
    }
    return two_point_fit();
  }

  bool single_stage() const { return input_.burner == Burner::SingleStage; }

  TextField burner_power_field() const {
    return single_stage() ? &FormInput::single_stage_power_kw : &FormInput::modulating_max_power_kw;
  }

  TextField excess_air_field() const {
    return single_stage() ? &FormInput::single_stage_excess_air_percent
                          : &FormInput::modulating_excess_air_percent;
  }

 private:
  // Q = C1 × ΔT^C2 through both known losses, ΔT being the temperature difference between
  // boiler and room as typed: the engine's law takes the same difference, so that it loses the
  // typed power at each typed difference.
  StandbyLoss two_point_fit() const {
    const QString reason =
        QCoreApplication::translate("FormCase", "för att konstanterna ska kunna beräknas");
    const double loss_1 = positive(&FormInput::standby_loss_1_w, reason);
    const double loss_2 = positive(&FormInput::standby_loss_2_w, reason);
    const double temp_1 = positive(&FormInput::standby_temp_difference_1_k, reason);
    const double temp_2 = positive(&FormInput::standby_temp_difference_2_k, reason);
    const double log_temp_ratio = std::log(temp_2 / temp_1);
    if (log_temp_ratio == 0.0) {
      throw field_error(
          QStringLiteral("sbtemp2"),
          QCoreApplication::translate("FormCase",
                                      "Temperaturskillnaderna i Fall 1 och Fall 2 är lika. "
                                      "Ange två olika temperaturskillnader."));
    }
    const double log_loss_ratio = std::log(loss_2 / loss_1);
    if (log_loss_ratio == 0.0) {
      throw field_error(QStringLiteral("sbeff2"),
                        QCoreApplication::translate("FormCase",
                                                    "Effekterna i Fall 1 och Fall 2 är lika. "
                                                    "Ange två olika effekter."));
    }
    // The exponent as the engine holds it, and the constant fitted to that exponent through the
    // geometric mean of both points, so that the float's rounding falls on neither point alone.
    const double exponent = static_cast<float>(log_loss_ratio / log_temp_ratio);
    const double constant = std::sqrt(loss_1 / std::pow(temp_1, exponent)) *
                            std::sqrt(loss_2 / std::pow(temp_2, exponent));
    if (!in_engine_range(exponent) || !in_engine_range(constant) ||
        !(static_cast<float>(constant) > 0.0F)) {
      // Every value of both cases takes part in the fit: the message points to all of them.
      throw field_error(
          QStringLiteral("sbeff2"),
          QCoreApplication::translate("FormCase",
                                      "Stilleståndsförlustens konstanter, beräknade ur "
                                      "temperaturskillnaderna och effekterna i Fall 1 och "
                                      "Fall 2, blir för stora eller för små för beräkningen. "
                                      "Kontrollera de fyra värdena."));
    }
    return {static_cast<float>(constant), static_cast<float>(exponent)};
  }

  const FormInput& input_;
  const QLocale& locale_;
};

// The faults met while deriving, at most one per field: a value derived from a field that cannot
// be read fails with that field's own fault, which need not be told twice.
class Faults {
 public:
  // Runs one step of the derivation; its value, or nothing when it failed.
  template <typename Step>
  auto attempt(Step step) -> std::optional<decltype(step())> {
    try {
      return step();
    } catch (const FieldError& error) {
      add(error);
      return std::nullopt;
    }
  }

  void add(const FieldError& error) {
    const bool known = std::any_of(errors_.begin(), errors_.end(), [&error](const FieldError& met) {
      return met.field == error.field;
    });
    if (!known) {
      errors_.push_back(error);
    }
  }

  // In the order they were met.
  const FieldErrors& errors() const { return errors_; }

 private:
  FieldErrors errors_;
};

std::optional<FieldError> missing_component(const FormInput& input) {
  const QString message =
      QCoreApplication::translate("FormCase", "Alla komponenter är inte valda.");
  if (input.burner == Burner::Unchosen) {
    return field_error(QStringLiteral("burntype"), message);
  }
  if (input.hot_water_heater == HotWaterHeater::Unchosen) {
    return field_error(QStringLiteral("vvber"), message);
  }
  if (input.convection_source == ConvectionSource::Unchosen) {
    return field_error(QStringLiteral("konvtyp"), message);
  }
  if (input.standby_source == StandbySource::Unchosen) {
    return field_error(QLatin1String(control::input::kStandbySource), message);
  }
  return std::nullopt;
}

// The own climate file's name as the control file carries it: a file of the working folder,
// named so that the engine's line 24 reads it as such.
std::string own_climate_file_name(const QString& name) {
  const QString field = QLatin1String(kOwnClimateFileField);
  const std::optional<std::string> bytes = core::encode_windows1252(name.toStdString());
  if (!bytes || !core::names_climate_file(*bytes) || name.contains(QLatin1Char('/')) ||
      name.contains(QLatin1Char('\\')) || name.size() > kLongestClimateFileName ||
      std::any_of(name.begin(), name.end(),
                  [](QChar c) { return c.category() == QChar::Other_Control; }) ||
      name.startsWith(QLatin1Char(' '))) {
    throw field_error(
        field, QCoreApplication::translate("FormCase",
                                           "Klimatfilens namn %1 går inte att använda: det ska "
                                           "sluta på .dat, vara högst %2 tecken långt och "
                                           "gälla en fil i arbetsmappen.")
                   .arg(quoted_text(name))
                   .arg(kLongestClimateFileName));
  }
  return *bytes;
}

// Typed design temperatures keep the rule the engine holds them to, told in the form's words and
// marked on the field that breaks it.
void check_design_temperatures(const core::DesignTemperatures& typed, float indoor_temp_c,
                               const QLocale& locale) {
  const auto degrees = [&locale](float value) { return locale.toString(double(value)); };
  const std::optional<core::DesignTemperatureFault> fault =
      core::design_temperature_fault(typed, indoor_temp_c);
  if (!fault) {
    return;
  }
  const QString supply = form_field_name(&FormInput::own_supply_temp_c);
  const QString back = form_field_name(&FormInput::own_return_temp_c);
  switch (*fault) {
    case core::DesignTemperatureFault::supply_out_of_range:
      throw field_error(supply, QCoreApplication::translate(
                                    "FormCase",
                                    "Framledningstemperaturen i fältet %1 är %2 °C; den ska ligga "
                                    "mellan %3 och %4 °C, från golvvärmens till de varmaste "
                                    "radiatorernas.")
                                    .arg(quoted_label(supply), degrees(typed.supply_temp_c),
                                         degrees(core::kLowestDesignSupplyTempC),
                                         degrees(core::kHighestDesignSupplyTempC)));
    case core::DesignTemperatureFault::return_not_below_supply:
      throw field_error(back, QCoreApplication::translate(
                                  "FormCase",
                                  "Returtemperaturen i fältet %1 är %2 °C; den ska vara lägre än "
                                  "framledningstemperaturen, %3 °C.")
                                  .arg(quoted_label(back), degrees(typed.return_temp_c),
                                       degrees(typed.supply_temp_c)));
    case core::DesignTemperatureFault::return_not_above_indoor:
      throw field_error(
          back, QCoreApplication::translate(
                    "FormCase",
                    "Returtemperaturen i fältet %1 är %2 °C; den ska vara högre än "
                    "inomhustemperaturen, %3 °C, för att radiatorerna ska värma "
                    "rummet.")
                    .arg(quoted_label(back), degrees(typed.return_temp_c), degrees(indoor_temp_c)));
  }
}

// The case for the input of a complete choice of components, without its identity. Every step
// is tried whatever the steps before it met, so that the faults of all fields are found; the case
// is complete only when no fault was added.
core::BoilerCase derive(const FormInput& input, const QLocale& locale, Faults& faults) {
  const Derivation derivation(input, locale);
  core::BoilerCase derived;
  const auto set = [&faults](auto& target, auto step) {
    if (const auto value = faults.attempt(step)) {
      target = *value;
    }
  };
  set(derived.losses.convection_constant, [&] {
    return float_value(derivation.convection_constant(),
                       input.convection_source == ConvectionSource::Constant
                           ? &FormInput::convection_constant
                           : &FormInput::convection_loss_w);
  });
  if (const std::optional<StandbyLoss> standby =
          faults.attempt([&] { return derivation.standby_loss(); })) {
    derived.losses.standby_constant = standby->constant;
    derived.losses.standby_exponent = standby->exponent;
  }
  // A single-stage burner's one power is both its maximum and its minimum.
  const std::optional<float> max_power_w = faults.attempt([&] {
    return derivation.field_value(derivation.burner_power_field(), core::kWattsPerKilowatt);
  });
  const std::optional<float> min_power_w =
      derivation.single_stage() ? max_power_w : faults.attempt([&] {
        return derivation.field_value(&FormInput::modulating_min_power_kw, core::kWattsPerKilowatt);
      });
  if (max_power_w && min_power_w) {
    derived.burner = derivation.single_stage() ? core::Burner::single_stage(*max_power_w)
                                               : core::Burner(*max_power_w, *min_power_w);
  }
  set(derived.combustion.air_ratio, [&] {
    return float_value(
        core::air_ratio_from_excess_air(derivation.number(derivation.excess_air_field())),
        derivation.excess_air_field());
  });
  derived.pump.heat_share_percent = kPumpHeatSharePercent;
  // Every field that gives its quantity alone, as the control file's line carries it.
  for (const FormField& field : kFormFields) {
    if (field.quantity.empty() || field.own_rule || !field.needed(input)) {
      continue;
    }
    const core::InputQuantity& quantity = core::input_quantity(field.quantity);
    if (const std::optional<float> value = faults.attempt([&] {
          return float_value(quantity.to_case(derivation.number(field.text)), field.text);
        })) {
      quantity.control_line().set_number(derived, *value);
    }
  }
  derived.building.min_return_temp_c =
      min_return_temp_c(input.min_return_temp, derived.building.indoor_temp_c);
  derived.heating_system = core::design_temperatures(input.heating_system);
  if (input.own_design_temps) {
    const std::optional<float> supply_c =
        faults.attempt([&] { return derivation.field_value(&FormInput::own_supply_temp_c); });
    const std::optional<float> return_c =
        faults.attempt([&] { return derivation.field_value(&FormInput::own_return_temp_c); });
    if (supply_c && return_c) {
      derived.heating_system = core::DesignTemperatures{*supply_c, *return_c};
      faults.attempt([&] {
        check_design_temperatures(derived.heating_system, derived.building.indoor_temp_c, locale);
        return true;
      });
    }
  }
  derived.climate = input.climate;
  if (input.own_climate) {
    const std::optional<std::string> file_name =
        faults.attempt([&] { return own_climate_file_name(input.own_climate_file); });
    const std::optional<float> design_temp = faults.attempt(
        [&] { return derivation.field_value(&FormInput::own_design_outdoor_temp_c); });
    if (file_name && design_temp) {
      derived.climate = core::OwnClimate{*file_name, *design_temp};
    }
  }
  return derived;
}

// Where a field stands on the form; the option frames and the identity box come after the
// text fields.
std::size_t form_position(const QString& field) {
  const auto found =
      std::find_if(kFormFields.begin(), kFormFields.end(),
                   [&field](const FormField& entry) { return field == QLatin1String(entry.name); });
  return static_cast<std::size_t>(found - kFormFields.begin());
}

}  // namespace

std::variant<core::BoilerCase, FieldError> derive_case(const FormInput& input,
                                                       const QString& identity,
                                                       const QLocale& locale) {
  if (std::optional<FieldError> missing = missing_component(input)) {
    return *missing;
  }
  if (const std::optional<QString> refusal = identity_refusal(identity)) {
    return field_error(QStringLiteral("utdatafil"), *refusal);
  }
  Faults faults;
  core::BoilerCase derived = derive(input, locale, faults);
  if (!faults.errors().empty()) {
    return faults.errors().front();
  }
  derived.identity = core::CalcIdentity(identity.toStdString());
  return derived;
}

FieldErrors input_faults(const FormInput& input, const QLocale& locale) {
  if (std::optional<FieldError> missing = missing_component(input)) {
    return {*missing};
  }
  // Each needed field read on its own first: a step of the derivation stops at the first of
  // its fields that cannot be read.
  Faults faults;
  const Derivation derivation(input, locale);
  for (TextField field : needed_fields(input)) {
    faults.attempt([&] { return derivation.number(field); });
  }
  derive(input, locale, faults);
  FieldErrors errors = faults.errors();
  std::stable_sort(errors.begin(), errors.end(), [](const FieldError& a, const FieldError& b) {
    return form_position(a.field) < form_position(b.field);
  });
  return errors;
}

std::optional<FileError> write_control_file(const QString& folder, const core::BoilerCase& input) {
  const QString path = QDir(folder).filePath(control_file_name());
  const std::string text = core::control_file_text(input);
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  if (const std::optional<QString> reason = save_whole_file(path, bytes)) {
    return FileError{QCoreApplication::translate("FormCase", "Styrfilen %1 kunde inte skrivas: %2")
                         .arg(QDir::toNativeSeparators(path), *reason)};
  }
  return std::nullopt;
}

}  // namespace varmkalk
