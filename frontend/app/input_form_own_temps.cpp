// SPDX-License-Identifier: GPL-3.0-or-later
// The third heating-system choice of the input form: the design supply and return temperatures
// the user types, for floor heating, low-temperature or generously sized radiators.

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "frontend/app/form_widgets.h"
#include "frontend/app/input_form.h"
#include "frontend/controls/control_names.h"
#include "frontend/help/help_dialogs.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/platform/platform.h"

namespace varmkalk {

namespace {

// The controls shown only while "Egna temperaturer" is chosen.
constexpr std::array<const char*, 5> kOwnTempControls{"framdim_label", "framdim", "returdim_label",
                                                      "returdim", "Egnatemp_hjalp"};

QString own_temp_label(const char* field) {
  return QCoreApplication::translate("FormFields", form_field(field).shown);
}

}  // namespace

void InputForm::build_own_design_temps() {
  // Below the frame of the two lettered systems, which they fill: the option joins their group by
  // a button group of its own, and its two fields stand on the row beneath it.
  auto* own = new QRadioButton(QCoreApplication::translate("InputForm", "Egna temperaturer"), this);
  own->setObjectName(QStringLiteral("Egnatemp"));
  own->setGeometry(twips_rect(4920, 6900, 2055, 255));
  add_label(this, "framdim_label", own_temp_label("framdim"), twips_rect(4920, 7275, 975, 225));
  add_field(this, "framdim", twips_rect(5910, 7245, 555, 285));
  add_label(this, "returdim_label", own_temp_label("returdim"), twips_rect(6570, 7275, 975, 225));
  add_field(this, "returdim", twips_rect(7560, 7245, 555, 285));
  add_button(this, "Egnatemp_hjalp", QCoreApplication::translate("InputForm", "Hjälp"),
             twips_rect(8220, 7230, 735, 315));
}

void InputForm::connect_own_design_temps() {
  join_frame_options("varmesystem", *option("Egnatemp"), kOwnTempControls);
  connect(qobject_cast<QPushButton*>(control("Egnatemp_hjalp")), &QPushButton::clicked, this,
          [this] {
            if (QDialog* dialog =
                    create_help_dialog(QLatin1String(control::help::kOwnTempsDialog), this)) {
              platform_.show_modal(*dialog);
            }
          });
}

}  // namespace varmkalk
