// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/sweep_button.h"

#include "frontend/app/form_widgets.h"
#include "frontend/help/twips.h"
#include "frontend/logic/form/engine_case.h"
#include "frontend/logic/sweep/sweep_base.h"
#include "frontend/platform/added_window.h"
#include "frontend/platform/platform.h"
#include "frontend/sweep/sweep_window.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace varmkalk {

QPushButton* add_sweep_button(QDialog& form, Platform& platform,
                              std::function<FormInput()> form_input, const QString& program_folder,
                              std::function<core::CostInputs()> prices,
                              std::function<std::optional<HeatPumpPlan>()> heat_pump) {
  QPushButton* button = add_button(&form, "kanslighetsanalys",
                                   QCoreApplication::translate("SweepButton", "Känslighetsanalys…"),
                                   twips_rect(2400, 8310, 2100, 420));
  const auto refresh = [button, &platform, form_input] {
    button->setEnabled(engine_case_possible(form_input(), platform.locale()));
  };
  for (QLineEdit* field : form.findChildren<QLineEdit*>()) {
    QObject::connect(field, &QLineEdit::textChanged, button, refresh);
  }
  for (QAbstractButton* option : form.findChildren<QAbstractButton*>()) {
    if (option->isCheckable()) {
      QObject::connect(option, &QAbstractButton::toggled, button, refresh);
    }
  }
  refresh();

  QObject::connect(
      button, &QPushButton::clicked, button,
      [&form, &platform, form_input = std::move(form_input), program_folder,
       prices = std::move(prices), heat_pump = std::move(heat_pump)] {
        std::variant<SweepBase, QString> base = sweep_base(form_input(), platform.locale());
        if (const auto* fault = std::get_if<QString>(&base)) {
          platform.beep();
          platform.message_box(&form,
                               QCoreApplication::translate("SweepButton", "Känslighetsanalys"),
                               *fault, MessageIcon::Exclamation);
          return;
        }
        std::get<SweepBase>(base).prices = prices();
        std::get<SweepBase>(base).heat_pump = heat_pump();
        auto* window =
            new SweepWindow(platform, std::get<SweepBase>(base), program_folder, nullptr);
        // Kept open beside the form, and after it, while the program runs.
        QWidget* owner = form.parentWidget() != nullptr ? form.parentWidget() : &form;
        open_added_window(*window, owner, &form);
      });
  return button;
}

}  // namespace varmkalk
