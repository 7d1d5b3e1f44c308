#include "input_validation.h"

#include <initializer_list>

namespace varmkalk {

namespace {

int chosen_components(const FormInput& input) {
  return (input.burner != Burner::Unchosen ? 1 : 0) +
         (input.hot_water_heater != HotWaterHeater::Unchosen ? 1 : 0) +
         (input.convection_source != ConvectionSource::Unchosen ? 1 : 0) +
         (input.standby_source != StandbySource::Unchosen ? 1 : 0);
}

struct NamedText {
  const char* name;
  const QString& text;
};

void collect_empty(std::initializer_list<NamedText> fields, QStringList& missing) {
  for (const NamedText& field : fields) {
    if (field.text.isEmpty()) {
      missing.append(QString::fromLatin1(field.name));
    }
  }
}

}  // namespace

InputValidation validate_input(const FormInput& input) {
  constexpr int kComponentGroups = 4;
  InputValidation result;
  if (chosen_components(input) < kComponentGroups) {
    return result;
  }
  result.components_complete = true;
  QStringList& missing = result.missing_fields;

  if (input.burner == Burner::SingleStage) {
    collect_empty({{"enstegeff", input.enstegeff}, {"enstegluft", input.enstegluft}}, missing);
  } else {
    collect_empty({{"modmax", input.modmax}, {"modmin", input.modmin}, {"modluft", input.modluft}},
                  missing);
  }
  if (input.hot_water_heater == HotWaterHeater::Yes) {
    collect_empty({{"Text5", input.Text5}, {"vvbehov", input.vvbehov}}, missing);
  }
  if (input.convection_source == ConvectionSource::Constant) {
    collect_empty({{"konvkonst", input.konvkonst}}, missing);
  } else {
    collect_empty({{"konveff", input.konveff}, {"konvtemp", input.konvtemp}}, missing);
  }
  if (input.standby_source == StandbySource::Constants) {
    collect_empty({{"sbexponent", input.sbexponent}, {"sbkonstant", input.sbkonstant}}, missing);
  } else {
    collect_empty({{"sbeff1", input.sbeff1},
                   {"sbeff2", input.sbeff2},
                   {"sbtemp1", input.sbtemp1},
                   {"sbtemp2", input.sbtemp2}},
                  missing);
  }
  collect_empty({{"huseff", input.huseff},
                 {"intemp", input.intemp},
                 {"cirkpump", input.cirkpump},
                 {"pilotflamma", input.pilotflamma},
                 {"TempH", input.TempH},
                 {"TempL", input.TempL},
                 {"FramH", input.FramH},
                 {"FramL", input.FramL},
                 {"ReturH", input.ReturH},
                 {"ReturL", input.ReturL}},
                missing);
  return result;
}

}  // namespace varmkalk
