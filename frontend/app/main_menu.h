// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cost/year_cost.h"
#include "frontend/app/input_form.h"
#include "frontend/logic/heatpump/side_by_side_view.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/run/folder_year.h"
#include "frontend/logic/run/result_files.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace varmkalk {

class CalculationRun;
class EngineRun;
class Platform;

// The main menu `Huvudmeny`: the program's window for its whole run. It starts a calculation
// cycle, shows the engine's summary in `Text1` and ends the program. While the input form is
// open it is hidden, not destroyed, so that its result box keeps its text.
class MainMenu : public QWidget {
  Q_OBJECT

 public:
  explicit MainMenu(Platform& platform, QWidget* parent = nullptr);

  Platform& platform() { return platform_; }

  // Makes the menu visible and active again without changing any of its controls.
  void show_again();
  // After a confirmed identity: shows `Label1`, `Text1` and `Command2`, hides `Command1`;
  // "Beräkna och visa resultat" becomes the next step.
  void switch_to_input_ready();
  // Once the engine's summary can be read: shows `Command5`, the next step.
  void show_further_calculation();
  // While the engine runs, the buttons that would touch its files are disabled.
  void set_engine_running(bool running);

  // The identity confirmed last, empty until the first confirmation.
  QString calc_id() const { return confirmed_ ? confirmed_->identity : QString(); }
  // The engine run of "Beräkna och visa resultat".
  EngineRun& engine_run();

  // The result box `Text1`; its lines are separated by CR LF.
  QString result_text() const;
  void set_result_text(const QString& text);
  // Adds `line` and a line break at the end of the result box.
  void append_result_line(const QString& line);
  void clear_result_text();
  // The summary in the result box, the notices above it broken into lines that the box shows
  // whole, an empty line between, and above the summary the calculation's year `year` (see
  // folder_year) on the gas bill's terms; "Diagram" then shows that year.
  void show_summary(const QStringList& notices, const QStringList& lines,
                    std::shared_ptr<const CalculationYear> year);
  // The calculation a summary is shown for, as the identity form confirms it: its prices and its
  // heat pump. For a summary shown without the cycle.
  void set_confirmed(const SessionCalculation& calculation) { confirmed_ = calculation; }
  // The two columns of the boiler and the chosen heat pump above the summary, or why they
  // cannot be had, broken to `columns`.
  void show_heat_pump(const CalculationYear& year, const core::CostInputs& prices, int columns);

  // The identity files of the calculation whose engine run made them and whose keeping the user
  // has not yet decided, as far as they exist; empty when no calculation awaits that answer.
  QStringList undecided_files() const;

  // Hides the menu and opens the input form modally, filled with `input` when one is given (its
  // choices as if clicked, every field's text) and else fresh; returns when that form is closed.
  void open_input_form(const std::optional<FormInput>& input = std::nullopt);
  // How the input form opens the identity form once its input is complete. The default shows
  // the identity form `inutdata`.
  void set_identity_form_opener(IdentityFormOpener opener);

  // Unloads the menu, which ends the program.
  void end_program();

 signals:
  // The menu has been closed, by "Avsluta programmet" or through its window frame.
  void program_ended();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter presses the focused button, else the button of the next step.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Deletes the working files and opens the input form, filled with `input` when one is given.
  void new_calculation(const std::optional<FormInput>& input = std::nullopt);
  // "Ytterligare beräkning", "Beräkna och visa resultat" without a control file, and "Rätta
  // indata" with the refused case: settles the files of the calculation before, asking about them
  // where they await an answer, then opens the input form. The question closed without an answer
  // leaves the files, and "Diagram" where it was.
  void next_cycle(const std::optional<FormInput>& input);
  // After a run without a summary: empty files of the run go, and "Rätta indata" is offered.
  void after_failed_run();
  void show_program_info();
  // "Diagram": the charts of the calculation whose summary is shown, in a window of their own.
  void show_charts();
  void exit_program();
  // "Ja" to the keep question about `calc_id`: the inputs file of the calculation confirmed under
  // it is written beside its result files.
  void keep_inputs(const QString& calc_id);
  // "Avsluta programmet" while the files of a calculation are not settled yet.
  void exit_with_unsettled_results(const QStringList& files);
  // Deletes the working files, and on "Nej" the undecided calculation's files, which are settled
  // from then on however the deletion went. Returns the files that are left.
  QList<DeletionFailure> settle_files(KeepFiles answer);
  // Makes `button` the default button and gives it the focus.
  void set_next_step(QPushButton* button);
  void open_identity_form(InputForm& input_form);
  // Deletes the named files of the working folder; a missing file is no error. Returns the files
  // that are left.
  QList<DeletionFailure> delete_cycle_files(const QStringList& names);
  // Tells the user which files could not be deleted and why. Returns false when styrfil.dat or
  // resultat.dat is among them: a new cycle cannot begin past them, which the message explains
  // when one was to begin.
  bool tell_files_left(const QList<DeletionFailure>& failures, bool before_new_cycle);

  Platform& platform_;
  IdentityFormOpener identity_form_opener_;
  CalculationRun* run_;
  // The calculation confirmed last, with the input it was confirmed with.
  std::optional<SessionCalculation> confirmed_;
  // The identity of the calculation whose engine run may have made files that the user has
  // neither kept nor deleted yet; empty when there is none. Only these files may be deleted
  // by an answer: files once kept stay kept.
  QString undecided_id_;
  // The summary shown last, without the notices above it: the charts take its annual figures.
  QStringList summary_lines_;
  // The shown calculation's year run in memory, which its cost and its charts take.
  std::shared_ptr<const CalculationYear> shown_year_;
  // The shown calculation's year on the gas bill's terms, above its summary; the charts take it.
  std::optional<core::YearCost> shown_cost_;
  // The heat pump shown beside the boiler, where one was chosen and could be computed.
  std::optional<ShownHeatPump> shown_sides_;
  QPushButton* new_calculation_button_;  // Command1
  QPushButton* run_button_;              // Command2
  QPushButton* exit_button_;             // Command3
  QPushButton* further_button_;          // Command5
  QPushButton* chart_button_;            // Command6, "Diagram"
  QPushButton* correct_button_;          // "Rätta indata", after a run without a summary
  QPushButton* info_button_;             // Command4
  QPushButton* next_step_ = nullptr;     // the default button
  QLabel* result_heading_;               // Label1
  QPlainTextEdit* result_box_;           // Text1
};

}  // namespace varmkalk
