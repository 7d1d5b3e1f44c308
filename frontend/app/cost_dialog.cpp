// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/cost_dialog.h"

#include "frontend/app/dialog_buttons.h"
#include "frontend/app/form_widgets.h"
#include "frontend/help/twips.h"
#include "frontend/logic/cost/cost_fields.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/platform/platform.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <variant>

namespace varmkalk {

namespace {

constexpr char kCostHelp[] = "Kostnadshjalp";
constexpr int kFieldWidthChars = 10;

}  // namespace

CostDialog::CostDialog(Platform& platform, const core::CostInputs& prices, QWidget* parent)
    : QDialog(parent), platform_(platform), prices_(prices), shown_(prices) {
  setObjectName(QStringLiteral("kostnad"));
  setWindowTitle(QCoreApplication::translate("CostDialog", "Kostnad och klimat"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* intro =
      new QLabel(QCoreApplication::translate(
                     "CostDialog",
                     "Priser och utsläpp för hela året på gasräkningens villkor: gasen räknas i "
                     "kWh på det övre värmevärdet, som gasräkningen räknar."),
                 this);
  intro->setWordWrap(true);
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const core::CostQuantity& quantity = core::kCostQuantities[i];
    auto* field = new QLineEdit(this);
    field->setObjectName(from_utf8(quantity.key));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                           (kFieldWidthChars + 2));
    field->setToolTip(QCoreApplication::translate("CostDialog", "Standardvärde: %1")
                          .arg(from_utf8(quantity.source)));
    connect(field, &QLineEdit::textChanged, this, [field] { set_field_background(field, kWhite); });
    form->addRow(cost_field_label(quantity), field);
    fields_[i] = field;
  }
  show_prices(prices);

  QDialogButtonBox* buttons = add_dialog_buttons(
      *this, platform_, QLatin1String(kCostHelp), QStringLiteral("kostnadshjalp"),
      [this] { take_fields(); }, [this] { show_prices(core::default_cost_inputs()); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void CostDialog::show_prices(const core::CostInputs& prices) {
  shown_ = prices;
  const CostTexts texts = cost_texts(prices, platform_.locale());
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->setText(texts[i]);
  }
}

void CostDialog::take_fields() {
  CostTexts texts;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    texts[i] = fields_[i]->text();
  }
  const auto read = read_cost_texts(texts, shown_, platform_.locale());
  if (const auto* fault = std::get_if<CostFieldError>(&read)) {
    set_field_background(fields_[fault->index], kFaultYellow);
    fields_[fault->index]->setFocus();
    platform_.beep();
    platform_.message_box(this, QCoreApplication::translate("CostDialog", "Kostnad och klimat"),
                          fault->message, MessageIcon::Exclamation);
    return;
  }
  prices_ = std::get<core::CostInputs>(read);
  accept();
}

QPushButton* add_cost_button(QDialog& form, Platform& platform, core::CostInputs& prices) {
  QPushButton* button =
      add_button(&form, "kostnadochklimat", CostDialog::tr("&Kostnad och klimat…"),
                 twips_rect(2400, 8745, 2100, 345));
  QObject::connect(button, &QPushButton::clicked, button, [&form, &platform, &prices] {
    auto* dialog = new CostDialog(platform, prices, &form);
    QObject::connect(dialog, &QDialog::accepted, &form,
                     [dialog, &prices] { prices = dialog->prices(); });
    platform.show_modal(*dialog);
  });
  return button;
}

}  // namespace varmkalk
