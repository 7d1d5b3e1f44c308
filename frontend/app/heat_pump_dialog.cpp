// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/heat_pump_dialog.h"

#include "frontend/app/dialog_buttons.h"
#include "frontend/app/form_widgets.h"
#include "frontend/help/twips.h"
#include "frontend/logic/heatpump/side_by_side_view.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/platform/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <variant>

namespace varmkalk {

namespace {

constexpr char kHeatPumpHelp[] = "Varmepumphjalp";
constexpr int kFieldWidthChars = 10;
constexpr std::array<core::GenericHeatPump, 3> kGenericKinds{
    core::GenericHeatPump::air, core::GenericHeatPump::brine, core::GenericHeatPump::exhaust};

QString climate_text(core::SeasonClimate climate) {
  return climate == core::SeasonClimate::average ? HeatPumpDialog::tr("medelklimat")
                                                 : HeatPumpDialog::tr("kallt klimat");
}

QString family_text(core::FlowFamily family) {
  return family == core::FlowFamily::low_35 ? QStringLiteral("35 °C") : QStringLiteral("55 °C");
}

}  // namespace

HeatPumpDialog::HeatPumpDialog(Platform& platform, const std::optional<HeatPumpPlan>& plan,
                               const QString& heat_pump_folder, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      folder_(heat_pump_folder),
      plan_(plan),
      shown_(plan.value_or(default_heat_pump_plan())),
      units_(shipped_units(heat_pump_folder)) {
  setObjectName(QStringLiteral("varmepump"));
  setWindowTitle(tr("Värmepump"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* intro = new QLabel(
      tr("En värmepump i samma hus som gaspannan: samma klimat, värmebehov, varmvatten och "
         "värmesystem. Resultatrutan visar dem sida vid sida efter nästa beräkning."),
      this);
  intro->setWordWrap(true);
  enabled_ = new QCheckBox(tr("&Visa en värmepump bredvid gaspannan"), this);
  enabled_->setObjectName(QStringLiteral("visavarmepump"));
  enabled_->setChecked(true);

  auto* left = new QWidget(this);
  auto* right = new QWidget(this);
  build_unit_choice(left);
  build_settings(right);
  auto* columns = new QHBoxLayout;
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addWidget(left, 1);
  columns->addWidget(right, 1);
  connect(enabled_, &QCheckBox::toggled, left, &QWidget::setEnabled);
  connect(enabled_, &QCheckBox::toggled, right, &QWidget::setEnabled);

  QDialogButtonBox* buttons = add_dialog_buttons(
      *this, platform_, QLatin1String(kHeatPumpHelp), QStringLiteral("varmepumphjalp"),
      [this] { take_fields(); }, [this] { show_plan(default_heat_pump_plan()); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(enabled_);
  layout->addLayout(columns);
  layout->addWidget(buttons);
  show_plan(shown_);
}

void HeatPumpDialog::build_unit_choice(QWidget* column) {
  auto* frame = new QGroupBox(tr("Värmepumpen"), column);
  generic_ = new QRadioButton(tr("&Typisk värmepump"), frame);
  generic_->setObjectName(QStringLiteral("typiskvarmepump"));
  certified_ = new QRadioButton(tr("&Certifierad enhet (Heat Pump KEYMARK)"), frame);
  certified_->setObjectName(QStringLiteral("certifieradenhet"));
  kind_ = new QComboBox(frame);
  kind_->setObjectName(QStringLiteral("hp_type"));
  for (const core::GenericHeatPump kind : kGenericKinds) {
    kind_->addItem(generic_heat_pump_text(kind), static_cast<int>(kind));
  }
  unit_ = new QComboBox(frame);
  unit_->setObjectName(QStringLiteral("hp_model"));
  unit_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  unit_->setMinimumContentsLength(kFieldWidthChars * 2);
  for (std::size_t i = 0; i < units_.size(); ++i) {
    list_unit(i);
  }
  auto* other = new QPushButton(tr("Annan &fil…"), frame);
  other->setObjectName(QStringLiteral("annanfil"));
  scop_ = new QLabel(frame);
  scop_->setObjectName(QStringLiteral("scopjamforelse"));
  scop_->setWordWrap(true);

  auto* kind_row = new QFormLayout;
  kind_row->addRow(tr("Slag"), kind_);
  const core::RangedQuantity<core::HeatPumpChoice>& capacity = kCapacityQuantities[0];
  auto* capacity_field = new QLineEdit(frame);
  capacity_field->setObjectName(from_utf8(capacity.key));
  capacity_fields_.push_back(capacity_field);
  kind_row->addRow(ranged_field_label(capacity), capacity_field);
  auto* unit_row = new QHBoxLayout;
  unit_row->addWidget(unit_, 1);
  unit_row->addWidget(other);

  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(generic_);
  layout->addLayout(kind_row);
  layout->addWidget(certified_);
  layout->addLayout(unit_row);
  layout->addWidget(scop_);
  layout->addStretch(1);
  auto* outer = new QVBoxLayout(column);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);

  for (QWidget* control : {static_cast<QWidget*>(kind_), static_cast<QWidget*>(capacity_field)}) {
    connect(generic_, &QRadioButton::toggled, control, &QWidget::setEnabled);
  }
  for (QWidget* control : {static_cast<QWidget*>(unit_), static_cast<QWidget*>(other)}) {
    connect(certified_, &QRadioButton::toggled, control, &QWidget::setEnabled);
  }
  connect(generic_, &QRadioButton::toggled, this, &HeatPumpDialog::refresh_unit);
  connect(kind_, &QComboBox::currentIndexChanged, this, &HeatPumpDialog::refresh_unit);
  connect(unit_, &QComboBox::currentIndexChanged, this, &HeatPumpDialog::refresh_unit);
  connect(other, &QPushButton::clicked, this, &HeatPumpDialog::open_other_file);
}

void HeatPumpDialog::build_settings(QWidget* column) {
  const auto add_fields = [this](QGroupBox* frame, QFormLayout* form, const auto& quantities,
                                 std::vector<QLineEdit*>& fields) {
    for (const auto& quantity : quantities) {
      auto* field = new QLineEdit(frame);
      field->setObjectName(from_utf8(quantity.key));
      field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                             (kFieldWidthChars + 2));
      field->setToolTip(tr("Standardvärde: %1").arg(from_utf8(quantity.source)));
      form->addRow(ranged_field_label(quantity), field);
      fields.push_back(field);
    }
  };
  auto* installation = new QGroupBox(tr("Installationen"), column);
  auto* installation_form = new QFormLayout(installation);
  add_fields(installation, installation_form, core::kHeatPumpQuantities, setting_fields_);

  auto* economy = new QGroupBox(tr("Investeringen"), column);
  auto* economy_form = new QFormLayout(economy);
  add_fields(economy, economy_form, core::kEconomyQuantities, economy_fields_);
  gas_closed_ = new QCheckBox(tr("&Gasanslutningen avslutas (den fasta avgiften sparas)"), economy);
  gas_closed_->setObjectName(QStringLiteral("gas_connection_closed"));
  economy_form->addRow(gas_closed_);

  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(installation);
  layout->addWidget(economy);
  layout->addStretch(1);
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    connect(field, &QLineEdit::textChanged, this, [field] { set_field_background(field, kWhite); });
  }
}

void HeatPumpDialog::show_plan(const HeatPumpPlan& plan) {
  shown_ = plan;
  const HeatPumpTexts texts = heat_pump_texts(plan, platform_.locale());
  const auto fill = [](const std::vector<QLineEdit*>& fields, const auto& group) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      fields[i]->setText(group[i]);
    }
  };
  fill(capacity_fields_, texts.capacity);
  fill(setting_fields_, texts.settings);
  fill(economy_fields_, texts.economy);
  gas_closed_->setChecked(plan.economy.gas_connection_closed);
  kind_->setCurrentIndex(kind_->findData(static_cast<int>(plan.choice.generic)));
  if (!plan.choice.is_generic()) {
    int found = -1;
    for (std::size_t i = 0; i < units_.size() && found < 0; ++i) {
      if (units_[i].file == from_utf8(plan.choice.unit_file) &&
          units_[i].title == from_utf8(plan.choice.model)) {
        found = static_cast<int>(i);
      }
    }
    if (found < 0) {
      // Another file's variant, or a shipped one no longer there: offered as it was chosen.
      found = offer_unit({from_utf8(plan.choice.unit_file), from_utf8(plan.choice.model)});
    }
    unit_->setCurrentIndex(unit_->findData(found));
  }
  // Toggled both ways, so that each side's controls follow even where the choice stays.
  certified_->setChecked(true);
  generic_->setChecked(true);
  (plan.choice.is_generic() || units_.empty() ? generic_ : certified_)->setChecked(true);
  certified_->setEnabled(!units_.empty() || !plan.choice.is_generic());
  refresh_unit();
}

void HeatPumpDialog::open_other_file() {
  const QString path = platform_.open_file_name(this, tr("Värmepumpens Keymark-fil"),
                                                tr("Heat Pump KEYMARK-deklaration (*.csv)"));
  if (path.isEmpty()) {
    return;
  }
  const auto titles = unit_titles(path);
  if (const auto* why = std::get_if<QString>(&titles)) {
    refuse(unit_, *why);
    return;
  }
  int first = -1;
  for (const QString& title : std::get<QStringList>(titles)) {
    const int index = offer_unit({QDir::cleanPath(QFileInfo(path).absoluteFilePath()), title});
    first = first < 0 ? index : first;
  }
  certified_->setEnabled(true);
  certified_->setChecked(true);
  unit_->setCurrentIndex(unit_->findData(first));
}

void HeatPumpDialog::list_unit(std::size_t index) {
  unit_->addItem(units_[index].title, static_cast<int>(index));
  unit_->setItemData(unit_->count() - 1, units_[index].file, Qt::ToolTipRole);
}

int HeatPumpDialog::offer_unit(OfferedUnit unit) {
  units_.push_back(std::move(unit));
  list_unit(units_.size() - 1);
  return static_cast<int>(units_.size() - 1);
}

core::HeatPumpChoice HeatPumpDialog::shown_choice() const {
  core::HeatPumpChoice choice = shown_.choice;
  choice.generic = static_cast<core::GenericHeatPump>(kind_->currentData().toInt());
  if (generic_->isChecked() || unit_->currentIndex() < 0) {
    choice.unit_file.clear();
    choice.model.clear();
  } else {
    const OfferedUnit& offered = units_[static_cast<std::size_t>(unit_->currentData().toInt())];
    choice.unit_file = offered.file.toStdString();
    choice.model = offered.title.toStdString();
  }
  choice.settings = {};
  return choice;
}

void HeatPumpDialog::refresh_unit() {
  core::HeatPumpChoice choice = shown_choice();
  if (choice.is_generic()) {
    // Its size does not matter to whether it takes brine.
    choice.capacity_kw = kCapacityQuantities[0].default_value;
  }
  const auto loaded = load_heat_pump(choice, folder_);
  QStringList lines;
  if (const auto* why = std::get_if<QString>(&loaded)) {
    lines += *why;
  } else if (choice.is_generic()) {
    lines +=
        tr("En typisk värmepump har inget eget certifikat: verkningsgraden är medianen för "
           "certifierade enheter av samma slag.");
  } else {
    const LoadedHeatPump& unit = std::get<LoadedHeatPump>(loaded);
    lines += tr("Årsvärmefaktor (SCOP) enligt certifikatet och enligt modellen:");
    const QLocale locale = platform_.locale();
    for (const ScopCheck& check : scop_checks(unit)) {
      lines += tr("%1, %2: %3 och %4")
                   .arg(climate_text(check.climate), family_text(check.family),
                        locale.toString(check.declared_scop, 'f', 2),
                        locale.toString(check.model_scop, 'f', 2));
    }
  }
  scop_->setText(lines.join(QLatin1Char('\n')));
  // The brine's temperature counts only for a ground-source unit.
  const auto* read = std::get_if<LoadedHeatPump>(&loaded);
  setting_fields_.back()->setEnabled(
      is_ground_source(choice, read != nullptr ? read->unit : std::nullopt));
}

QLineEdit* HeatPumpDialog::field_of(const QString& key) const {
  return findChild<QLineEdit*>(key);
}

void HeatPumpDialog::refuse(QWidget* at, const QString& message) {
  if (auto* field = qobject_cast<QLineEdit*>(at)) {
    set_field_background(field, kFaultYellow);
  }
  at->setFocus();
  platform_.beep();
  platform_.message_box(this, tr("Värmepump"), message, MessageIcon::Exclamation);
}

void HeatPumpDialog::take_fields() {
  if (!enabled_->isChecked()) {
    plan_.reset();
    accept();
    return;
  }
  const auto texts_of = [](const std::vector<QLineEdit*>& fields, auto& group) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      group[i] = fields[i]->text();
    }
  };
  HeatPumpTexts texts;
  texts_of(capacity_fields_, texts.capacity);
  texts_of(setting_fields_, texts.settings);
  texts_of(economy_fields_, texts.economy);
  HeatPumpPlan asked = shown_;
  const core::HeatPumpChoice chosen = shown_choice();
  asked.choice.unit_file = chosen.unit_file;
  asked.choice.model = chosen.model;
  asked.choice.generic = chosen.generic;
  asked.economy.gas_connection_closed = gas_closed_->isChecked();
  const auto read = read_heat_pump_texts(texts, asked, platform_.locale());
  if (const auto* fault = std::get_if<HeatPumpFieldError>(&read)) {
    refuse(field_of(fault->key), fault->message);
    return;
  }
  const HeatPumpPlan taken = std::get<HeatPumpPlan>(read);
  const auto loaded = load_heat_pump(taken.choice, folder_);
  if (const auto* why = std::get_if<QString>(&loaded)) {
    refuse(taken.choice.is_generic() ? static_cast<QWidget*>(kind_) : unit_, *why);
    return;
  }
  plan_ = taken;
  accept();
}

QPushButton* add_heat_pump_button(QDialog& form, Platform& platform,
                                  std::optional<HeatPumpPlan>& plan) {
  QPushButton* button = add_button(&form, "varmepump", HeatPumpDialog::tr("&Värmepump…"),
                                   twips_rect(2400, 7290, 2100, 345));
  QObject::connect(button, &QPushButton::clicked, button, [&form, &platform, &plan] {
    auto* dialog = new HeatPumpDialog(
        platform, plan, heat_pump_folder(QCoreApplication::applicationDirPath()), &form);
    QObject::connect(dialog, &QDialog::accepted, &form, [dialog, &plan] { plan = dialog->plan(); });
    platform.show_modal(*dialog);
  });
  return button;
}

}  // namespace varmkalk
