// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/identity_form.h"

#include "frontend/app/fonts.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/input_form.h"
#include "frontend/controls/control_names.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/form_case.h"
#include "frontend/logic/run/calc_identity.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <variant>

namespace varmkalk {

namespace {

constexpr double kHeadingPointSize = 12.0;
constexpr double kIdentityPointSize = 9.75;

}  // namespace

IdentityForm::IdentityForm(Platform& platform, InputForm& input_form)
    : QDialog(&input_form), platform_(platform), input_form_(input_form) {
  setObjectName(QStringLiteral("inutdata"));
  setWindowTitle(QCoreApplication::translate("IdentityForm", "Beräkningsidentitet"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(twips_size(4650, 2625));
  move(twips(5070), twips(3600));
  setFont(sans_font(kDefaultPointSize));
  set_background(this, kGrey);

  QLabel* heading =
      add_label(this, control::identity::kHeading,
                QCoreApplication::translate("IdentityForm", "Beräkningens identitet (4 tecken)"),
                twips_rect(0, 120, 4665, 360));
  heading->setFont(sans_font(kHeadingPointSize, true));
  heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  // The summary files of earlier calculations, read once: their identities are taken.
  auto* earlier = new QListWidget(this);
  earlier->setObjectName(QStringLiteral("fillista"));
  earlier->setGeometry(twips_rect(360, 540, 2055, 1035));
  earlier->addItems(summary_file_list(QDir::currentPath()));

  identity_field_ = add_field(this, "utdatafil", twips_rect(2760, 540, 1575, 375));
  identity_field_->setMaxLength(static_cast<int>(kIdentityLength));
  identity_field_->setFont(sans_font(kIdentityPointSize));
  // A corrected case offers the identity of the run it corrects, ready to confirm or type over.
  identity_field_->setText(input_form.kept_identity());
  identity_field_->selectAll();

  QPushButton* ok = add_button(this, control::identity::kOk, QStringLiteral("OK"),
                               twips_rect(2880, 1200, 1365, 375));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &IdentityForm::confirm);

  QLabel* explanation =
      add_label(this, "beridforklaring",
                QCoreApplication::translate(
                    "IdentityForm",
                    "Resultat från tidigare beräkningar vars fyra första tecken inte kan användas"),
                twips_rect(360, 1680, 2055, 735));
  explanation->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  explanation->setWordWrap(true);

  setTabOrder(identity_field_, ok);
  setTabOrder(ok, earlier);
  identity_field_->setFocus();
}

QString IdentityForm::calc_id() const {
  return identity_field_->text();
}

void IdentityForm::confirm() {
  const QString identity = calc_id();
  if (const std::optional<QString> refusal = new_identity_refusal(identity)) {
    platform_.beep();
    refuse(QCoreApplication::translate("IdentityForm", "Beräkningsidentitet"), *refusal,
           MessageIcon::Exclamation);
    return;
  }
  // The engine never overwrites a result file: an identity with any file of its own is taken.
  const QString folder = QDir::currentPath();
  if (identity_in_use(folder, identity)) {
    refuse(QString(), identity_in_use_message(identity), MessageIcon::None);
    return;
  }

  const std::variant<core::BoilerCase, FieldError> derived =
      derive_case(input_form_.form_input(), identity, platform_.locale());
  if (const auto* error = std::get_if<FieldError>(&derived)) {
    platform_.beep();
    input_form_.mark_field(error->field);
    platform_.message_box(this, QCoreApplication::translate("IdentityForm", "Felaktigt värde"),
                          error->message, MessageIcon::Exclamation);
    return;
  }
  if (const std::optional<FileError> error =
          write_control_file(folder, std::get<core::BoilerCase>(derived))) {
    platform_.beep();
    platform_.message_box(
        this, QCoreApplication::translate("IdentityForm", "Styrfilen kunde inte skrivas"),
        error->message, MessageIcon::Exclamation);
    return;
  }
  emit confirmed(identity);
}

void IdentityForm::refuse(const QString& title, const QString& text, MessageIcon icon) {
  platform_.message_box(this, title, text, icon);
  identity_field_->setFocus();
  identity_field_->selectAll();
}

}  // namespace varmkalk
