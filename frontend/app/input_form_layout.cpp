// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the input form at their design places, in twips of the form's client area.

#include "frontend/app/fonts.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/input_form.h"
#include "frontend/app/shapes.h"
#include "frontend/controls/control_names.h"
#include "frontend/help/twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace varmkalk {

namespace {

const QColor kPanelBlue{192, 192, 255};
const QColor kNoticeOrange{255, 192, 128};
const QColor kBoilerBrown{192, 64, 0};
const QColor kSupplyRed{255, 0, 0};
const QColor kReturnBlue{0, 0, 255};

constexpr int kFieldHeight = 285;
constexpr int kLabelHeight = 225;
constexpr int kHelpWidth = 615;
constexpr int kHelpHeight = 285;
constexpr int kLinePenWidth = 2;

QLabel* add_heading(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
  QLabel* heading = add_label(parent, name, text, geometry);
  set_bold(heading);
  return heading;
}

QPushButton* add_help_button(QWidget* parent, const char* name, int left, int top) {
  return add_button(parent, name, QCoreApplication::translate("InputForm", "Hjälp"),
                    twips_rect(left, top, kHelpWidth, kHelpHeight));
}

// The label the form shows beside the field.
QString shown_label(const char* field) {
  return QString::fromUtf8(form_field(field).shown);
}

// A field with its label above it, both at `left`; the label starts at `top`. Labels are
// transparent, so a label wider than its text hides nothing.
void add_labelled_field(QWidget* parent, const char* name, const char* label_name, int left,
                        int top, int width) {
  constexpr int kLabelWidth = 2535;
  add_label(parent, label_name, shown_label(name),
            twips_rect(left, top, kLabelWidth, kLabelHeight));
  add_field(parent, name, twips_rect(left, top + kLabelHeight, width, kFieldHeight));
}

struct Option {
  const char* name;
  const char* caption;
};

template <std::size_t N>
void add_options(QGroupBox* frame, const std::array<Option, N>& options, int width) {
  constexpr int kFirstTop = 300;
  constexpr int kStep = 330;
  int top = kFirstTop;
  for (const Option& entry : options) {
    add_option(frame, entry.name, QString::fromUtf8(entry.caption),
               twips_rect(120, top, width - 240, 255));
    top += kStep;
  }
}

}  // namespace

void InputForm::build_top_row() {
  add_button(this, control::input::kInputWordsHelp,
             QCoreApplication::translate("InputForm", "Några ord om inmatningen"),
             twips_rect(120, 60, 2535, 495));
  QLabel* comma =
      add_heading(this, "decimalkomma_notice",
                  QCoreApplication::translate("InputForm", "OBS - Svensk Windows - decimalkomma"),
                  twips_rect(2880, 60, 4095, 240));
  set_background(comma, kNoticeOrange);
  QLabel* point = add_heading(
      this, "decimalpunkt_notice",
      QCoreApplication::translate("InputForm", "       - Engelsk Windows - decimalpunkt"),
      twips_rect(2880, 300, 4095, 240));
  set_background(point, kNoticeOrange);
  add_button(this, "returtillstart",
             QCoreApplication::translate("InputForm", "Tillbaka till startmenyn"),
             twips_rect(7320, 60, 2535, 495));
  add_button(this, control::input::kDone, tr("&Indata färdigt"), twips_rect(10200, 60, 2535, 495));
}

