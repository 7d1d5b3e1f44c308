#include "control_file.h"

#include "calc_identity.h"
#include "decimal_filter.h"
#include "form_number.h"
#include "number_text.h"
#include "windows1252.h"

#include <QDir>
#include <QSaveFile>

#include <cfloat>
#include <cmath>

namespace varmkalk {

namespace {

constexpr double kWattsPerKilowatt = 1000.0;
// A loss of 1 W lasting a day is 0.024 kWh.
constexpr double kKilowattHoursPerDayPerWatt = 0.024;
constexpr double kAirRatioPerExcessAirPercent = 0.01;
// The convection loss grows with the temperature difference to the power 1.3.
constexpr double kConvectionExponent = 1.3;
// Share of the circulation pump's electric power that heats the water, per cent.
constexpr double kPumpEfficiency = 75.0;
constexpr double kMinReturnTemp35 = 35.0;
constexpr double kMinReturnTemp65 = 65.0;

using TextField = QString FormInput::*;

QString field_name(TextField field) {
  for (const FormField& form_field : kFormFields) {
    if (form_field.text == field) {
      return QString::fromLatin1(form_field.name);
    }
  }
  return {};
}

QString quoted_label(const QString& field) {
  return QLatin1Char('"') + field_label(field) + QLatin1Char('"');
}

// A typed text as a message quotes it: control characters shown as '?', and a long text cut
// short, so that the message box keeps its advice on the screen.
QString quoted_text(const QString& text) {
  constexpr qsizetype kShownCharacters = 24;
  QString shown = text.trimmed();
  for (QChar& character : shown) {
    if (character.category() == QChar::Other_Control) {
      character = QLatin1Char('?');
    }
  }
  if (shown.size() > kShownCharacters) {
    qsizetype cut = kShownCharacters;
    if (shown.at(cut - 1).isHighSurrogate()) {
      --cut;
    }
    shown = shown.left(cut) + QChar(0x2026);
  }
  return QLatin1Char('"') + shown + QLatin1Char('"');
}

// The engine keeps its numbers as 32-bit floats: larger magnitudes would become infinite.
bool in_engine_range(double value) {
  return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

// source names the field the value comes from.
void check_range(double value, TextField source) {
  if (!in_engine_range(value)) {
    const QString name = field_name(source);
    throw field_error(name, QStringLiteral("Värdet i fältet %1 ger ett tal som är för stort "
                                           "för beräkningen.")
                                .arg(quoted_label(name)));
  }
}

// Every number line goes through the decimal filter, so the file carries a point as its decimal
// separator whatever produced the text.
QString number_line_text(double value, int max_digits) {
  return Decimalfilter(number_text(value, max_digits));
}

QString number_line(double value, TextField source) {
  check_range(value, source);
  return number_line_text(value, kDoubleDigits);
}

float float_value(double value, TextField source) {
  check_range(value, source);
  return static_cast<float>(value);
}

struct StandbyLoss {
  double constant = 0.0;
  float exponent = 0.0F;
};

// Reads the form's numbers and derives the control file's values; the first failure is thrown
// as the FieldError that derive_control_file returns.
class Derivation {
 public:
  Derivation(const FormInput& input, const QLocale& locale) : input_(input), locale_(locale) {}

  // N(f): the number typed in a field.
  double number(TextField field) const {
    const QString& text = input_.*field;
    if (const std::optional<double> value = read_form_number(text, locale_)) {
      return *value;
    }
    const QString name = field_name(field);
    if (text.trimmed().isEmpty()) {
      throw field_error(
          name, QStringLiteral("Fältet %1 är tomt. Skriv ett tal.").arg(quoted_label(name)));
    }
    if (is_out_of_range_number(text, locale_)) {
      throw field_error(name, QStringLiteral("Fältet %1 innehåller %2, ett tal som är för stort "
                                             "eller för nära noll för beräkningen.")
                                  .arg(quoted_label(name), quoted_text(text)));
    }
    throw field_error(name, QStringLiteral("Fältet %1 innehåller %2, som inte är ett tal. "
                                           "Skriv talet med %3, till exempel %4.")
                                .arg(quoted_label(name), quoted_text(text),
                                     decimal_separator_name(locale_), locale_.toString(12.5)));
  }

  double positive(TextField field, const QString& reason) const {
    const double value = number(field);
    if (value <= 0.0) {
      const QString name = field_name(field);
      throw field_error(name, QStringLiteral("Värdet i fältet %1 måste vara större än 0 %2.")
                                  .arg(quoted_label(name), reason));
    }
    return value;
  }

  QString field_line(TextField field) const { return number_line(number(field), field); }

  double convection_constant() const {
    if (input_.convection_source == ConvectionSource::Constant) {
      return number(&FormInput::konvkonst);
    }
    const double loss = number(&FormInput::konveff);
    const double temp_difference =
        positive(&FormInput::konvtemp, QStringLiteral("för att konstanten ska kunna beräknas"));
    const double constant = loss / std::pow(temp_difference, kConvectionExponent);
    if (!in_engine_range(constant)) {
      // A large loss or a tiny temperature difference: the message names both.
      throw field_error(QStringLiteral("konveff"),
                        QStringLiteral("Konvektionskonstanten, beräknad ur fälten %1 och %2, blir "
                                       "för stor för beräkningen.")
                            .arg(quoted_label(QStringLiteral("konveff")),
                                 quoted_label(QStringLiteral("konvtemp"))));
    }
    return constant;
  }

  StandbyLoss standby_loss(double indoor_temp) const {
    if (input_.standby_source == StandbySource::Constants) {
      return {number(&FormInput::sbkonstant),
              float_value(number(&FormInput::sbexponent), &FormInput::sbexponent)};
    }
    return two_point_fit(indoor_temp);
  }

  double burner_max_power() const { return number(burner_power_field()) * kWattsPerKilowatt; }

  float burner_min_power(double max_power) const {
    if (single_stage()) {
      return float_value(max_power, &FormInput::enstegeff);
    }
    return float_value(number(&FormInput::modmin) * kWattsPerKilowatt, &FormInput::modmin);
  }

  TextField burner_power_field() const {
    return single_stage() ? &FormInput::enstegeff : &FormInput::modmax;
  }

  TextField excess_air_field() const {
    return single_stage() ? &FormInput::enstegluft : &FormInput::modluft;
  }

 private:
  bool single_stage() const { return input_.burner == Burner::SingleStage; }

  // Q = C1 × T^C2 through both known losses; T is the mean of the temperature difference and
  // the indoor temperature.
  StandbyLoss two_point_fit(double indoor_temp) const {
    const QString reason = QStringLiteral("för att konstanterna ska kunna beräknas");
    const double loss_1 = positive(&FormInput::sbeff1, reason);
    const double loss_2 = positive(&FormInput::sbeff2, reason);
    const double temp_1 = mean_temp(&FormInput::sbtemp1, indoor_temp);
    const double temp_2 = mean_temp(&FormInput::sbtemp2, indoor_temp);
    const double log_temp_ratio = std::log(temp_2 / temp_1);
    if (log_temp_ratio == 0.0) {
      throw field_error(QStringLiteral("sbtemp2"),
                        QStringLiteral("Temperaturskillnaderna i Fall 1 och Fall 2 är lika. "
                                       "Ange två olika temperaturskillnader."));
    }
    const double log_loss_ratio = std::log(loss_2 / loss_1);
    if (log_loss_ratio == 0.0) {
      throw field_error(QStringLiteral("sbeff2"),
                        QStringLiteral("Effekterna i Fall 1 och Fall 2 är lika. "
                                       "Ange två olika effekter."));
    }
    const double exponent = log_loss_ratio / log_temp_ratio;
    StandbyLoss fit;
    // With the exponent's 64-bit value, so that the law passes through the second point.
    fit.constant = loss_2 / std::pow(temp_2, exponent);
    if (!in_engine_range(exponent) || !in_engine_range(fit.constant)) {
      // Every value of both cases takes part in the fit: the message points to all of them.
      throw field_error(QStringLiteral("sbeff2"),
                        QStringLiteral("Stilleståndsförlustens konstanter, beräknade ur "
                                       "temperaturskillnaderna och effekterna i Fall 1 och "
                                       "Fall 2, blir för stora för beräkningen. Kontrollera "
                                       "de fyra värdena."));
    }
    fit.exponent = static_cast<float>(exponent);
    return fit;
  }

  double mean_temp(TextField temp_difference, double indoor_temp) const {
    const double temp = (number(temp_difference) + indoor_temp) / 2;
    if (!(temp > 0.0)) {
      const QString name = field_name(temp_difference);
      throw field_error(name, QStringLiteral("Medelvärdet av temperaturskillnaden i fältet %1 "
                                             "och inomhustemperaturen måste vara större än 0 "
                                             "för att konstanterna ska kunna beräknas.")
                                  .arg(quoted_label(name)));
    }
    return temp;
  }

  const FormInput& input_;
  const QLocale& locale_;
};

void require_components(const FormInput& input) {
  const QString message = QStringLiteral("Alla komponenter är inte valda.");
  if (input.burner == Burner::Unchosen) {
    throw field_error(QStringLiteral("burntype"), message);
  }
  if (input.hot_water_heater == HotWaterHeater::Unchosen) {
    throw field_error(QStringLiteral("vvber"), message);
  }
  if (input.convection_source == ConvectionSource::Unchosen) {
    throw field_error(QStringLiteral("konvtyp"), message);
  }
  if (input.standby_source == StandbySource::Unchosen) {
    throw field_error(QStringLiteral("Frame1"), message);
  }
}

QString climate_code(Climate climate) {
  switch (climate) {
    case Climate::Malmo:
      return QStringLiteral("A");
    case Climate::Jonkoping:
      return QStringLiteral("B");
    case Climate::Stockholm:
      return QStringLiteral("C");
    case Climate::Falun:
      return QStringLiteral("D");
    case Climate::Ostersund:
      return QStringLiteral("E");
    case Climate::Kiruna:
      break;
  }
  return QStringLiteral("F");
}

QString heating_system_code(HeatingSystem system) {
  return system == HeatingSystem::System8060 ? QStringLiteral("A") : QStringLiteral("B");
}

ControlFileLines derive_lines(const FormInput& input, const QString& identity,
                              const QLocale& locale) {
  require_components(input);
  if (const std::optional<QString> refusal = identity_refusal(identity)) {
    throw field_error(QStringLiteral("utdatafil"), *refusal);
  }
  const Derivation derivation(input, locale);

  const QString convection_line =
      number_line(derivation.convection_constant(),
                  input.convection_source == ConvectionSource::Constant ? &FormInput::konvkonst
                                                                        : &FormInput::konveff);
  const double indoor_temp = derivation.number(&FormInput::intemp);
  const StandbyLoss standby = derivation.standby_loss(indoor_temp);
  const TextField standby_source = input.standby_source == StandbySource::Constants
                                       ? &FormInput::sbkonstant
                                       : &FormInput::sbeff2;
  const double burner_max_power = derivation.burner_max_power();
  const float burner_min_power = derivation.burner_min_power(burner_max_power);
  const double air_ratio =
      1.0 + kAirRatioPerExcessAirPercent * derivation.number(derivation.excess_air_field());

  double min_return_temp = kMinReturnTemp65;
  if (input.min_return_temp == MinReturnTemp::Indoor) {
    min_return_temp = indoor_temp;
  } else if (input.min_return_temp == MinReturnTemp::C35) {
    min_return_temp = kMinReturnTemp35;
  }

  QString hot_water_demand_line = number_line_text(0.0, kDoubleDigits);
  QString heater_loss_line = hot_water_demand_line;
  if (input.hot_water_heater == HotWaterHeater::Yes) {
    hot_water_demand_line = derivation.field_line(&FormInput::vvbehov);
    heater_loss_line = number_line(
        derivation.number(&FormInput::Text5) / kKilowattHoursPerDayPerWatt, &FormInput::Text5);
  }

  return {
      convection_line,
      number_line(standby.constant, standby_source),
      number_line_text(standby.exponent, kFloatDigits),
      number_line(burner_max_power, derivation.burner_power_field()),
      number_line_text(burner_min_power, kFloatDigits),
      number_line(air_ratio, derivation.excess_air_field()),
      derivation.field_line(&FormInput::pilotflamma),
      derivation.field_line(&FormInput::TempL),
      derivation.field_line(&FormInput::FramL),
      derivation.field_line(&FormInput::ReturL),
      derivation.field_line(&FormInput::TempH),
      derivation.field_line(&FormInput::FramH),
      derivation.field_line(&FormInput::ReturH),
      derivation.field_line(&FormInput::cirkpump),
      number_line_text(kPumpEfficiency, kDoubleDigits),
      number_line(derivation.number(&FormInput::huseff) * kWattsPerKilowatt, &FormInput::huseff),
      climate_code(input.climate),
      heating_system_code(input.heating_system),
      number_line(indoor_temp, &FormInput::intemp),
      number_line(min_return_temp, &FormInput::intemp),
      hot_water_demand_line,
      heater_loss_line,
      identity,
  };
}

}  // namespace

std::variant<ControlFileLines, FieldError> derive_control_file(const FormInput& input,
                                                               const QString& identity,
                                                               const QLocale& locale) {
  try {
    return derive_lines(input, identity, locale);
  } catch (const FieldError& error) {
    return error;
  }
}

std::optional<FileError> write_control_file(const QString& folder, const ControlFileLines& lines) {
  const QString path = QDir(folder).filePath(QLatin1String(kControlFileName));
  QByteArray bytes;
  for (const QString& line : lines) {
    const std::optional<QByteArray> encoded = encode_windows1252(line);
    if (!encoded) {
      return FileError{QStringLiteral("Raden \"%1\" innehåller tecken som inte kan skrivas i "
                                      "styrfilen %2.")
                           .arg(line, QDir::toNativeSeparators(path))};
    }
    bytes += *encoded + "\r\n";
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    return FileError{QStringLiteral("Styrfilen %1 kunde inte skrivas: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString())};
  }
  return std::nullopt;
}

}  // namespace varmkalk
