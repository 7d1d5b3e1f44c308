#pragma once

#include <QString>

#include <array>

namespace varmkalk {

// The four component choices of the input form; none is chosen when the form opens.
enum class Burner { Unchosen, SingleStage, Modulating };        // enstegbr, modbr
enum class HotWaterHeater { Unchosen, Yes, No };                // vvja, vvnej
enum class ConvectionSource { Unchosen, Constant, KnownLoss };  // konvkonstant, konveffekt
enum class StandbySource { Unchosen, Constants, KnownLosses };  // sbkonst, sbeff

// The three preset choices; the form opens with the one marked.
enum class HeatingSystem { System8060, System5545 };  // framretur8060, framretur5545 (preset)
enum class MinReturnTemp { C65, C35, Indoor };        // Sextiofem, Trettiofem (preset), Tjugo
enum class Climate { Malmo, Jonkoping, Stockholm, Falun, Ostersund, Kiruna };  // Malmö preset

// Everything the user has entered on the input form, as plain values: the state of its option
// groups and the text of its 26 fields exactly as typed. The form's widgets fill it; validation
// and the control file writer read it.
struct FormInput {
  Burner burner = Burner::Unchosen;
  HotWaterHeater hot_water_heater = HotWaterHeater::Unchosen;
  ConvectionSource convection_source = ConvectionSource::Unchosen;
  StandbySource standby_source = StandbySource::Unchosen;
  HeatingSystem heating_system = HeatingSystem::System5545;
  MinReturnTemp min_return_temp = MinReturnTemp::C35;
  Climate climate = Climate::Malmo;

  QString enstegeff, enstegluft;             // single-stage burner: kW, % excess air
  QString modmax, modmin, modluft;           // modulating burner: kW, kW, % excess air
  QString pilotflamma = QStringLiteral("0");  // W
  QString vvbehov, Text5;                    // hot water: kWh per year, heater loss kWh per day
  QString konvkonst, konveff, konvtemp;      // convection: constant, or W at a temperature difference
  QString sbkonstant, sbexponent;            // standby: C1 and C2
  QString sbtemp1, sbeff1, sbtemp2, sbeff2;  // standby: two known losses
  QString TempH, FramH, ReturH;              // flue gas, case 2 (high): flue gas, supply, return °C
  QString TempL, FramL, ReturL;              // flue gas, case 1 (low)
  QString huseff;                            // kW at the design outdoor temperature
  QString intemp = QStringLiteral("20");     // °C
  QString cirkpump = QStringLiteral("65");   // W
};

// The 26 text fields by their control names, so that the form can move texts and colours
// between its widgets and a FormInput without naming each field twice.
struct FormField {
  const char* name;
  QString FormInput::*text;
};

inline constexpr std::array<FormField, 26> kFormFields{{
    {"enstegeff", &FormInput::enstegeff},   {"enstegluft", &FormInput::enstegluft},
    {"modmax", &FormInput::modmax},         {"modmin", &FormInput::modmin},
    {"modluft", &FormInput::modluft},       {"pilotflamma", &FormInput::pilotflamma},
    {"vvbehov", &FormInput::vvbehov},       {"Text5", &FormInput::Text5},
    {"konvkonst", &FormInput::konvkonst},   {"konveff", &FormInput::konveff},
    {"konvtemp", &FormInput::konvtemp},     {"sbkonstant", &FormInput::sbkonstant},
    {"sbexponent", &FormInput::sbexponent}, {"sbtemp1", &FormInput::sbtemp1},
    {"sbeff1", &FormInput::sbeff1},         {"sbtemp2", &FormInput::sbtemp2},
    {"sbeff2", &FormInput::sbeff2},         {"TempH", &FormInput::TempH},
    {"FramH", &FormInput::FramH},           {"ReturH", &FormInput::ReturH},
    {"TempL", &FormInput::TempL},           {"FramL", &FormInput::FramL},
    {"ReturL", &FormInput::ReturL},         {"huseff", &FormInput::huseff},
    {"intemp", &FormInput::intemp},         {"cirkpump", &FormInput::cirkpump},
}};

}  // namespace varmkalk
