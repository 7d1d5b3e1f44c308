// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/form/refused_fields.h"

#include "core/model/model_input_error.h"
#include "core/model/start_model.h"
#include "frontend/controls/control_names.h"
#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_case.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>
#include <variant>

namespace varmkalk {

namespace {

// A phrase of the model's messages and the fields that hold its quantity, by the form's choices.
struct Quantity {
  const char* phrase;  // lower case
  QStringList (*fields)(const FormInput& input);
};

QStringList named(std::initializer_list<const char*> names) {
  QStringList fields;
  for (const char* name : names) {
    fields += QString::fromLatin1(name);
  }
  return fields;
}

bool single_stage(const FormInput& input) {
  return input.burner == Burner::SingleStage;
}

const Quantity kQuantities[] = {
    {"avgastemperaturen i fall 1", [](const FormInput&) { return named({"TempL"}); }},
    {"avgastemperaturen i fall 2", [](const FormInput&) { return named({"TempH"}); }},
    {"avgastemperaturerna",
     [](const FormInput&) {
       return named({"TempL", "TempH"});
     }},
    {"framledningstemperaturen i fall 1", [](const FormInput&) { return named({"FramL"}); }},
    {"framledningstemperaturen i fall 2", [](const FormInput&) { return named({"FramH"}); }},
    {"returtemperaturen i fall 1", [](const FormInput&) { return named({"ReturL"}); }},
    {"returtemperaturen i fall 2", [](const FormInput&) { return named({"ReturH"}); }},
    {"returtemperaturen är",
     [](const FormInput&) {
       return named({"ReturL", "ReturH"});
     }},
    {"brännarens maxeffekt",
     [](const FormInput& input) { return named({single_stage(input) ? "enstegeff" : "modmax"}); }},
    {"brännarens mineffekt",
     [](const FormInput& input) { return single_stage(input) ? named({}) : named({"modmin"}); }},
    {"lufttalet",
     [](const FormInput& input) {
       return named({single_stage(input) ? "enstegluft" : "modluft"});
     }},
    {"pilotlågeeffekten", [](const FormInput&) { return named({"pilotflamma"}); }},
    {"konstanten för konvektionsförlusterna",
     [](const FormInput& input) {
       return input.convection_source == ConvectionSource::Constant
                  ? named({"konvkonst"})
                  : named({"konveff", "konvtemp"});
     }},
    {"konstanten för stilleståndsförlusterna",
     [](const FormInput& input) {
       return input.standby_source == StandbySource::Constants ? named({"sbkonstant"})
                                                               : named({"sbeff1", "sbeff2"});
     }},
    {"exponenten för stilleståndsförlusterna",
     [](const FormInput& input) {
       return input.standby_source == StandbySource::Constants
                  ? named({"sbexponent"})
                  : named({"sbeff1", "sbeff2", "sbtemp1", "sbtemp2"});
     }},
    {"cirkulationspumpens eleffekt", [](const FormInput&) { return named({"cirkpump"}); }},
    {"byggnadens uppvärmningsbehov", [](const FormInput&) { return named({"huseff"}); }},
    {"inomhustemperaturen", [](const FormInput&) { return named({"intemp"}); }},
    {"det årliga varmvattenbehovet", [](const FormInput&) { return named({"vvbehov"}); }},
    {"beredarförlusten", [](const FormInput&) { return named({control::input::kHeaterLoss}); }},
    // The lettered systems' design temperatures are no fields; typed ones are.
    {"dimensionerande framledningstemperatur",
     [](const FormInput& input) {
       return input.own_design_temps ? named({"framdim"}) : named({});
     }},
    {"dimensionerande returtemperatur",
     [](const FormInput& input) {
       return input.own_design_temps ? named({"returdim"}) : named({});
     }},
    // A place's design temperature is no field; an own climate file's is.
    {"dimensionerande utetemperatur",
     [](const FormInput& input) { return input.own_climate ? named({"dut"}) : named({}); }},
};

}  // namespace

std::optional<CaseRefusal> case_refusal(const FormInput& input, const QLocale& locale) {
  const auto derived = derive_case(input, QStringLiteral("x"), locale);
  const auto* case_input = std::get_if<core::BoilerCase>(&derived);
  if (case_input == nullptr) {
    return std::nullopt;
  }
  try {
    core::start_model(*case_input, core::design_conditions(*case_input));
  } catch (const core::ModelInputError& refusal) {
    const QString message = QString::fromStdString(refusal.what());
    return CaseRefusal{message, refused_fields(input, message)};
  }
  return std::nullopt;
}

QStringList refused_fields(const FormInput& input, const QString& message) {
  const QString lower = message.toLower();
  // By where the message names each quantity, the subject first.
  QList<std::pair<qsizetype, QStringList>> found;
  for (const Quantity& quantity : kQuantities) {
    const qsizetype at = lower.indexOf(QString::fromUtf8(quantity.phrase));
    if (at >= 0) {
      found.append({at, quantity.fields(input)});
    }
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  QStringList fields;
  for (const auto& [at, names] : found) {
    for (const QString& name : names) {
      if (!fields.contains(name)) {
        fields += name;
      }
    }
  }
  return fields;
}

QString correction_text(const QString& identity, const CaseRefusal& refusal) {
  QString text =
      QCoreApplication::translate("RefusedFields", "Beräkningsprogrammet kunde inte räkna %1: %2")
          .arg(identity, refusal.message);
  if (refusal.fields.isEmpty()) {
    return text;
  }
  QStringList labels;
  for (const QString& field : refusal.fields) {
    labels += QLatin1Char('"') + field_label(field) + QLatin1Char('"');
  }
  const QString listed =
      labels.size() == 1
          ? labels.front()
          : QCoreApplication::translate("RefusedFields", "%1 och %2")
                .arg(labels.mid(0, labels.size() - 1).join(QStringLiteral(", ")), labels.back());
  text +=
      QStringLiteral("\n\n") +
      (labels.size() == 1
           ? QCoreApplication::translate("RefusedFields", "Rätta fältet %1, markerat med gult.")
           : QCoreApplication::translate("RefusedFields", "Rätta fälten %1, markerade med gult."))
          .arg(listed);
  return text;
}

}  // namespace varmkalk
