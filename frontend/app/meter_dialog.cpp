// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/meter_dialog.h"

#include "core/case/climates.h"
#include "frontend/app/climate_import_dialog.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/own_climate_list.h"
#include "frontend/help/help_dialogs.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/own_climate.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/platform/platform.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>
#include <variant>

namespace varmkalk {

namespace {

constexpr char kMeterHelp[] = "Matarhjalp";
constexpr int kNumberWidthChars = 12;
constexpr int kResultWidthChars = 72;
constexpr int kTempDecimals = 1;
constexpr int kFactorSignificantDigits = 4;
// The climate list's entry after the six places.
constexpr int kOwnClimateEntry = static_cast<int>(core::kClimates.size());

QLineEdit* number_field(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QLatin1String(name));
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                         kNumberWidthChars);
  QObject::connect(field, &QLineEdit::textChanged, field,
                   [field] { set_field_background(field, kWhite); });
  return field;
}

}  // namespace

MeterDialog::MeterDialog(Platform& platform, FormInput form, const core::CostInputs& prices,
                         std::function<void(const QString&)> use_demand, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      form_(std::move(form)),
      prices_(prices),
      use_demand_(std::move(use_demand)) {
  setObjectName(QStringLiteral("matare"));
  setWindowTitle(QStringLiteral("Anpassa till mätaren"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* intro = new QLabel(
      QStringLiteral("Skriv årets gasförbrukning från gasräkningen och välj klimatet under den "
                     "mätta perioden. Programmet söker det maximala uppvärmningsbehov vid vilket "
                     "årets gas på räkningens sätt, med formulärets övriga indata och sommarens "
                     "varmvatten medräknat, blir den uppmätta."),
      this);
  intro->setWordWrap(true);

  amount_ = number_field(this, kMeterAmountField);
  auto* in_kwh = new QRadioButton(QStringLiteral("kWh"), this);
  in_kwh->setObjectName(QStringLiteral("matarenhet_kwh"));
  in_kwh->setChecked(true);
  in_m3_ = new QRadioButton(QStringLiteral("m³"), this);
  in_m3_->setObjectName(QStringLiteral("matarenhet_m3"));
  auto* units = new QButtonGroup(this);
  units->addButton(in_kwh);
  units->addButton(in_m3_);
  auto* amount_row = new QHBoxLayout;
  amount_row->addWidget(amount_);
  amount_row->addWidget(in_kwh);
  amount_row->addWidget(in_m3_);
  amount_row->addStretch();
  factor_ = number_field(this, kMeterFactorField);
  factor_->setText(
      platform_.locale().toString(prices_.gas_kwh_per_m3, 'g', kFactorSignificantDigits));
  factor_->setEnabled(false);
  connect(in_m3_, &QRadioButton::toggled, factor_, &QLineEdit::setEnabled);
  auto* amounts = new QFormLayout;
  amounts->addRow(QStringLiteral("Uppmätt gas under året:"), amount_row);
  amounts->addRow(QStringLiteral("kWh per m³ enligt räkningen:"), factor_);

  auto* period = new QGroupBox(QStringLiteral("Klimat under den mätta perioden"), this);
  climate_ = new QComboBox(period);
  climate_->setObjectName(QStringLiteral("matarklimat"));
  for (const core::Climate& place : core::kClimates) {
    climate_->addItem(from_utf8(place.place_name));
  }
  climate_->addItem(QStringLiteral("Egen klimatfil"));
  own_file_ = new QComboBox(period);
  own_file_->setEditable(true);
  own_file_->setInsertPolicy(QComboBox::NoInsert);
  own_file_->lineEdit()->setObjectName(QLatin1String(kMeterOwnFileField));
  design_temp_ = number_field(period, kMeterDesignTempField);
  import_ = new QPushButton(QStringLiteral("Importera…"), period);
  import_->setObjectName(QStringLiteral("matarimport"));
  auto* own_row = new QHBoxLayout;
  own_row->addWidget(own_file_, 1);
  own_row->addWidget(new QLabel(QStringLiteral("DUT (°C)"), period));
  own_row->addWidget(design_temp_);
  own_row->addWidget(import_);
  auto* advice = new QLabel(
      QStringLiteral("Säkrast blir anpassningen med klimatet för just det mätta året: hämta SMHI:s "
                     "dygnsdata för året med \"Importera…\" och välj Egen klimatfil."),
      period);
  advice->setWordWrap(true);
  auto* period_layout = new QVBoxLayout(period);
  period_layout->addWidget(climate_);
  period_layout->addLayout(own_row);
  period_layout->addWidget(advice);

  connect(climate_, &QComboBox::currentIndexChanged, this, [this] { show_own_controls(); });
  connect(own_file_, &QComboBox::textActivated, this, [this] {
    design_temp_->setText(
        platform_.locale().toString(own_file_->currentData().toDouble(), 'f', kTempDecimals));
  });
  connect(import_, &QPushButton::clicked, this, [this] {
    auto* dialog = new ClimateImportDialog(platform_, this);
    connect(dialog, &ClimateImportDialog::chosen, this, [this](const OwnClimateFile& file) {
      list_own_climate_files(*own_file_);
      own_file_->setEditText(file.name);
      design_temp_->setText(
          platform_.locale().toString(file.suggested_design_temp_c, 'f', kTempDecimals));
    });
    platform_.show_modal(*dialog);
  });

  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("matarresultat"));
  result_->setWordWrap(true);
  result_->setMinimumWidth(result_->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                           kResultWidthChars);
  result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* buttons = new QDialogButtonBox(this);
  auto* run = buttons->addButton(tr("&Anpassa"), QDialogButtonBox::ActionRole);
  run->setObjectName(QStringLiteral("anpassa"));
  run->setDefault(true);
  use_ = buttons->addButton(tr("An&vänd"), QDialogButtonBox::AcceptRole);
  use_->setObjectName(QStringLiteral("anvand"));
  use_->setEnabled(false);
  auto* help = buttons->addButton(QStringLiteral("Hjälp"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("matarhjalp"));
  buttons->addButton(QStringLiteral("Stäng"), QDialogButtonBox::RejectRole);
  connect(run, &QPushButton::clicked, this, &MeterDialog::fit);
  connect(use_, &QPushButton::clicked, this, [this] {
    if (form_demand_w_) {
      use_demand_(form_demand_text(*form_demand_w_, platform_.locale()));
      accept();
    }
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (QDialog* dialog = create_help_dialog(QLatin1String(kMeterHelp), this)) {
      platform_.show_modal(*dialog);
    }
  });
  // A changed field makes the result shown no longer the fields' own.
  for (QLineEdit* field : {amount_, factor_, design_temp_, own_file_->lineEdit()}) {
    connect(field, &QLineEdit::textEdited, this, [this] {
      use_->setEnabled(false);
      form_demand_w_.reset();
    });
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(amounts);
  layout->addWidget(period);
  layout->addWidget(result_);
  layout->addWidget(buttons);

  MeterInput start;
  start.own_climate = form_.own_climate;
  start.place = form_.climate;
  start.own_climate_file = form_.own_climate_file;
  start.own_design_outdoor_temp_c = form_.own_design_outdoor_temp_c;
  set_meter_input(start);
}

void MeterDialog::set_meter_input(const MeterInput& typed) {
  amount_->setText(typed.amount);
  in_m3_->setChecked(typed.unit == MeterUnit::m3);
  if (!typed.kwh_per_m3.isEmpty()) {
    factor_->setText(typed.kwh_per_m3);
  }
  list_own_climate_files(*own_file_);
  climate_->setCurrentIndex(typed.own_climate ? kOwnClimateEntry : static_cast<int>(typed.place));
  own_file_->setEditText(typed.own_climate_file);
  design_temp_->setText(typed.own_design_outdoor_temp_c);
  show_own_controls();
}

MeterInput MeterDialog::meter_input() const {
  MeterInput typed;
  typed.amount = amount_->text();
  typed.unit = in_m3_->isChecked() ? MeterUnit::m3 : MeterUnit::kwh;
  typed.kwh_per_m3 = factor_->text();
  typed.own_climate = climate_->currentIndex() == kOwnClimateEntry;
  if (!typed.own_climate) {
    typed.place = core::kClimates[static_cast<std::size_t>(climate_->currentIndex())].place;
  }
  typed.own_climate_file = own_file_->currentText();
  typed.own_design_outdoor_temp_c = design_temp_->text();
  return typed;
}

void MeterDialog::show_own_controls() {
  const bool own = climate_->currentIndex() == kOwnClimateEntry;
  for (QWidget* control : {static_cast<QWidget*>(own_file_), static_cast<QWidget*>(design_temp_)}) {
    control->setEnabled(own);
  }
  use_->setEnabled(false);
  form_demand_w_.reset();
}

void MeterDialog::fit() {
  use_->setEnabled(false);
  form_demand_w_.reset();
  const auto request = meter_request(form_, meter_input(), prices_, platform_.locale());
  if (const auto* fault = std::get_if<MeterFieldError>(&request)) {
    if (auto* field = findChild<QLineEdit*>(fault->field); field != nullptr) {
      set_field_background(field, kFaultYellow);
      field->setFocus();
    }
    result_->setText(fault->message);
    platform_.beep();
    return;
  }
  const MeterRequest& asked = std::get<MeterRequest>(request);
  const MeterOutcome outcome = run_meter_fit(
      asked, QDir::currentPath(), engine_climate_dir(QCoreApplication::applicationDirPath()));
  result_->setText(meter_outcome_lines(asked, outcome, platform_.locale()).join(QLatin1Char('\n')));
  form_demand_w_ = outcome.form_demand_w;
  use_->setEnabled(form_demand_w_.has_value());
}

QPushButton* add_meter_button(QDialog& form, Platform& platform,
                              std::function<FormInput()> form_input, const core::CostInputs& prices,
                              QLineEdit* demand_field) {
  QPushButton* button =
      add_button(&form, "anpassatillmataren", MeterDialog::tr("&Anpassa till mätaren…"),
                 twips_rect(360, 8745, 1950, 345));
  QObject::connect(button, &QPushButton::clicked, button,
                   [&form, &platform, form_input = std::move(form_input), &prices, demand_field] {
                     auto* dialog = new MeterDialog(
                         platform, form_input(), prices,
                         [demand_field](const QString& text) { demand_field->setText(text); },
                         &form);
                     platform.show_modal(*dialog);
                   });
  return button;
}

}  // namespace varmkalk
