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
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>
#include <variant>

namespace varmkalk {

namespace {

constexpr char kMeterHelp[] = "Matarhjalp";
constexpr int kNumberWidthChars = 12;
constexpr int kResultWidthChars = 72;
// Wide enough that the result's long lines take few rows, where the screen has the room.
constexpr int kPreferredWidthChars = 100;
constexpr double kHeadlineScale = 1.25;
// What the window frame and its title bar take around the dialog before it is first shown.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
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
  setWindowTitle(QCoreApplication::translate("MeterDialog", "Anpassa till mätaren"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* intro =
      new QLabel(QCoreApplication::translate(
                     "MeterDialog",
                     "Skriv årets gasförbrukning från gasräkningen och välj klimatet under den "
                     "mätta perioden. Programmet söker det maximala uppvärmningsbehov vid vilket "
                     "årets gas på räkningens sätt, med formulärets övriga indata och dygnen utan "
                     "värmebehov medräknade, blir den uppmätta."),
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
  amounts->addRow(meter_amount_label() + QLatin1Char(':'), amount_row);
  amounts->addRow(meter_factor_label() + QLatin1Char(':'), factor_);

  auto* period = new QGroupBox(
      QCoreApplication::translate("MeterDialog", "Klimat under den mätta perioden"), this);
  climate_ = new QComboBox(period);
  climate_->setObjectName(QStringLiteral("matarklimat"));
  for (const core::Climate& place : core::kClimates) {
    climate_->addItem(from_utf8(place.place_name));
  }
  climate_->addItem(QCoreApplication::translate("MeterDialog", "Egen klimatfil"));
  own_file_ = new QComboBox(period);
  own_file_->setEditable(true);
  own_file_->setInsertPolicy(QComboBox::NoInsert);
  own_file_->lineEdit()->setObjectName(QLatin1String(kMeterOwnFileField));
  design_temp_ = number_field(period, kMeterDesignTempField);
  import_ = new QPushButton(QCoreApplication::translate("MeterDialog", "Importera…"), period);
  import_->setObjectName(QStringLiteral("matarimport"));
  auto* own_row = new QHBoxLayout;
  own_row->addWidget(own_file_, 1);
  own_row->addWidget(new QLabel(QStringLiteral("DUT (°C)"), period));
  own_row->addWidget(design_temp_);
  own_row->addWidget(import_);
  auto* advice =
      new QLabel(QCoreApplication::translate(
                     "MeterDialog",
                     "Säkrast blir anpassningen med klimatet för just det mätta året: hämta SMHI:s "
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

  // The figure "Använd" writes stands out above the lines that explain it.
  headline_ = new QLabel(this);
  headline_->setObjectName(QStringLiteral("matarbesked"));
  headline_->setWordWrap(true);
  headline_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont headline_font = headline_->font();
  headline_font.setBold(true);
  headline_font.setPointSizeF(headline_font.pointSizeF() * kHeadlineScale);
  headline_->setFont(headline_font);
  headline_->hide();

  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("matarresultat"));
  result_->setWordWrap(true);
  result_->setMinimumWidth(result_->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                           kResultWidthChars);
  result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* buttons = new QDialogButtonBox(this);
  buttons_ = buttons;
  auto* run = buttons->addButton(tr("&Anpassa"), QDialogButtonBox::ActionRole);
  run->setObjectName(QStringLiteral("anpassa"));
  run->setDefault(true);
  use_ = buttons->addButton(tr("An&vänd"), QDialogButtonBox::AcceptRole);
  use_->setObjectName(QStringLiteral("anvand"));
  use_->setEnabled(false);
  auto* help = buttons->addButton(QCoreApplication::translate("MeterDialog", "Hjälp"),
                                  QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("matarhjalp"));
  buttons->addButton(QCoreApplication::translate("MeterDialog", "Stäng"),
                     QDialogButtonBox::RejectRole);
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
    connect(field, &QLineEdit::textEdited, this, &MeterDialog::forget_result);
  }

  content_ = new QWidget(this);
  auto* content_layout = new QVBoxLayout(content_);
  content_layout->setContentsMargins(QMargins());
  content_layout->addWidget(intro);
  content_layout->addLayout(amounts);
  content_layout->addWidget(period);
  content_layout->addWidget(headline_);
  content_layout->addWidget(result_);
  content_layout->addStretch();
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("matarinnehall"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setWidgetResizable(true);
  scroll_->setWidget(content_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll_, 1);
  layout->addWidget(buttons);
  setMinimumWidth(content_->minimumSizeHint().width() + layout->contentsMargins().left() +
                  layout->contentsMargins().right() +
                  scroll_->verticalScrollBar()->sizeHint().width());
  resize(result_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kPreferredWidthChars,
         height());

  MeterInput start;
  start.own_climate = form_.own_climate;
  start.place = form_.climate;
  start.own_climate_file = form_.own_climate_file;
  start.own_design_outdoor_temp_c = form_.own_design_outdoor_temp_c;
  set_meter_input(start);
  fit_to_content();
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
  forget_result();
}

void MeterDialog::forget_result() {
  use_->setEnabled(false);
  form_demand_w_.reset();
  headline_->clear();
  headline_->hide();
  result_->clear();
}

void MeterDialog::fit() {
  forget_result();
  const MeterInput typed = meter_input();
  const auto request = meter_request(form_, typed, prices_, platform_.locale());
  if (const auto* fault = std::get_if<MeterFieldError>(&request)) {
    if (auto* field = findChild<QLineEdit*>(fault->field); field != nullptr) {
      set_field_background(field, kFaultYellow);
      field->setFocus();
    }
    result_->setText(fault->message);
    fit_to_content();
    platform_.beep();
    return;
  }
  const MeterRequest& asked = std::get<MeterRequest>(request);
  if (typed.unit == MeterUnit::m3) {
    prices_.gas_kwh_per_m3 = asked.prices.gas_kwh_per_m3;
    emit factor_taken(asked.prices.gas_kwh_per_m3);
  }
  const MeterOutcome outcome = run_meter_fit(
      asked, QDir::currentPath(), engine_climate_dir(QCoreApplication::applicationDirPath()));
  const QString headline = meter_headline(outcome, platform_.locale());
  headline_->setText(headline);
  headline_->setVisible(!headline.isEmpty());
  result_->setText(meter_outcome_lines(asked, outcome, platform_.locale()).join(QLatin1Char('\n')));
  form_demand_w_ = outcome.form_demand_w;
  use_->setEnabled(form_demand_w_.has_value());
  fit_to_content();
}

void MeterDialog::fit_to_content() {
  const QScreen* shown_on = screen();
  if (shown_on == nullptr) {
    return;
  }
  const QRect available = shown_on->availableGeometry();
  const QSize frame =
      isVisible() ? frameGeometry().size() - size() : QSize(kFrameWidth, kFrameHeight);
  const QSize room(available.width() - frame.width(), available.height() - frame.height());
  const int width = std::max(minimumWidth(), std::min(this->width(), room.width()));
  const QMargins margins = layout()->contentsMargins();
  const int content_width = width - margins.left() - margins.right();
  const int content_height = content_->hasHeightForWidth() ? content_->heightForWidth(content_width)
                                                           : content_->sizeHint().height();
  const int wanted = margins.top() + content_height + layout()->spacing() +
                     buttons_->sizeHint().height() + margins.bottom();
  resize(width, std::min(wanted, room.height()));
  if (!isVisible()) {
    // Placed over its form when it is shown.
    return;
  }
  // Grown downwards, the frame stays on the screen: moved up and left where it would leave it.
  const QPoint corner = frameGeometry().topLeft();
  const int x =
      std::clamp(corner.x(), available.left(),
                 std::max(available.left(), available.right() + 1 - width - frame.width()));
  const int y = std::clamp(
      corner.y(), available.top(),
      std::max(available.top(), available.bottom() + 1 - this->height() - frame.height()));
  move(x, y);
  if (headline_->isVisible()) {
    scroll_->ensureWidgetVisible(headline_);
  }
}

QPushButton* add_meter_button(QDialog& form, Platform& platform,
                              std::function<FormInput()> form_input, core::CostInputs& prices,
                              QLineEdit* demand_field) {
  QPushButton* button =
      add_button(&form, "anpassatillmataren", MeterDialog::tr("&Anpassa till mätaren…"),
                 twips_rect(360, 8745, 1950, 345));
  // The reading typed last, for the dialog opened again over the same form.
  auto typed_last = std::make_shared<std::optional<MeterInput>>();
  QObject::connect(
      button, &QPushButton::clicked, button,
      [&form, &platform, form_input = std::move(form_input), &prices, demand_field, typed_last] {
        auto* dialog = new MeterDialog(
            platform, form_input(), prices,
            [demand_field](const QString& text) { demand_field->setText(text); }, &form);
        if (*typed_last) {
          MeterInput typed = **typed_last;
          // The factor is the session's, which "Kostnad och klimat…" may have changed meanwhile.
          typed.kwh_per_m3.clear();
          dialog->set_meter_input(typed);
        }
        QObject::connect(dialog, &MeterDialog::factor_taken, &form,
                         [&prices](double kwh_per_m3) { prices.gas_kwh_per_m3 = kwh_per_m3; });
        QObject::connect(dialog, &QDialog::finished, &form,
                         [dialog, typed_last] { *typed_last = dialog->meter_input(); });
        platform.show_modal(*dialog);
      });
  return button;
}

}  // namespace varmkalk