void InputForm::build_component_band() {
  auto* panel = new ShapeWidget(kPanelBlue, this);
  panel->setObjectName(QStringLiteral("component_panel"));
  panel->setGeometry(twips_rect(120, 660, 12615, 1575));

  struct Section {
    int left;
    int width;
    const char* heading_name;
    const char* heading;
    const char* help_name;
    const char* frame_name;
    const char* frame_caption;
    std::array<Option, 2> options;
  };
  const std::array<Section, 4> sections{{
      {480,
       2535,
       "brannare_heading",
       "BRÄNNARE",
       control::input::kBurnerHelp,
       "burntype",
       "Brännartyp",
       {{{"enstegbr", "Enstegsbrännare"}, {"modbr", "Modulerande brännare"}}}},
      {3360,
       2880,
       "varmvatten_heading",
       "VARMVATTENBEREDARE",
       "Helpvv",
       "vvber",
       "Varmvattenberedare?",
       {{{"vvja", "Ja"}, {"vvnej", "Nej"}}}},
      {6300,
       2985,
       "konvektion_heading",
       "KONVEKTIONSFÖRLUST",
       "Helpkonvforl",
       "konvtyp",
       "Konvektionsförlust, källa",
       {{{"konvkonstant", "Konstant känd"}, {"konveffekt", "Konvektionsförlusten känd"}}}},
      {9600,
       2985,
       "stillestand_heading",
       "STILLESTÅNDSFÖRLUST",
       control::input::kStandbyHelp,
       control::input::kStandbySource,
       "Stilleståndsförlust, källa",
       {{{"sbkonst", "Konstanter kända"}, {"sbeff", "Stilleståndsförlusten känd"}}}},
  }};
  for (const Section& section : sections) {
    QLabel* heading = add_heading(this, section.heading_name, QString::fromUtf8(section.heading),
                                  twips_rect(section.left, 765, section.width - kHelpWidth, 240));
    set_background(heading, kPanelBlue);
    add_help_button(this, section.help_name, section.left + section.width - kHelpWidth, 720);
    QGroupBox* frame = add_frame(this, section.frame_name, QString::fromUtf8(section.frame_caption),
                                 twips_rect(section.left, 1080, section.width, 1035));
    set_background(frame, kPanelBlue);
    add_options(frame, section.options, section.width);
  }

  auto* band_line =
      new LineWidget(QPoint(twips(0), twips(2280)), QPoint(twips(12825), twips(2280)), 1, this);
  band_line->setObjectName(QStringLiteral("component_line"));
}

void InputForm::build_flue_gas() {
  add_heading(this, "avgas_heading", QCoreApplication::translate("InputForm", "Avgastemperatur"),
              twips_rect(3480, 2355, 1800, 240));
  add_help_button(this, control::input::kFlueGasHelp, 5280, 2325);

  struct Column {
    int left;
    const char* heading_name;
    const char* heading;
    const char* high;
    const char* low;
    int max_length;
  };
  // A flue-gas temperature has at most three digits; the water temperatures have no limit.
  constexpr int kFlueGasTempLength = 3;
  constexpr int kNoLimit = 32767;
  const std::array<Column, 3> columns{{
      {3480, "avgas_temp_column", "Temp (°C)", "TempH", "TempL", kFlueGasTempLength},
      {4320, "avgas_fram_column", "Fram (°C)", "FramH", "FramL", kNoLimit},
      {5160, "avgas_retur_column", "Retur (°C)", "ReturH", "ReturL", kNoLimit},
  }};
  constexpr int kHighTop = 2880;
  constexpr int kLowTop = 3360;
  for (const Column& column : columns) {
    add_label(this, column.heading_name, QString::fromUtf8(column.heading),
              twips_rect(column.left, 2640, 900, kLabelHeight));
  }
  for (const Column& column : columns) {
    add_field(this, column.high, twips_rect(column.left, kHighTop, 735, kFieldHeight))
        ->setMaxLength(column.max_length);
  }
  for (const Column& column : columns) {
    add_field(this, column.low, twips_rect(column.left, kLowTop, 735, kFieldHeight))
        ->setMaxLength(column.max_length);
  }
  add_label(this, "avgas_hog_row", QCoreApplication::translate("InputForm", "Hög"),
            twips_rect(3000, kHighTop + 30, 450, kLabelHeight));
  add_label(this, "avgas_lag_row", QCoreApplication::translate("InputForm", "Låg"),
            twips_rect(3000, kLowTop + 30, 450, kLabelHeight));
}

