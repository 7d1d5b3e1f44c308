// SPDX-License-Identifier: GPL-3.0-or-later
// The third heating-system choice of the input form: the design supply and return temperatures
// the user types, for floor heating, low-temperature or generously sized radiators.

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

#include "frontend/app/form_widgets.h"
#include "frontend/app/input_form.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/form_input.h"

namespace varmkalk {

namespace {

// The controls shown only while "Egna temperaturer" is chosen.
constexpr std::array<const char*, 4> kOwnTempControls{"framdim_label", "framdim", "returdim_label",
                                                      "returdim"};

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
  add_label(this, "framdim_label", own_temp_label("framdim"), twips_rect(4920, 7275, 735, 225));
  add_field(this, "framdim", twips_rect(5700, 7245, 555, 285));
  add_label(this, "returdim_label", own_temp_label("returdim"), twips_rect(6360, 7275, 795, 225));
  add_field(this, "returdim", twips_rect(7170, 7245, 555, 285));
}

void InputForm::connect_own_design_temps() {
  auto* group = new QButtonGroup(this);
  for (QRadioButton* system : control("varmesystem")->findChildren<QRadioButton*>()) {
    group->addButton(system);
  }
  QRadioButton* own = option("Egnatemp");
  group->addButton(own);
  const auto show_own_controls = [this](bool shown) {
    for (const char* name : kOwnTempControls) {
      control(name)->setVisible(shown);
    }
  };
  show_own_controls(false);
  connect(own, &QRadioButton::toggled, this, show_own_controls);
}

}  // namespace varmkalk
