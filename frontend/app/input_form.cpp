// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/input_form.h"

#include "frontend/app/cost_dialog.h"
#include "frontend/app/fonts.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/heat_pump_dialog.h"
#include "frontend/app/meter_dialog.h"
#include "frontend/app/sweep_button.h"
#include "frontend/compare/kept_list_dialog.h"
#include "frontend/controls/control_names.h"
#include "frontend/help/help_dialogs.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/field_fit.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/form/form_faults.h"
#include "frontend/logic/form/input_validation.h"
#include "frontend/logic/form/plausibility.h"
#include "frontend/platform/fixed_layout_window.h"
#include "frontend/platform/platform.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <array>
#include <utility>
#include <vector>

namespace varmkalk {

namespace {

const QColor kFormBlue{128, 128, 255};
constexpr int kFormWidthTwips = 12825;
constexpr int kFormHeightTwips = 9150;

// A message box of more faults would outgrow the screen; the yellow marks show them all.
constexpr std::size_t kShownFaults = 8;

// The faults' own messages in one text, one paragraph each.
QString faults_text(const FieldErrors& faults) {
  QStringList paragraphs;
  for (std::size_t shown = 0; shown < faults.size() && shown < kShownFaults; ++shown) {
    paragraphs += faults[shown].message;
  }
  if (faults.size() > kShownFaults) {
    paragraphs +=
        QCoreApplication::translate("InputForm", "Ytterligare %1 fält är markerade med gult.")
            .arg(faults.size() - kShownFaults);
  }
  return paragraphs.join(QStringLiteral("\n\n"));
}

// The option buttons of each group with the value they stand for.
template <typename Value>
struct Choice {
  const char* name;
  Value value;
};

constexpr std::array<Choice<Burner>, 2> kBurners{
    {{"enstegbr", Burner::SingleStage}, {"modbr", Burner::Modulating}}};
constexpr std::array<Choice<HotWaterHeater>, 2> kHeaters{
    {{"vvja", HotWaterHeater::Yes}, {"vvnej", HotWaterHeater::No}}};
constexpr std::array<Choice<ConvectionSource>, 2> kConvectionSources{
    {{"konvkonstant", ConvectionSource::Constant}, {"konveffekt", ConvectionSource::KnownLoss}}};
constexpr std::array<Choice<StandbySource>, 2> kStandbySources{
    {{"sbkonst", StandbySource::Constants}, {"sbeff", StandbySource::KnownLosses}}};
constexpr std::array<Choice<core::HeatingSystem>, 2> kHeatingSystems{
    {{"framretur8060", core::HeatingSystem::radiators_80_60},
     {"framretur5545", core::HeatingSystem::radiators_55_45}}};
constexpr std::array<Choice<MinReturnTemp>, 3> kMinReturnTemps{{{"Sextiofem", MinReturnTemp::C65},
                                                                {"Trettiofem", MinReturnTemp::C35},
                                                                {"Tjugo", MinReturnTemp::Indoor}}};
constexpr std::array<Choice<core::Place>, 6> kClimates{{{"Malmö", core::Place::malmo},
                                                        {"Jönköping", core::Place::jonkoping},
                                                        {"Stockholm", core::Place::stockholm},
                                                        {"Falun", core::Place::falun},
                                                        {"Östersund", core::Place::ostersund},
                                                        {"Kiruna", core::Place::kiruna}}};

// A click on a component option shows the controls its choice needs and hides those of the other
// choice; controls not named keep their state.
struct VisibilityRule {
  QRadioButton* option;
  std::vector<QWidget*> shown;
  std::vector<QWidget*> hidden;
};

}  // namespace

InputForm::InputForm(Platform& platform, IdentityFormOpener open_identity_form, QWidget* parent)
    : QDialog(parent), platform_(platform), open_identity_form_(std::move(open_identity_form)) {
  setObjectName(QStringLiteral("Inmatning"));
  setWindowTitle(QCoreApplication::translate(
      "InputForm", "VARMKALK - Inmatning av data om panna och värmesystem"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(sans_font(kDefaultPointSize));
  set_background(this, kFormBlue);

  // The order of creation is the tab order, and the stacking order where controls overlap:
  // the boiler sketch lies beneath the burner fields drawn over it.
  build_top_row();
  build_component_band();
  build_flue_gas();
  build_boiler_sketch();
  build_convection();
  build_standby();
  build_hot_water();
  build_burner();
  build_presets();
  build_building();
  build_own_climate();
  build_own_design_temps();
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (!widget->objectName().isEmpty()) {
      controls_.insert(widget->objectName(), widget);
    }
  }
  build_visibility_rules();

  const auto check_default = [this](const auto& choices, auto preset) {
    for (const auto& choice : choices) {
      option(choice.name)->setChecked(choice.value == preset);
    }
  };
  const FormInput defaults;
  check_default(kHeatingSystems, defaults.heating_system);
  check_default(kMinReturnTemps, defaults.min_return_temp);
  check_default(kClimates, defaults.climate);
  for (const FormField& entry : kFormFields) {
    QLineEdit* text_field = field(entry.name);
    text_field->setText(defaults.*entry.text);
    // A corrected value is no longer marked.
    connect(text_field, &QLineEdit::textChanged, this,
            [text_field] { set_field_background(text_field, kWhite); });
  }

  connect(qobject_cast<QPushButton*>(control(control::input::kDone)), &QPushButton::clicked, this,
          &InputForm::input_complete);
  connect(qobject_cast<QPushButton*>(control("returtillstart")), &QPushButton::clicked, this,
          &InputForm::reject);
  connect(qobject_cast<QPushButton*>(control("hamtaindata")), &QPushButton::clicked, this,
          &InputForm::fetch_inputs);
  connect_help_buttons();
  connect_own_climate();
  connect_own_design_temps();
  build_previous_case();
  add_sweep_button(
      *this, platform_, [this] { return form_input(); }, QCoreApplication::applicationDirPath(),
      [this] { return prices_; }, [this] { return heat_pump_; });
  add_cost_button(*this, platform_, prices_);
  add_heat_pump_button(*this, platform_, heat_pump_);
  add_meter_button(
      *this, platform_, [this] { return form_input(); }, prices_, field("huseff"));
  // The form is taller than a 1024×600 screen: there its controls scroll, at their places.
  scroll_fixed_layout(*this, twips_size(kFormWidthTwips, kFormHeightTwips));
}

FormInput InputForm::form_input() const {
  const auto chosen = [this](const auto& choices, auto none) {
    for (const auto& choice : choices) {
      if (option(choice.name)->isChecked()) {
        return choice.value;
      }
    }
    return none;
  };
  FormInput input;
  input.burner = chosen(kBurners, Burner::Unchosen);
  input.hot_water_heater = chosen(kHeaters, HotWaterHeater::Unchosen);
  input.convection_source = chosen(kConvectionSources, ConvectionSource::Unchosen);
  input.standby_source = chosen(kStandbySources, StandbySource::Unchosen);
  input.heating_system = chosen(kHeatingSystems, core::HeatingSystem::radiators_55_45);
  input.min_return_temp = chosen(kMinReturnTemps, MinReturnTemp::C65);
  input.climate = chosen(kClimates, core::Place::kiruna);
  input.own_design_temps = option("Egnatemp")->isChecked();
  input.own_climate = option("Egenklimat")->isChecked();
  input.own_climate_file = field(kOwnClimateFileField)->text().trimmed();
  for (const FormField& entry : kFormFields) {
    input.*entry.text = field(entry.name)->text();
  }
  return input;
}

void InputForm::set_form_input(const FormInput& input) {
  const auto choose = [this](const auto& choices, auto value) {
    for (const auto& choice : choices) {
      if (choice.value == value) {
        option(choice.name)->click();
      }
    }
  };
  choose(kBurners, input.burner);
  choose(kHeaters, input.hot_water_heater);
  choose(kConvectionSources, input.convection_source);
  choose(kStandbySources, input.standby_source);
  if (input.own_design_temps) {
    option("Egnatemp")->click();
  } else {
    choose(kHeatingSystems, input.heating_system);
  }
  choose(kMinReturnTemps, input.min_return_temp);
  if (input.own_climate) {
    option("Egenklimat")->click();
  } else {
    choose(kClimates, input.climate);
  }
  field(kOwnClimateFileField)->setText(input.own_climate_file);
  for (const FormField& entry : kFormFields) {
    QLineEdit* text_field = field(entry.name);
    const QString& text = input.*entry.text;
    // A text longer than the field is never cut: the field stays empty, marked.
    const bool fits = text.size() <= text_field->maxLength();
    text_field->setText(fits ? text : QString());
    set_field_background(text_field, fits ? kWhite : kFaultYellow);
  }
}

void InputForm::set_previous_calculation(const std::optional<SessionCalculation>& previous) {
  previous_ = previous;
  if (previous) {
    prices_ = previous->prices;
    heat_pump_ = previous->heat_pump;
  }
  previous_button_->setEnabled(previous_.has_value());
}

void InputForm::fetch_inputs() {
  auto* list = new KeptListDialog(platform_, KeptListDialog::Purpose::fetch_inputs,
                                  QDir::currentPath(), previous_, this);
  connect(list, &KeptListDialog::inputs_picked, this, [this](const RestoredInput& restored) {
    const FittedInput fitted = fit_to_fields(
        restored, platform_.locale(),
        [this](const QString& name) { return field(name.toLatin1().constData())->maxLength(); });
    set_form_input(fitted.input);
    if (restored.prices) {
      prices_ = *restored.prices;
    }
    // A calculation kept without a heat pump leaves the form's choice as it stands.
    if (restored.heat_pump) {
      heat_pump_ = restored.heat_pump;
    }
    QStringList notes = restored.notes;
    if (!fitted.unfitted.empty()) {
      for (const UnfittedField& unfitted : fitted.unfitted) {
        mark_field(unfitted.field);
      }
      notes += unfitted_note(fitted.unfitted);
    }
    if (!notes.isEmpty()) {
      platform_.message_box(this, QCoreApplication::translate("InputForm", "Hämta indata"),
                            notes.join(QStringLiteral("\n\n")), MessageIcon::None);
    }
  });
  platform_.show_modal(*list);
}

void InputForm::mark_field(const QString& name) {
  if (auto* text_field = qobject_cast<QLineEdit*>(controls_.value(name))) {
    set_field_background(text_field, kFaultYellow);
  }
}

void InputForm::show_correction(const QStringList& fields, const QString& text) {
  for (const QString& name : fields) {
    mark_field(name);
  }
  // Told over the form, once it shows.
  QTimer::singleShot(0, this, [this, text] {
    platform_.message_box(this, tr("Rätta indata"), text, MessageIcon::Exclamation);
  });
}

void InputForm::unload() {
  accept();
}

void InputForm::reject() {
  emit returned_to_start();
  QDialog::reject();
}

void InputForm::keyPressEvent(QKeyEvent* event) {
  // Escape would throw away the whole input; only the buttons and the window frame leave.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void InputForm::build_visibility_rules() {
  const auto widgets = [this](std::initializer_list<const char*> names) {
    std::vector<QWidget*> result;
    for (const char* name : names) {
      result.push_back(control(name));
    }
    return result;
  };
  const auto burner_fields = {"enstegeff", "enstegluft", "enstegeff_label", "enstegluft_label"};
  const auto modulating_fields = {"modmax",       "modmin",       "modluft",
                                  "modmax_label", "modmin_label", "modluft_label"};
  const auto pilot = {"pilotflamma_label", "pilotflamma"};
  const auto hot_water = {
      "vvbehov",  "vvbehov_label", control::input::kHeaterLossLabel, control::input::kHeaterLoss,
      "vv_panel", "vv_heading"};
  const auto convection_common = {"konv_heading", "konv_line"};
  const auto convection_constant = {"konvkonst_label", "konvkonst"};
  const auto convection_loss = {"konveff", "konvtemp", "konveff_label", "konvtemp_label"};
  const auto standby_common = {"sb_heading", "sb_line"};
  const auto standby_constants = {"sbkonstant_label", "sbexponent_label", "sbexponent",
                                  "sbkonstant"};
  const auto standby_losses = {"sbeff1",        "sbeff2",         "sbtemp1",
                               "sbtemp2",       "sb_fall1_label", "sb_fall2_label",
                               "sb_eff_column", "sb_temp_column"};
  const auto joined = [&widgets](std::initializer_list<const char*> first,
                                 std::initializer_list<const char*> second) {
    std::vector<QWidget*> result = widgets(first);
    const std::vector<QWidget*> rest = widgets(second);
    result.insert(result.end(), rest.begin(), rest.end());
    return result;
  };

  const std::vector<VisibilityRule> rules{
      {option("enstegbr"), joined(burner_fields, pilot), widgets(modulating_fields)},
      {option("modbr"), joined(modulating_fields, pilot), widgets(burner_fields)},
      {option("vvja"), widgets(hot_water), {}},
      {option("vvnej"), {}, widgets(hot_water)},
      {option("konvkonstant"), joined(convection_constant, convection_common),
       widgets(convection_loss)},
      {option("konveffekt"), joined(convection_loss, convection_common),
       widgets(convection_constant)},
      {option("sbkonst"), joined(standby_common, standby_constants), widgets(standby_losses)},
      {option("sbeff"), joined(standby_common, standby_losses), widgets(standby_constants)},
  };
  for (const VisibilityRule& rule : rules) {
    for (QWidget* widget : rule.shown) {
      widget->hide();
    }
    connect(rule.option, &QRadioButton::clicked, this, [rule] {
      for (QWidget* widget : rule.shown) {
        widget->show();
      }
      for (QWidget* widget : rule.hidden) {
        widget->hide();
      }
    });
  }
}

void InputForm::input_complete() {
  const InputValidation check = validate_input(form_input());
  if (!check.components_complete) {
    platform_.beep();
    platform_.message_box(
        this, QCoreApplication::translate("InputForm", "System ej komplett"),
        QCoreApplication::translate("InputForm", "Alla komponenter är inte valda"),
        MessageIcon::Exclamation);
    return;
  }
  for (const FormField& entry : kFormFields) {
    set_field_background(field(entry.name), kWhite);
  }
  if (!check.missing_fields.isEmpty()) {
    // The empty fields and the bad numbers beside them, all marked and named in one message.
    const FormFaults faults = form_faults(form_input(), platform_.locale());
    QString text =
        QCoreApplication::translate("InputForm", "Alla nödvändiga fält är inte ifyllda\n\n") +
        empty_fields_text(faults.empty);
    for (const QString& name : faults.empty) {
      mark_field(name);
    }
    for (const FieldError& fault : faults.bad) {
      mark_field(fault.field);
    }
    if (!faults.bad.empty()) {
      text += QStringLiteral("\n\n") + faults_text(faults.bad);
    }
    platform_.beep();
    platform_.message_box(this, QCoreApplication::translate("InputForm", "Data saknas"), text,
                          MessageIcon::Exclamation);
    return;
  }
  // Every bad number at once, before the identity is typed.
  const FormInput input = form_input();
  const FieldErrors faults = input_faults(input, platform_.locale());
  if (!faults.empty()) {
    for (const FieldError& fault : faults) {
      mark_field(fault.field);
    }
    platform_.beep();
    platform_.message_box(this, QCoreApplication::translate("InputForm", "Felaktigt värde"),
                          faults_text(faults), MessageIcon::Exclamation);
    return;
  }
  if (input.own_climate && !platform_.file_exists(input.own_climate_file)) {
    mark_field(QLatin1String(kOwnClimateFileField));
    platform_.beep();
    platform_.message_box(
        this, QCoreApplication::translate("InputForm", "Klimatfil saknas"),
        QCoreApplication::translate("InputForm",
                                    "Klimatfilen \"%1\" finns inte i arbetsmappen. Välj en av "
                                    "arbetsmappens klimatfiler eller importera en med "
                                    "\"Importera…\".")
            .arg(input.own_climate_file),
        MessageIcon::Exclamation);
    return;
  }
  const QStringList implausible = implausible_values(input, platform_.locale());
  if (!implausible.isEmpty() &&
      !platform_.ask_yes_no(
          this, QCoreApplication::translate("InputForm", "Ovanliga värden"),
          QCoreApplication::translate("InputForm",
                                      "Värdena ligger långt utanför vad en panna i ett "
                                      "småhus brukar ha:\n\n   ") +
              implausible.join(QStringLiteral("\n   ")) +
              QCoreApplication::translate("InputForm", "\n\nÄr värdena avsedda?"))) {
    return;
  }
  open_identity_form_(*this);
}

void InputForm::join_frame_options(const char* frame, QRadioButton& option,
                                   std::span<const char* const> controls) {
  auto* group = new QButtonGroup(this);
  for (QRadioButton* framed : control(frame)->findChildren<QRadioButton*>()) {
    group->addButton(framed);
  }
  group->addButton(&option);
  const auto show = [this, controls](bool shown) {
    for (const char* name : controls) {
      control(name)->setVisible(shown);
    }
  };
  show(false);
  connect(&option, &QRadioButton::toggled, this, show);
}

void InputForm::connect_help_buttons() {
  struct HelpButton {
    const char* button;
    const char* dialog;
  };
  constexpr std::array<HelpButton, 7> kHelpButtons{
      {{control::input::kInputWordsHelp, "inmatningsord"},
       {control::input::kBurnerHelp, "HelpBurn"},
       {"Helpvv", control::help::kHotWaterDialog},
       {"Helpkonvforl", "Helpkonv"},
       {control::input::kStandbyHelp, "stillestand"},
       {control::input::kFlueGasHelp, control::help::kFlueGasDialog},
       {control::input::kHeatingSystemHelp, "HelpHeat"}}};
  for (const HelpButton& help : kHelpButtons) {
    const QString dialog_name = QString::fromLatin1(help.dialog);
    connect(qobject_cast<QPushButton*>(control(help.button)), &QPushButton::clicked, this,
            [this, dialog_name] {
              if (QDialog* dialog = create_help_dialog(dialog_name, this)) {
                platform_.show_modal(*dialog);
              }
            });
  }
}

QWidget* InputForm::control(const char* name) const {
  QWidget* widget = controls_.value(QString::fromUtf8(name));
  Q_ASSERT_X(widget != nullptr, "InputForm::control", name);
  return widget;
}

QRadioButton* InputForm::option(const char* name) const {
  return qobject_cast<QRadioButton*>(control(name));
}

QLineEdit* InputForm::field(const char* name) const {
  return qobject_cast<QLineEdit*>(control(name));
}

}  // namespace varmkalk
