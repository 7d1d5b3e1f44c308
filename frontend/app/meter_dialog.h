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
class QScrollArea;

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
  // The fields as they stand, as typed.
  MeterInput meter_input() const;
  // "Anpassa": the fit for the fields as they stand.
  void fit();

 signals:
  // A fit has counted m³ with the bill's factor `kwh_per_m3`: the session's factor from then on.
  void factor_taken(double kwh_per_m3);

 private:
  void show_own_controls();
  // A changed field: the result shown is no longer the fields' own, nor is "Använd".
  void forget_result();
  // Grows the dialog to show all it holds, as far as the screen has room; beyond that its
  // content scrolls and the buttons stay in sight.
  void fit_to_content();

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
  QScrollArea* scroll_ = nullptr;
  QWidget* content_ = nullptr;
  QLabel* headline_ = nullptr;
  QLabel* result_ = nullptr;
  QWidget* buttons_ = nullptr;
  QPushButton* use_ = nullptr;
};

// Adds "Anpassa till mätaren…" to the input form's row of added buttons, opening the dialog over
// the form for its input as it stands and the inputs of cost and CO2 in `prices`; "Använd" writes
// the demand into `demand_field`, and a fit in m³ gives `prices` the bill's factor. Opened again,
// the dialog shows the reading typed last, with the factor `prices` holds then. Called once the
// form's own controls are built.
QPushButton* add_meter_button(QDialog& form, Platform& platform,
                              std::function<FormInput()> form_input, core::CostInputs& prices,
                              QLineEdit* demand_field);

}  // namespace varmkalk
