// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/run/engine_run.h"
#include "frontend/logic/run/folder_year.h"

#include <QWidget>

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace varmkalk {

class Platform;

// "Beräkna och visa resultat": runs the engine on the working folder's styrfil.dat as a child
// process while the window that started it stays responsive, and hands over the engine's summary
// once the engine has ended successfully. It reports through its signals; questions and messages
// open over `dialog_parent`.
class CalculationRun : public QObject {
  Q_OBJECT

 public:
  CalculationRun(Platform& platform, QWidget& dialog_parent);
  ~CalculationRun() override;

  EngineRun& engine() { return engine_; }
  bool is_running() const { return engine_.is_running(); }

  // The handler of "Beräkna och visa resultat".
  void run();
  // The working files have been deleted or replaced: the next press runs the engine again
  // instead of showing the last summary.
  void forget_summary();

 signals:
  // The engine runs, or has ended: what would touch its files is to be disabled meanwhile.
  void busy_changed(bool busy);
  // "Ytterligare beräkning" leads on from here.
  void further_calculation_offered();
  // There is no control file to run: a new input is to be typed.
  void input_needed();
  // Nothing shown may look like a result any more.
  void result_cleared();
  // The engine has run and may have made the identity's files, whether or not it succeeded.
  void engine_ran();
  // The run ended without a summary to show (the engine refused the case, was stopped, or left
  // no summary that can be read); told before the user is.
  void run_failed();
  // The summary's lines to show, what the user should know of the year beside them (one
  // paragraph each, none when all went well), and the year run in memory that the cost and the
  // charts take.
  void summary_ready(const QStringList& notices, const QStringList& lines,
                     std::shared_ptr<const CalculationYear> year);

 private:
  void on_time_limit();
  void on_finished(const EngineOutcome& outcome);
  void end_run(const EngineOutcome& outcome);
  void show_summary();
  void show_failure(const QString& title, const QString& text);
  void set_busy(bool busy);
  void set_wait_cursor(bool wait);
  // The successful run's year, run in memory on first need and kept until the summary is
  // forgotten.
  std::shared_ptr<const CalculationYear> year();

  Platform& platform_;
  QWidget& dialog_parent_;
  EngineRun engine_;
  // This cycle's engine run has succeeded: resultat.dat holds its summary and a second run would
  // only fail on the files it has already written.
  bool summary_ready_ = false;
  // What the user should know of the successful run's year, one paragraph each.
  QStringList notices_;
  std::shared_ptr<const CalculationYear> year_;
  bool wait_cursor_ = false;
  // While the user is asked whether to stop, the engine's end waits for the answer.
  bool asking_ = false;
  std::optional<EngineOutcome> outcome_while_asking_;
};

}  // namespace varmkalk
