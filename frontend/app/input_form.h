// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/form/form_input.h"
#include "frontend/logic/kept/kept_calculations.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <optional>
#include <span>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varmkalk {

class InputForm;
class Platform;

// Opens the identity form over the input form once "Indata färdigt" has found the input complete.
// It runs while the input form is still open, so that its confirmation can read the input form
// and then unload it with InputForm::unload().
using IdentityFormOpener = std::function<void(InputForm& input_form)>;

// The input form `Inmatning`: the user describes the boiler, the heating system, the building and
// the climate. A fresh instance is made for every opening and deleted when it closes, so every
// opening starts from the design defaults.
class InputForm : public QDialog {
  Q_OBJECT

 public:
  InputForm(Platform& platform, IdentityFormOpener open_identity_form, QWidget* parent);

  // The choices and the texts of all its fields as they stand, hidden fields included.
  FormInput form_input() const;

  // Fills the form: its choices as if clicked, so that it shows the fields they need, and the
  // text of every field.
  void set_form_input(const FormInput& input);
  // The session's calculation that "Hämta indata…" offers first and "Föregående fall" fills the
  // form with; its inputs of cost and CO2 are the form's to start from.
  void set_previous_calculation(const std::optional<SessionCalculation>& previous);
  // Says above the form's added buttons that its input began as that calculation's.
  void show_started_from(const QString& identity);
  // The inputs of cost and CO2 as "Kostnad och klimat…" or "Hämta indata…" left them.
  const core::CostInputs& prices() const { return prices_; }
  // The heat pump "Värmepump…" or "Hämta indata…" left beside the boiler; empty for none.
  const std::optional<HeatPumpPlan>& heat_pump() const { return heat_pump_; }

  // Paints the named text field yellow, the mark of a value the user has to correct. A name that
  // is not one of the form's text fields is ignored.
  void mark_field(const QString& name);
  // For the correction of a case the engine refused: marks the fields the refusal names and,
  // once the form shows, tells `text`, which names them in the form's words.
  void show_correction(const QStringList& fields, const QString& text);
  // The identity the identity form offers, as typed before: a corrected case runs under the
  // identity of the run it corrects.
  void keep_identity(const QString& identity) { kept_identity_ = identity; }
  const QString& kept_identity() const { return kept_identity_; }

  // Closes the form after the identity has been confirmed; unlike "Tillbaka till startmenyn" it
  // leaves the main menu to the caller.
  void unload();

 signals:
  // The user abandoned the input: "Tillbaka till startmenyn" or the window's close control.
  void returned_to_start();

 public slots:
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void build_top_row();
  void build_component_band();
  void build_flue_gas();
  void build_boiler_sketch();
  void build_convection();
  void build_standby();
  void build_hot_water();
  void build_burner();
  void build_presets();
  void build_building();
  // "Egen klimatfil": the seventh climate choice, its file and its design temperature.
  void build_own_climate();
  void connect_own_climate();
  void build_own_design_temps();
  void connect_own_design_temps();
  // An option below a frame of options joins their group; `controls` show only while it is
  // chosen.
  void join_frame_options(const char* frame, QRadioButton& option,
                          std::span<const char* const> controls);
  void refresh_own_climate_files();
  void take_own_climate_file(const QString& name, double suggested_design_temp_c);
  void build_visibility_rules();
  void build_previous_case();

  void input_complete();
  // "Hämta indata…": the kept calculations to fill the form from.
  void fetch_inputs();
  void connect_help_buttons();

  QWidget* control(const char* name) const;
  QRadioButton* option(const char* name) const;
  QLineEdit* field(const char* name) const;

  Platform& platform_;
  IdentityFormOpener open_identity_form_;
  // The form's own controls by name, taken when the form is built, before any dialog opened
  // over it adds controls of the same names.
  QHash<QString, QWidget*> controls_;
  std::optional<SessionCalculation> previous_;
  core::CostInputs prices_ = core::default_cost_inputs();
  std::optional<HeatPumpPlan> heat_pump_;
  QPushButton* previous_button_ = nullptr;  // "Föregående fall"
  QLabel* started_from_ = nullptr;
  // The design temperature last suggested for an own climate file: replaced by the next
  // suggestion only while the user has not typed another.
  QString suggested_design_temp_;
  QString kept_identity_;
};

}  // namespace varmkalk
