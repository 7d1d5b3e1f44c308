// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/heat_pump_plan.h"
#include "frontend/logic/heatpump/heat_pump_fields.h"
#include "frontend/logic/heatpump/heat_pump_units.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varmkalk {

class Platform;

// "Värmepump": the heat pump the result box shows beside the gas boiler, in the same house: a
// typical unit of a kind and size, or a certified one (a shipped Keymark declaration or any
// other file), the backup heater and the tanks around it, and what it costs to put in. "OK"
// takes the fields when every one holds a number within its range and the unit can be read,
// else names the first that does not and marks it; "Standardvärden" fills in the defaults;
// "Avbryt" keeps the plan as it was.
class HeatPumpDialog : public QDialog {
  Q_OBJECT

 public:
  HeatPumpDialog(Platform& platform, const std::optional<HeatPumpPlan>& plan,
                 const QString& heat_pump_folder, QWidget* parent);

  // The plan as taken by "OK" (empty: no heat pump), or as given while it has not been pressed.
  const std::optional<HeatPumpPlan>& plan() const { return plan_; }

 private:
  void build_unit_choice(QWidget* column);
  void build_settings(QWidget* column);
  void show_plan(const HeatPumpPlan& plan);
  // Shows units_[index] in the unit list.
  void list_unit(std::size_t index);
  // Adds `unit` to those offered and shows it; its index in units_.
  int offer_unit(OfferedUnit unit);
  // Adds the variants of a declaration the user picks and chooses its first.
  void open_other_file();
  // The unit as the choice controls stand, its settings the defaults.
  core::HeatPumpChoice shown_choice() const;
  void refresh_unit();
  void take_fields();
  QLineEdit* field_of(const QString& key) const;
  void refuse(QWidget* at, const QString& message);

  Platform& platform_;
  QString folder_;
  std::optional<HeatPumpPlan> plan_;
  HeatPumpPlan shown_;
  std::vector<OfferedUnit> units_;

  QCheckBox* enabled_ = nullptr;
  QRadioButton* generic_ = nullptr;
  QRadioButton* certified_ = nullptr;
  QComboBox* kind_ = nullptr;
  QComboBox* unit_ = nullptr;
  QLabel* scop_ = nullptr;
  QCheckBox* gas_closed_ = nullptr;
  std::vector<QLineEdit*> capacity_fields_;
  std::vector<QLineEdit*> setting_fields_;
  std::vector<QLineEdit*> economy_fields_;
};

// Adds "Värmepump…" to the input form's row of added buttons, opening the dialog over the form
// for `plan`, which "OK" changes.
QPushButton* add_heat_pump_button(QDialog& form, Platform& platform,
                                  std::optional<HeatPumpPlan>& plan);

}  // namespace varmkalk
