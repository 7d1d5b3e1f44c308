// SPDX-License-Identifier: GPL-3.0-or-later
// "Föregående fall": a variant of the session's previous case without fetching it from a file.

#include "frontend/app/form_widgets.h"
#include "frontend/app/input_form.h"
#include "frontend/help/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace varmkalk {

void InputForm::build_previous_case() {
  // Above "Hämta indata…", in the free corner under the burner's fields.
  previous_button_ = add_button(this, "foregaendefall",
                                QCoreApplication::translate("InputForm", "&Föregående fall"),
                                twips_rect(360, 7740, 1875, 420));
  previous_button_->setToolTip(QCoreApplication::translate(
      "InputForm", "Fyller formuläret med sessionens föregående beräkning (Alt+F)"));
  previous_button_->setEnabled(false);
  started_from_ = add_label(this, "startfall", QString(), twips_rect(2400, 7740, 2280, 420));
  started_from_->setWordWrap(true);
  connect(previous_button_, &QPushButton::clicked, this, [this] {
    if (previous_) {
      set_form_input(previous_->input);
      show_started_from(previous_->identity);
    }
  });
}

void InputForm::show_started_from(const QString& identity) {
  started_from_->setText(
      QCoreApplication::translate("InputForm", "Ifyllt från beräkningen %1").arg(identity));
}

}  // namespace varmkalk
