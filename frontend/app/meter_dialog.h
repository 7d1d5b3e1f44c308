// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/cost_inputs.h"
#include "frontend/logic/cost/meter_reading.h"
#include "frontend/logic/form/form_input.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varmkalk {

class Platform;

// "Anpassa till mätaren": the year's metered gas and the climate of the metered period; "Anpassa"
// finds the design heat demand at which the form's house uses that gas on the bill's basis,
// "Använd" hands the form its demand, carried to the form's climate where that is another.
class MeterDialog : public QDialog {
  Q_OBJECT

 public:
  MeterDialog(Platform& platform, FormInput form, const core::CostInputs& prices,
              std::function<void(const QString&)> use_demand, QWidget* parent);

  // Fills the fields, as the user would type them.
  void set_meter_input(const MeterInput& typed);
  // "Anpassa": the fit for the fields as they stand.
  void fit();

 private:
  MeterInput meter_input() const;
  void show_own_controls();

  Platform& platform_;
  FormInput form_;
  core::CostInputs prices_;
  std::function<void(const QString&)> use_demand_;
  std::optional<float> form_demand_w_;
  QLineEdit* amount_ = nullptr;
  QRadioButton* in_m3_ = nullptr;
  QLineEdit* factor_ = nullptr;
  QComboBox* climate_ = nullptr;
  QComboBox* own_file_ = nullptr;
  QLineEdit* design_temp_ = nullptr;
  QPushButton* import_ = nullptr;
  QLabel* result_ = nullptr;
  QPushButton* use_ = nullptr;
};

// Adds "Anpassa till mätaren…" to the input form's row of added buttons, opening the dialog over
// the form for its input as it stands and the inputs of cost and CO2 in `prices`; "Använd" writes
// the demand into `demand_field`. Called once the form's own controls are built.
QPushButton* add_meter_button(QDialog& form, Platform& platform,
                              std::function<FormInput()> form_input, const core::CostInputs& prices,
                              QLineEdit* demand_field);

}  // namespace varmkalk
