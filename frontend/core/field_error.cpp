#include "field_error.h"

#include <array>
#include <utility>

namespace varmkalk {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 31> kLabels{{
    {"enstegeff", "Brännareffekt (kW)"},
    {"enstegluft", "Luftöverskott (%)"},
    {"modmax", "Maxeffekt (kW)"},
    {"modmin", "Mineffekt (kW)"},
    {"modluft", "Luftöverskott (%)"},
    {"pilotflamma", "Pilotflamma (W)"},
    {"vvbehov", "Årligt varmvattenbehov (kWh)"},
    {"Text5", "Beredarens värmeförlust (kWh/dag)"},
    {"konvkonst", "Konstant, Konvektionsförlust"},
    {"konveff", "Effekt (W), Konvektionsförlust"},
    {"konvtemp", "Temp.skillnad panna-rum (°C)"},
    {"sbkonstant", "Konstant, Stilleståndsförlust"},
    {"sbexponent", "Exponent, Stilleståndsförlust"},
    {"sbtemp1", "Temp- skillnad (°C), Fall 1 (låg temp)"},
    {"sbeff1", "Effekt (W), Fall 1 (låg temp)"},
    {"sbtemp2", "Temp- skillnad (°C), Fall 2 (hög temp)"},
    {"sbeff2", "Effekt (W), Fall 2 (hög temp)"},
    {"TempH", "Temp (°C), Hög"},
    {"FramH", "Fram (°C), Hög"},
    {"ReturH", "Retur (°C), Hög"},
    {"TempL", "Temp (°C), Låg"},
    {"FramL", "Fram (°C), Låg"},
    {"ReturL", "Retur (°C), Låg"},
    {"huseff", "Husets maximala uppvärmningsbehov (kW)"},
    {"intemp", "Inomhustemperatur (°C)"},
    {"cirkpump", "Cirkulationspumpens eleffekt (W)"},
    {"utdatafil", "Beräkningens identitet (4 tecken)"},
    {"burntype", "Brännartyp"},
    {"vvber", "Varmvattenberedare?"},
    {"konvtyp", "Konvektionsförlust, källa"},
    {"Frame1", "Stilleståndsförlust, källa"},
}};

}  // namespace

QString field_label(const QString& field) {
  for (const auto& [name, label] : kLabels) {
    if (field == QLatin1String(name)) {
      return QString::fromUtf8(label);
    }
  }
  return {};
}

FieldError field_error(const QString& field, const QString& message) {
  return {field, field_label(field), message};
}

}  // namespace varmkalk
