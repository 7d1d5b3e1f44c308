#pragma once

#include "engine_run.h"

#include <QObject>
#include <QStringList>

#include <optional>

namespace varmkalk {

class MainMenu;
class Platform;

// "Beräkna och visa resultat": runs the engine on the working folder's styrfil.dat as a child
// process while the main menu stays responsive, and shows the engine's summary in the menu's
// result box once the engine has ended successfully.
class CalculationRun : public QObject {
  Q_OBJECT

 public:
  CalculationRun(Platform& platform, MainMenu& menu);
  ~CalculationRun() override;

  EngineRun& engine() { return engine_; }
  bool is_running() const { return engine_.is_running(); }

  // The handler of "Beräkna och visa resultat".
  void run();
  // The working files have been deleted or replaced: the next press runs the engine again
  // instead of showing the last summary.
  void forget_summary();

 private:
  void on_time_limit();
  void on_finished(const EngineOutcome& outcome);
  void end_run(const EngineOutcome& outcome);
  void show_summary();
  void show_failure(const QString& title, const QString& text);
  void set_busy(bool busy);
  void set_wait_cursor(bool wait);

  Platform& platform_;
  MainMenu& menu_;
  EngineRun engine_;
  // This cycle's engine run has succeeded: resultat.dat holds its summary and a second run would
  // only fail on the files it has already written.
  bool summary_ready_ = false;
  // What the successful engine printed as warnings, one line each.
  QStringList warnings_;
  bool wait_cursor_ = false;
  // While the user is asked whether to stop, the engine's end waits for the answer.
  bool asking_ = false;
  std::optional<EngineOutcome> outcome_while_asking_;
};

}  // namespace varmkalk
