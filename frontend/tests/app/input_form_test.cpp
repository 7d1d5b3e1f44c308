// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/input_form.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/meter_dialog.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/field_error.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tuple>
#include <utility>

using varmkalk::InputForm;
using varmkalk::testing::FakePlatform;

namespace {

const QColor kWhite{255, 255, 255};
const QColor kYellow{255, 255, 0};

// The controls that the component choices show and hide; everything else is always visible.
const QStringList kSingleStage{"enstegeff", "enstegluft", "enstegeff_label", "enstegluft_label"};
const QStringList kModulating{"modmax",       "modmin",       "modluft",
                              "modmax_label", "modmin_label", "modluft_label"};
const QStringList kPilot{"pilotflamma", "pilotflamma_label"};
const QStringList kHotWater{"vvbehov",     "vvbehov_label", "Text5",
                            "Text5_label", "vv_panel",      "vv_heading"};
const QStringList kConvectionCommon{"konv_heading", "konv_line"};
const QStringList kConvectionConstant{"konvkonst", "konvkonst_label"};
const QStringList kConvectionLoss{"konveff", "konvtemp", "konveff_label", "konvtemp_label"};
const QStringList kStandbyCommon{"sb_heading", "sb_line"};
const QStringList kStandbyConstants{"sbkonstant", "sbexponent", "sbkonstant_label",
                                    "sbexponent_label"};
const QStringList kStandbyLosses{"sbtemp1",        "sbeff1",         "sbtemp2",
                                 "sbeff2",         "sb_fall1_label", "sb_fall2_label",
                                 "sb_temp_column", "sb_eff_column"};

QStringList all_switched() {
  return kSingleStage + kModulating + kPilot + kHotWater + kConvectionCommon + kConvectionConstant +
         kConvectionLoss + kStandbyCommon + kStandbyConstants + kStandbyLosses;
}

}  // namespace

class InputFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakePlatform> platform_;
  QPointer<InputForm> form_;
  int identity_openings_ = 0;

  template <typename Widget = QWidget>
  Widget* child(const QString& name) const {
    auto* widget = form_->findChild<Widget*>(name);
    if (widget == nullptr) {
      qFatal("no control %s", qPrintable(name));
    }
    return widget;
  }
  QLineEdit* field(const QString& name) const { return child<QLineEdit>(name); }
  void click(const QString& name) { varmkalk::testing::click_button(child<QAbstractButton>(name)); }
  void choose_all(const QStringList& options) {
    for (const QString& option : options) {
      click(option);
    }
  }
  void fill(const QStringList& names, const QString& text = QStringLiteral("1")) {
    for (const QString& name : names) {
      field(name)->setText(text);
    }
  }
  QStringList yellow_fields() const {
    QStringList names;
    for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
      const QColor colour = varmkalk::field_background(field(entry.name));
      if (colour == kYellow) {
        names.append(entry.name);
      } else if (colour != kWhite) {
        qFatal("field %s has neither white nor yellow background", entry.name);
      }
    }
    return names;
  }

 private slots:
  void init() {
    platform_ = std::make_unique<FakePlatform>();
    identity_openings_ = 0;
    form_ = new InputForm(
        *platform_, [this](InputForm&) { ++identity_openings_; }, nullptr);
    form_->show();
  }
  void cleanup() {
    delete form_.data();
    platform_.reset();
  }

  // "Kostnad och klimat…" starts from the session's previous values; "OK" takes the fields, or
  // marks and names a bad one and takes nothing; "Avbryt" keeps the values as they were.
  void cost_dialog_takes_its_fields_or_names_the_fault() {
    varmkalk::SessionCalculation previous{QStringLiteral("h1"), {}, QLocale::c()};
    previous.prices.fixed_fee_sek = 0.0;
    form_->set_previous_calculation(previous);
    const auto open = [this] {
      click(QStringLiteral("kostnadochklimat"));
      QDialog* dialog = platform_->last_modal();
      return std::pair{dialog, dialog->findChild<QDialogButtonBox*>()};
    };
    auto [dialog, buttons] = open();
    QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("fixed_fee_sek"))->text(),
             QStringLiteral("0"));
    auto* price = dialog->findChild<QLineEdit*>(QStringLiteral("gas_price_sek_per_kwh"));
    price->setText(QStringLiteral("1,5"));
    varmkalk::testing::click_button(buttons->button(QDialogButtonBox::Ok));
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QVERIFY(platform_->messages[0].text.contains(QStringLiteral("Gaspris, allt inräknat")));
    QCOMPARE(varmkalk::field_background(price), kYellow);
    QCOMPARE(form_->prices(), previous.prices);

    price->setText(QStringLiteral("1.5"));
    varmkalk::testing::click_button(buttons->button(QDialogButtonBox::Ok));
    varmkalk::core::CostInputs expected = previous.prices;
    expected.gas_price_sek_per_kwh = 1.5;
    QCOMPARE(form_->prices(), expected);

    std::tie(dialog, buttons) = open();
    dialog->findChild<QLineEdit*>(QStringLiteral("fixed_fee_sek"))->setText(QStringLiteral("9"));
    varmkalk::testing::click_button(buttons->button(QDialogButtonBox::Cancel));
    QCOMPARE(form_->prices(), expected);
  }

  void opens_with_design_defaults() {
    QCOMPARE(form_->objectName(), QStringLiteral("Inmatning"));
    QCOMPARE(form_->windowTitle(),
             QStringLiteral("VARMKALK - Inmatning av data om panna och värmesystem"));
    // The controls keep their places on a page of the form's size, whatever room the screen gives.
    QCOMPARE(child(QStringLiteral("Inmatning_sida"))->size(), varmkalk::twips_size(12825, 9150));
    QCOMPARE(form_->palette().color(QPalette::Window), QColor(128, 128, 255));
    for (const char* option : {"enstegbr", "modbr", "vvja", "vvnej", "konvkonstant", "konveffekt",
                               "sbkonst", "sbeff", "framretur8060", "Sextiofem", "Tjugo",
                               "Jönköping", "Stockholm", "Falun", "Östersund", "Kiruna"}) {
      QVERIFY2(!child<QRadioButton>(QString::fromUtf8(option))->isChecked(), option);
    }
    for (const char* option : {"framretur5545", "Trettiofem", "Malmö"}) {
      QVERIFY2(child<QRadioButton>(QString::fromUtf8(option))->isChecked(), option);
    }
    for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
      const QString expected = QString::fromLatin1(entry.name) == "pilotflamma" ? "0"
                               : QString::fromLatin1(entry.name) == "intemp"    ? "20"
                               : QString::fromLatin1(entry.name) == "cirkpump"  ? "65"
                                                                                : "";
      QCOMPARE(field(entry.name)->text(), expected);
      QCOMPARE(varmkalk::field_background(field(entry.name)), kWhite);
    }
    for (const QString& name : all_switched()) {
      QVERIFY2(child(name)->isHidden(), qPrintable(name));
    }
    for (const char* name :
         {"TempH",          "FramH",    "ReturH",   "TempL",       "FramL",
          "ReturL",         "huseff",   "intemp",   "cirkpump",    "Command1",
          "returtillstart", "Command4", "Command2", "Helpvv",      "Helpkonvforl",
          "Command5",       "Command6", "Command3", "boiler_body", "decimalkomma_notice"}) {
      QVERIFY2(child(QString::fromLatin1(name))->isVisible(), name);
    }
  }

  void component_choices_show_and_hide_fields_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("single stage") << QStringList{"enstegbr"} << kSingleStage + kPilot;
    QTest::newRow("modulating") << QStringList{"modbr"} << kModulating + kPilot;
    QTest::newRow("modulating then single stage")
        << QStringList{"modbr", "enstegbr"} << kSingleStage + kPilot;
    QTest::newRow("heater") << QStringList{"vvja"} << kHotWater;
    QTest::newRow("heater then none") << QStringList{"vvja", "vvnej"} << QStringList{};
    QTest::newRow("convection constant")
        << QStringList{"konvkonstant"} << kConvectionCommon + kConvectionConstant;
    QTest::newRow("convection constant then loss")
        << QStringList{"konvkonstant", "konveffekt"} << kConvectionCommon + kConvectionLoss;
    QTest::newRow("standby constants")
        << QStringList{"sbkonst"} << kStandbyCommon + kStandbyConstants;
    QTest::newRow("standby constants then losses")
        << QStringList{"sbkonst", "sbeff"} << kStandbyCommon + kStandbyLosses;
    QTest::newRow("presets change nothing")
        << QStringList{"Tjugo", "Sextiofem", "framretur8060", "Kiruna", "Östersund"}
        << QStringList{};
    QTest::newRow("all four, the second options")
        << QStringList{"modbr", "vvja", "konveffekt", "sbeff"}
        << kModulating + kPilot + kHotWater + kConvectionCommon + kConvectionLoss + kStandbyCommon +
               kStandbyLosses;
  }
  void component_choices_show_and_hide_fields() {
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, shown);
    choose_all(clicks);
    for (const QString& name : all_switched()) {
      QCOMPARE(QPair(name, child(name)->isVisible()), QPair(name, shown.contains(name)));
    }
  }

  void hidden_fields_keep_their_text() {
    click(QStringLiteral("modbr"));
    field(QStringLiteral("modmax"))->setText(QStringLiteral("24"));
    click(QStringLiteral("enstegbr"));
    QVERIFY(field(QStringLiteral("modmax"))->isHidden());
    QCOMPARE(field(QStringLiteral("modmax"))->text(), QStringLiteral("24"));
    click(QStringLiteral("modbr"));
    QVERIFY(field(QStringLiteral("modmax"))->isVisible());
    QCOMPARE(field(QStringLiteral("modmax"))->text(), QStringLiteral("24"));

    click(QStringLiteral("vvja"));
    field(QStringLiteral("Text5"))->setText(QStringLiteral("1,08"));
    click(QStringLiteral("vvnej"));
    QCOMPARE(form_->form_input().heater_loss_kwh_per_day, QStringLiteral("1,08"));
  }

  void incomplete_components_beep_and_tell() {
    choose_all({"enstegbr", "vvja", "konvkonstant"});
    fill({"huseff"}, QString());
    click(QStringLiteral("Command1"));
    QCOMPARE(platform_->events, (QStringList{"beep", "message System ej komplett"}));
    QCOMPARE(platform_->messages.at(0).text, QStringLiteral("Alla komponenter är inte valda"));
    QCOMPARE(platform_->messages.at(0).icon, varmkalk::MessageIcon::Exclamation);
    QCOMPARE(yellow_fields(), QStringList{});
    QCOMPARE(identity_openings_, 0);
  }

  // Every empty field and every bad number beside them at the first press: all marked, all
  // named after the fixed sentence.
  void missing_fields_turn_yellow_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("filled");
    QTest::addColumn<QStringList>("emptied");
    QTest::addColumn<QStringList>("not_numbers");
    QTest::addColumn<QStringList>("yellow");
    const QStringList flue_gas{"TempH", "FramH", "ReturH", "TempL", "FramL", "ReturL"};
    const QStringList constants{"enstegbr", "vvja", "konvkonstant", "sbkonst"};
    const QStringList constants_fields{"enstegeff", "enstegluft", "vvbehov",    "Text5",
                                       "konvkonst", "sbkonstant", "sbexponent", "huseff"};

    QTest::newRow("only the defaults")
        << constants << QStringList{} << QStringList{} << QStringList{}
        << QStringList{"enstegeff",  "enstegluft", "vvbehov", "Text5", "konvkonst",
                       "sbkonstant", "sbexponent", "TempH",   "FramH", "ReturH",
                       "TempL",      "FramL",      "ReturL",  "huseff"};
    QTest::newRow("pilot flame emptied")
        << constants << constants_fields + flue_gas << QStringList{"pilotflamma"} << QStringList{}
        << QStringList{"pilotflamma"};
    QTest::newRow("building defaults emptied")
        << constants << constants_fields + flue_gas << QStringList{"intemp", "cirkpump"}
        << QStringList{} << QStringList{"intemp", "cirkpump"};
    QTest::newRow("hidden modulating fields are not checked")
        << constants << constants_fields + QStringList{"TempH", "FramH", "ReturH"} << QStringList{}
        << QStringList{} << QStringList{"TempL", "FramL", "ReturL"};
    QTest::newRow("no heater, known losses")
        << QStringList{"modbr", "vvnej", "konveffekt", "sbeff"}
        << QStringList{"modmax", "modmin", "konveff", "sbtemp1", "sbeff1", "sbtemp2", "huseff"} +
               flue_gas
        << QStringList{} << QStringList{} << QStringList{"modluft", "konvtemp", "sbeff2"};
    QTest::newRow("one empty, two no numbers")
        << constants << constants_fields + flue_gas << QStringList{"huseff"}
        << QStringList{"enstegeff", "TempL"} << QStringList{"enstegeff", "TempL", "huseff"};
  }
  void missing_fields_turn_yellow() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, filled);
    QFETCH(QStringList, emptied);
    QFETCH(QStringList, not_numbers);
    QFETCH(QStringList, yellow);
    choose_all(options);
    fill(filled);
    fill(emptied, QString());
    fill(not_numbers, QStringLiteral("x"));
    click(QStringLiteral("Command1"));
    QCOMPARE(platform_->events, (QStringList{"beep", "message Data saknas"}));
    const QString text = platform_->messages.at(0).text;
    QVERIFY(text.startsWith(QStringLiteral("Alla nödvändiga fält är inte ifyllda\n\n")));
    for (const QString& name : yellow) {
      const QString label = QLatin1Char('"') + varmkalk::field_label(name) + QLatin1Char('"');
      QVERIFY2(text.count(label) == 1, qPrintable(name + QLatin1Char(' ') + text));
    }
    QCOMPARE(platform_->messages.at(0).icon, varmkalk::MessageIcon::Exclamation);
    yellow.sort();
    QStringList marked = yellow_fields();
    marked.sort();
    QCOMPARE(marked, yellow);
    QCOMPARE(identity_openings_, 0);
    QVERIFY(form_->isVisible());
  }

  void corrected_input_repaints_white_and_opens_identity_form() {
    choose_all({"enstegbr", "vvnej", "konvkonstant", "sbkonst"});
    click(QStringLiteral("Command1"));
    QVERIFY(yellow_fields().contains("huseff"));
    // A text of blanks counts as filled; that it is no number is told next.
    fill({"enstegeff", "enstegluft", "konvkonst", "sbkonstant", "sbexponent", "TempH", "FramH",
          "ReturH", "TempL", "FramL", "ReturL"});
    fill({"huseff"}, QStringLiteral(" "));
    platform_->events.clear();
    click(QStringLiteral("Command1"));
    QCOMPARE(yellow_fields(), QStringList{"huseff"});
    QCOMPARE(platform_->events, (QStringList{"beep", "message Felaktigt värde"}));

    QTest::keyClicks(field(QStringLiteral("huseff")), QStringLiteral("8"));
    QCOMPARE(yellow_fields(), QStringList{});
    platform_->events.clear();
    click(QStringLiteral("Command1"));
    QCOMPARE(platform_->events, QStringList{});
    QCOMPARE(identity_openings_, 1);
  }

  // Every bad number at once, before the identity: all marked, all named in one message with
  // their own wording. A field loses its mark as soon as it is edited.
  void every_bad_number_is_marked_and_named_at_once() {
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    platform_->user_locale = swedish;
    varmkalk::testing::fill_worked_example(*form_, swedish);
    field(QStringLiteral("enstegeff"))->setText(QStringLiteral("15.5"));
    field(QStringLiteral("huseff"))->setText(QStringLiteral("åtta"));
    field(QStringLiteral("cirkpump"))->setText(QStringLiteral("1E39"));
    click(QStringLiteral("Command1"));

    QCOMPARE(platform_->events, (QStringList{"beep", "message Felaktigt värde"}));
    const QString text = platform_->messages.front().text;
    for (const char* name : {"enstegeff", "huseff", "cirkpump"}) {
      const QString label = varmkalk::field_label(QString::fromLatin1(name));
      QVERIFY2(text.contains(QLatin1Char('"') + label + QLatin1Char('"')), qPrintable(text));
    }
    QVERIFY(text.contains(QStringLiteral("decimalkomma")));
    QCOMPARE(yellow_fields(), (QStringList{"enstegeff", "huseff", "cirkpump"}));
    QCOMPARE(identity_openings_, 0);

    field(QStringLiteral("huseff"))->selectAll();
    QTest::keyClicks(field(QStringLiteral("huseff")), QStringLiteral("8"));
    QCOMPARE(yellow_fields(), (QStringList{"enstegeff", "cirkpump"}));
  }

  // Values no house boiler has are asked about once, all in one question: "Nej" goes back to
  // the form, "Ja" on to the identity. Plausible values ask nothing.
  void implausible_values_are_asked_about_data() {
    QTest::addColumn<QString>("burner");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("plausible") << "enstegbr" << QStringList{} << QStringList{};
    QTest::newRow("burner and house typed in W, a cold house")
        << "enstegbr" << QStringList{"enstegeff", "15000", "huseff", "8000", "intemp", "5"}
        << QStringList{"Brännareffekt (kW): 15000 (över 100)",
                       "Husets maximala uppvärmningsbehov (kW): 8000 (över 50)",
                       "Inomhustemperatur (°C): 5 (under 10)"};
    QTest::newRow("modulating, least power above the greatest")
        << "modbr" << QStringList{"modmax", "10", "modmin", "12", "modluft", "20"}
        << QStringList{"Mineffekt (kW): 12 (större än maxeffekten 10)"};
    // What the chosen burner hides is not part of the case, however far off it is.
    QTest::newRow("single stage, the modulating burner's fields hidden")
        << "enstegbr" << QStringList{"modmax", "500", "modmin", "900", "modluft", "400"}
        << QStringList{};
    QTest::newRow("modulating, the single-stage burner's fields hidden")
        << "modbr" << QStringList{"modmax", "10",        "modmin", "4",          "modluft",
                                  "20",     "enstegeff", "15000",  "enstegluft", "400"}
        << QStringList{};
  }
  void implausible_values_are_asked_about() {
    QFETCH(QString, burner);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, listed);
    varmkalk::testing::fill_worked_example(*form_, QLocale::c());
    click(burner);
    for (qsizetype i = 0; i + 1 < texts.size(); i += 2) {
      field(texts[i])->setText(texts[i + 1]);
    }
    platform_->answers = {false, true};
    click(QStringLiteral("Command1"));
    if (listed.isEmpty()) {
      QVERIFY(platform_->questions.empty());
      QCOMPARE(identity_openings_, 1);
      return;
    }
    QCOMPARE(platform_->questions.size(), std::size_t{1});
    const QString question = platform_->questions.front().text;
    QVERIFY2(question.contains(QStringLiteral("\n\n   ") + listed.join(QStringLiteral("\n   ")) +
                               QStringLiteral("\n\nÄr värdena avsedda?")),
             qPrintable(question));
    QCOMPARE(identity_openings_, 0);
    QVERIFY(form_->isVisible());

    click(QStringLiteral("Command1"));
    QCOMPARE(platform_->questions.size(), std::size_t{2});
    QCOMPARE(identity_openings_, 1);
  }

  void failed_component_check_leaves_yellow_marks() {
    choose_all({"enstegbr", "vvja", "konvkonstant", "sbkonst"});
    click(QStringLiteral("Command1"));
    const QStringList marked = yellow_fields();
    QVERIFY(!marked.isEmpty());
    // Switching a choice keeps all four groups chosen; the marks stay until the next check.
    click(QStringLiteral("modbr"));
    QCOMPARE(yellow_fields(), marked);
  }

  void help_buttons_open_their_dialogs_and_keep_every_entry_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("close_button");
    QTest::newRow("Några ord om inmatningen") << "Command4"
                                              << "inmatningsord"
                                              << "Command1";
    QTest::newRow("burner") << "Command2"
                            << "HelpBurn"
                            << "Command1";
    QTest::newRow("hot-water heater") << "Helpvv"
                                      << "Form3"
                                      << "Command1";
    QTest::newRow("convection") << "Helpkonvforl"
                                << "Helpkonv"
                                << "Command1";
    QTest::newRow("standby") << "Command5"
                             << "stillestand"
                             << "stilleslut";
    QTest::newRow("flue gas") << "Command6"
                              << "Form1"
                              << "Command1";
    QTest::newRow("heating system") << "Command3"
                                    << "HelpHeat"
                                    << "Command1";
    // No close button named: the dialog is closed through its window frame.
    QTest::newRow("burner, window frame") << "Command2"
                                          << "HelpBurn"
                                          << "";
    QTest::newRow("standby, window frame") << "Command5"
                                           << "stillestand"
                                           << "";
    QTest::newRow("Några ord om inmatningen, window frame") << "Command4"
                                                            << "inmatningsord"
                                                            << "";
  }
  void help_buttons_open_their_dialogs_and_keep_every_entry() {
    QFETCH(QString, button);
    QFETCH(QString, dialog);
    QFETCH(QString, close_button);
    choose_all({"modbr", "vvja", "konveffekt", "sbkonst", "Tjugo", "Falun"});
    int text = 0;
    for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
      field(entry.name)->setText(QString::number(++text));
    }
    const varmkalk::FormInput before = form_->form_input();
    QStringList visible_before;
    for (const QString& name : all_switched()) {
      if (child(name)->isVisible()) {
        visible_before.append(name);
      }
    }

    click(button);
    QCOMPARE(platform_->modal_names, QStringList{dialog});
    QPointer<QDialog> help = platform_->last_modal();
    QVERIFY(help->isVisible());
    QCOMPARE(help->parentWidget(), static_cast<QWidget*>(form_.data()));
    if (close_button.isEmpty()) {
      QVERIFY(help->close());
    } else {
      varmkalk::testing::click_button(help->findChild<QAbstractButton*>(close_button));
    }
    varmkalk::testing::flush_deletions();
    QVERIFY(help.isNull());

    const varmkalk::FormInput after = form_->form_input();
    QCOMPARE(after.burner, before.burner);
    QCOMPARE(after.hot_water_heater, before.hot_water_heater);
    QCOMPARE(after.convection_source, before.convection_source);
    QCOMPARE(after.standby_source, before.standby_source);
    QCOMPARE(after.min_return_temp, before.min_return_temp);
    QCOMPARE(after.climate, before.climate);
    QCOMPARE(after.heating_system, before.heating_system);
    for (const varmkalk::FormField& entry : varmkalk::kFormFields) {
      QCOMPARE(after.*entry.text, before.*entry.text);
    }
    for (const QString& name : visible_before) {
      QVERIFY2(child(name)->isVisible(), qPrintable(name));
    }
    QVERIFY(platform_->messages.empty());
  }

  void flue_gas_temperatures_take_three_characters() {
    for (const char* name : {"TempH", "TempL"}) {
      QTest::keyClicks(field(name), QStringLiteral("1234"));
      QCOMPARE(field(name)->text(), QStringLiteral("123"));
    }
    QTest::keyClicks(field(QStringLiteral("FramH")), QStringLiteral("1234,5"));
    QCOMPARE(field(QStringLiteral("FramH"))->text(), QStringLiteral("1234,5"));
  }

  // "Egen klimatfil" lists the working folder's own climate years as the option is chosen, so
  // that a file added while the form is open is offered; the six bundled places and the other
  // .dat files (results) are not, and what the user typed stays.
  // "Egna temperaturer" joins the two lettered systems' group; its fields show while it is
  // chosen, and the form gives back what it was set to.
  void own_design_temperatures_are_a_third_heating_system() {
    QVERIFY(!child(QStringLiteral("framdim"))->isVisible());
    click(QStringLiteral("Egnatemp"));
    QVERIFY(child(QStringLiteral("framdim"))->isVisible());
    QVERIFY(child(QStringLiteral("Egnatemp_hjalp"))->isVisible());
    QVERIFY(!child<QRadioButton>(QStringLiteral("framretur5545"))->isChecked());
    fill({"framdim"}, QStringLiteral("45"));
    fill({"returdim"}, QStringLiteral("35"));
    varmkalk::FormInput input = form_->form_input();
    QVERIFY(input.own_design_temps);
    QCOMPARE(input.own_supply_temp_c, QStringLiteral("45"));

    click(QStringLiteral("framretur8060"));
    QVERIFY(!child<QRadioButton>(QStringLiteral("Egnatemp"))->isChecked());
    QVERIFY(!child(QStringLiteral("returdim"))->isVisible());
    QVERIFY(!form_->form_input().own_design_temps);
    form_->set_form_input(input);
    QVERIFY(child<QRadioButton>(QStringLiteral("Egnatemp"))->isChecked());
    QCOMPARE(field(QStringLiteral("returdim"))->text(), QStringLiteral("35"));
  }

  void own_climate_list_is_read_when_chosen() {
    const QString started_in = QDir::currentPath();
    QTemporaryDir folder;
    QVERIFY(QDir::setCurrent(folder.path()));
    QByteArray year;
    for (int day = 1; day <= 365; ++day) {
      year += QStringLiteral("%1%2\r\n").arg(day, 4).arg(-5.0 + day % 20, 7, 'f', 1).toLatin1();
    }
    const auto write = [](const QString& name, const QByteArray& bytes) {
      QFile file(name);
      return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const auto offered = [this] {
      auto* list = child<QComboBox>(QStringLiteral("klimatfil_lista"));
      QStringList names;
      for (int i = 0; i < list->count(); ++i) {
        names << list->itemText(i);
      }
      return names;
    };
    QVERIFY(write(QStringLiteral("egen.dat"), year));
    QVERIFY(write(QStringLiteral("sthlm.dat"), year));
    QVERIFY(write(QStringLiteral("h123sum.dat"), "inget klimat\r\n"));

    click(QStringLiteral("Egenklimat"));
    const QStringList first = offered();
    field(QLatin1String(varmkalk::kOwnClimateFileField))->setText(QStringLiteral("egen.dat"));
    QVERIFY(write(QStringLiteral("annan.dat"), year));
    click(QStringLiteral("Stockholm"));
    click(QStringLiteral("Egenklimat"));
    const QStringList second = offered();
    const QString typed = field(QLatin1String(varmkalk::kOwnClimateFileField))->text();
    QVERIFY(QDir::setCurrent(started_in));

    QCOMPARE(first, QStringList{QStringLiteral("egen.dat")});
    QCOMPARE(second, (QStringList{QStringLiteral("annan.dat"), QStringLiteral("egen.dat")}));
    QCOMPARE(typed, QStringLiteral("egen.dat"));
  }

  // One kWh per m³ for the session: the bill's factor a fit in m³ used is the one "Kostnad och
  // klimat…" shows and the year is counted with; opened again, the meter dialog shows the reading
  // typed before, with the factor the cost dialog has set since.
  void meter_factor_and_reading_stay_for_the_session() {
    form_->set_form_input(varmkalk::testing::typed_worked_example());
    QPointer<varmkalk::MeterDialog> dialog;
    platform_->on_modal = [&dialog](QDialog& shown) {
      dialog = qobject_cast<varmkalk::MeterDialog*>(&shown);
    };
    click(QStringLiteral("anpassatillmataren"));
    QVERIFY(dialog);
    varmkalk::MeterInput typed;
    typed.amount = QStringLiteral("1 480");
    typed.unit = varmkalk::MeterUnit::m3;
    typed.kwh_per_m3 = QStringLiteral("10.81");
    typed.place = varmkalk::core::Place::kiruna;
    dialog->set_meter_input(typed);
    dialog->fit();
    QVERIFY(dialog->findChild<QPushButton*>(QStringLiteral("anvand"))->isEnabled());
    QCOMPARE(form_->prices().gas_kwh_per_m3, 10.81);
    dialog->reject();
    varmkalk::testing::flush_deletions();

    platform_->on_modal = nullptr;
    click(QStringLiteral("kostnadochklimat"));
    QDialog* cost = platform_->last_modal();
    auto* factor = cost->findChild<QLineEdit*>(QStringLiteral("gas_kwh_per_m3"));
    QCOMPARE(factor->text(), QStringLiteral("10.81"));
    factor->setText(QStringLiteral("11.2"));
    varmkalk::testing::click_button(
        cost->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    QCOMPARE(form_->prices().gas_kwh_per_m3, 11.2);
    varmkalk::testing::flush_deletions();

    platform_->on_modal = [&dialog](QDialog& shown) {
      dialog = qobject_cast<varmkalk::MeterDialog*>(&shown);
    };
    click(QStringLiteral("anpassatillmataren"));
    QVERIFY(dialog);
    const varmkalk::MeterInput again = dialog->meter_input();
    QCOMPARE(again.amount, QStringLiteral("1 480"));
    QVERIFY(again.unit == varmkalk::MeterUnit::m3);
    QCOMPARE(again.kwh_per_m3, QStringLiteral("11.2"));
    QVERIFY(!again.own_climate && again.place == varmkalk::core::Place::kiruna);
    delete dialog.data();
  }

  // The form's added buttons answer Alt with their underlined letter, even from a field, into
  // which nothing is typed; no two buttons of the form share a letter.
  void added_buttons_answer_their_mnemonics_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("event");
    QTest::newRow("Alt+K Kostnad och klimat") << int(Qt::Key_K) << "modal kostnad";
    QTest::newRow("Alt+A Anpassa till mätaren") << int(Qt::Key_A) << "modal matare";
    QTest::newRow("Alt+I Indata färdigt") << int(Qt::Key_I) << "message System ej komplett";
    QTest::newRow("Alt+V Värmepump") << int(Qt::Key_V) << "modal varmepump";
  }
  void added_buttons_answer_their_mnemonics() {
    QFETCH(int, key);
    QFETCH(QString, event);
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QLineEdit* demand = field(QStringLiteral("huseff"));
    demand->setFocus();
    QTest::keyClick(demand, static_cast<Qt::Key>(key), Qt::AltModifier);
    QTRY_VERIFY2(platform_->events.contains(event), qPrintable(platform_->events.join(", ")));
    QCOMPARE(demand->text(), QString());

    QSet<QChar> letters;
    for (const QAbstractButton* button : form_->findChildren<QAbstractButton*>()) {
      const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
      if (button->window() == form_ && amp >= 0) {
        const QChar letter = button->text().at(amp + 1).toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(button->text()));
        letters.insert(letter);
      }
    }
    QCOMPARE(letters,
             (QSet<QChar>{QLatin1Char('f'), QLatin1Char('i'), QLatin1Char('k'), QLatin1Char('a'),
                          QLatin1Char('v')}));
  }

  // In "Anpassa till mätaren…" Alt+A fits and Alt+V uses the fit, from the meter field too, whose
  // reading stays as typed.
  void meter_dialog_answers_its_mnemonics() {
    form_->set_form_input(varmkalk::testing::typed_worked_example());
    const QString before = field(QStringLiteral("huseff"))->text();
    click(QStringLiteral("anpassatillmataren"));
    QPointer<QDialog> dialog = platform_->last_modal();
    QCOMPARE(dialog->objectName(), QStringLiteral("matare"));
    dialog->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), dialog.data());
    auto* amount = dialog->findChild<QLineEdit*>(QLatin1String(varmkalk::kMeterAmountField));
    amount->setFocus();
    QTest::keyClicks(amount, QStringLiteral("25000"));
    QTest::keyClick(amount, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(amount->text(), QStringLiteral("25000"));
    QTRY_VERIFY(dialog->findChild<QPushButton*>(QStringLiteral("anvand"))->isEnabled());
    QTest::keyClick(amount, Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(dialog.isNull() || !dialog->isVisible());
    QVERIFY(field(QStringLiteral("huseff"))->text() != before);
  }

  // "Anpassa till mätaren…" fits the form's house to a meter and "Använd" writes its demand into
  // the form's field; a refused meter leaves "Använd" off and the field as it was.
  void meter_fit_fills_the_heat_demand_field() {
    form_->set_form_input(varmkalk::testing::typed_worked_example());
    const QString before = field(QStringLiteral("huseff"))->text();
    for (const char* amount : {"100", "25000"}) {
      QPointer<varmkalk::MeterDialog> dialog;
      platform_->on_modal = [&dialog, amount](QDialog& shown) {
        dialog = qobject_cast<varmkalk::MeterDialog*>(&shown);
        QVERIFY(dialog != nullptr);
        varmkalk::MeterInput typed;
        typed.amount = QString::fromLatin1(amount);
        typed.place = varmkalk::core::Place::malmo;
        dialog->set_meter_input(typed);
        dialog->fit();
      };
      click(QStringLiteral("anpassatillmataren"));
      QVERIFY(dialog);
      auto* use = dialog->findChild<QPushButton*>(QStringLiteral("anvand"));
      QCOMPARE(use->isEnabled(), QByteArray(amount) != "100");
      if (use->isEnabled()) {
        varmkalk::testing::click_button(use);
      }
      delete dialog.data();
    }
    const QString after = field(QStringLiteral("huseff"))->text();
    QVERIFY(after != before);
    QVERIFY(after.toDouble() > 8.0 && after.toDouble() < 15.0);
  }
};

QTEST_MAIN(InputFormTest)
#include "input_form_test.moc"
