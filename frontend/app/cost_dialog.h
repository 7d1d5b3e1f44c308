// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace varmkalk {

class Platform;

// "Kostnad och klimat": the prices and CO2 factors the year on the gas bill's terms is shown
// with. "OK" takes the fields when every one holds a number within its range, else names the
// first that does not and marks it; "Standardvärden" fills in the defaults; "Avbryt" keeps the
// values as they were.
class CostDialog : public QDialog {
  Q_OBJECT

 public:
  CostDialog(Platform& platform, const core::CostInputs& prices, QWidget* parent);

  // The values as taken by "OK", or as given while it has not been pressed.
  const core::CostInputs& prices() const { return prices_; }

 private:
  void take_fields();
  void show_prices(const core::CostInputs& prices);

  Platform& platform_;
  core::CostInputs prices_;
  core::CostInputs shown_;
  std::array<QLineEdit*, core::kCostQuantities.size()> fields_{};
};

// Adds "Kostnad och klimat…" to the input form's row of added buttons, opening the dialog over
// the form for `prices`, which "OK" changes. Called once the form's own controls are built.
QPushButton* add_cost_button(QDialog& form, Platform& platform, core::CostInputs& prices);

}  // namespace varmkalk