void InputForm::build_boiler_sketch() {
  auto* body = new ShapeWidget(kBoilerBrown, this);
  body->setObjectName(QStringLiteral("boiler_body"));
  body->setGeometry(twips_rect(1920, 4440, 1695, 2535));
  auto* block = new ShapeWidget(kBoilerBrown, this);
  block->setObjectName(QStringLiteral("boiler_block"));
  block->setGeometry(twips_rect(3120, 3780, 495, 675));
  auto* supply = new ShapeWidget(kSupplyRed, this);
  supply->setObjectName(QStringLiteral("supply_bar"));
  supply->setGeometry(twips_rect(3600, 5940, 1200, 135));
  auto* back = new ShapeWidget(kReturnBlue, this);
  back->setObjectName(QStringLiteral("return_bar"));
  back->setGeometry(twips_rect(3600, 6600, 1200, 135));

  QLabel* name =
      add_heading(this, "boiler_label", QCoreApplication::translate("InputForm", "Gaspanna"),
                  twips_rect(1935, 4920, 1665, 240));
  name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void InputForm::build_convection() {
  add_heading(this, "konv_heading", QCoreApplication::translate("InputForm", "Konvektionsförlust"),
              twips_rect(585, 3375, 1815, 240));
  auto* line = new LineWidget(QPoint(twips(2400), twips(3495)), QPoint(twips(2760), twips(4440)),
                              kLinePenWidth, this);
  line->setObjectName(QStringLiteral("konv_line"));
  add_labelled_field(this, "konveff", "konveff_label", 585, 3660, 855);
  add_labelled_field(this, "konvkonst", "konvkonst_label", 1560, 3660, 855);
  QLabel* difference =
      add_label(this, "konvtemp_label", shown_label("konvtemp"), twips_rect(585, 4230, 1380, 435));
  difference->setWordWrap(true);
  add_field(this, "konvtemp", twips_rect(585, 4665, 855, kFieldHeight));
}

void InputForm::build_standby() {
  add_heading(this, "sb_heading", QCoreApplication::translate("InputForm", "Stilleståndsförlust"),
              twips_rect(4560, 3840, 1815, 240));
  auto* line = new LineWidget(QPoint(twips(3615), twips(4560)), QPoint(twips(4545), twips(3960)),
                              kLinePenWidth, this);
  line->setObjectName(QStringLiteral("sb_line"));

  add_label(this, "sbkonstant_label", shown_label("sbkonstant"),
            twips_rect(4560, 4230, 840, kLabelHeight));
  add_field(this, "sbkonstant", twips_rect(5400, 4200, 735, kFieldHeight));
  add_label(this, "sbexponent_label", shown_label("sbexponent"),
            twips_rect(4560, 4590, 840, kLabelHeight));
  add_field(this, "sbexponent", twips_rect(5400, 4560, 735, kFieldHeight));

  QLabel* temp_column = add_label(this, "sb_temp_column",
                                  QCoreApplication::translate("InputForm", "Temp- skillnad (°C)"),
                                  twips_rect(7800, 3750, 1035, 435));
  temp_column->setWordWrap(true);
  add_label(this, "sb_eff_column", QCoreApplication::translate("InputForm", "Effekt (W)"),
            twips_rect(8880, 3960, 900, kLabelHeight));
  add_label(this, "sb_fall1_label", QCoreApplication::translate("InputForm", "Fall 1 (låg temp)"),
            twips_rect(6360, 4230, 1440, kLabelHeight));
  add_label(this, "sb_fall2_label", QCoreApplication::translate("InputForm", "Fall 2 (hög temp)"),
            twips_rect(6360, 4590, 1440, kLabelHeight));
  add_field(this, "sbtemp1", twips_rect(7800, 4200, 855, kFieldHeight));
  add_field(this, "sbeff1", twips_rect(8880, 4200, 855, kFieldHeight));
  add_field(this, "sbtemp2", twips_rect(7800, 4560, 855, kFieldHeight));
  add_field(this, "sbeff2", twips_rect(8880, 4560, 855, kFieldHeight));
}

void InputForm::build_hot_water() {
  add_heading(this, "vv_heading", QCoreApplication::translate("InputForm", "Varmvattenberedare"),
              twips_rect(10230, 2445, 2055, 240));
  add_labelled_field(this, "vvbehov", "vvbehov_label", 10230, 2760, 1095);

  auto* panel = new ShapeWidget(kGrey, this);
  panel->setObjectName(QStringLiteral("vv_panel"));
  panel->setGeometry(twips_rect(10110, 3390, 2625, 945));
  QLabel* loss =
      add_label(this, control::input::kHeaterLossLabel, shown_label(control::input::kHeaterLoss),
                twips_rect(10170, 3435, 2505, 435));
  loss->setWordWrap(true);
  loss->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  set_background(loss, kGrey);
  add_field(this, control::input::kHeaterLoss, twips_rect(10875, 3945, 1095, kFieldHeight));
}

void InputForm::build_burner() {
  add_labelled_field(this, "enstegeff", "enstegeff_label", 360, 5880, 1095);
  add_labelled_field(this, "enstegluft", "enstegluft_label", 360, 6480, 1095);
  add_labelled_field(this, "pilotflamma", "pilotflamma_label", 360, 7080, 1095);
  add_labelled_field(this, "modmax", "modmax_label", 1920, 5880, 1095);
  add_labelled_field(this, "modmin", "modmin_label", 1920, 6480, 1095);
  add_labelled_field(this, "modluft", "modluft_label", 1920, 7080, 1095);
}

void InputForm::build_presets() {
  add_heading(this, "varmesystem_heading", QCoreApplication::translate("InputForm", "Värmesystem"),
              twips_rect(4800, 5490, 1335, 240));
  add_help_button(this, control::input::kHeatingSystemHelp, 6240, 5460);

  QGroupBox* system =
      add_frame(this, "varmesystem", QCoreApplication::translate("InputForm", "Systemtemperaturer"),
                twips_rect(4800, 5820, 2055, 1035));
  add_options(system,
              std::array<Option, 2>{{{"framretur8060", "80/60 °C"}, {"framretur5545", "55/45 °C"}}},
              2055);
  QGroupBox* lowest =
      add_frame(this, control::input::kMinReturnTemp,
                QCoreApplication::translate("InputForm", "Lägsta temperatur till pannan"),
                twips_rect(7020, 5820, 3255, 1335));
  add_options(
      lowest,
      std::array<Option, 3>{
          {{"Sextiofem", "65 °C"}, {"Trettiofem", "35 °C"}, {"Tjugo", "20 °C (Inomhustemp.)"}}},
      3255);
  QGroupBox* climate = add_frame(this, "Ort", QCoreApplication::translate("InputForm", "Klimat"),
                                 twips_rect(10500, 5820, 2235, 2355));
  add_options(climate,
              std::array<Option, 6>{{{"Malmö", "Malmö"},
                                     {"Jönköping", "Jönköping"},
                                     {"Stockholm", "Stockholm"},
                                     {"Falun", "Falun"},
                                     {"Östersund", "Östersund"},
                                     {"Kiruna", "Kiruna"}}},
              2235);
}

void InputForm::build_building() {
  struct Row {
    const char* name;
    const char* label_name;
    int top;
  };
  const std::array<Row, 3> rows{{
      {"huseff", "huseff_label", 7665},
      {"intemp", "intemp_label", 8085},
      {"cirkpump", "cirkpump_label", 8505},
  }};
  for (const Row& row : rows) {
    add_field(this, row.name, twips_rect(4800, row.top, 855, kFieldHeight));
    add_heading(this, row.label_name, shown_label(row.name),
                twips_rect(5760, row.top + 30, 4500, kLabelHeight));
  }
  add_button(this, "hamtaindata", QCoreApplication::translate("InputForm", "Hämta indata…"),
             twips_rect(360, 8310, 1875, 420));
}

}  // namespace varmkalk
