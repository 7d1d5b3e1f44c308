// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>

namespace varmkalk {

// The engine's program file, without the suffix that Windows adds.
inline constexpr char kEngineProgramName[] = "kalvex";

// The engine program in the given folder, else on the PATH; empty when neither holds it.
QString find_engine_program(const QString& program_folder);

// The climate folder beside the engine program found from `program_folder`: the engine's own
// fallback, ../share/varmkalk/climate from the folder of its executable. Empty when no engine is
// found.
QString engine_climate_dir(const QString& program_folder);

struct EngineOutcome {
  enum class Status {
    Succeeded,   // normal exit with status 0: resultat.dat may be read
    Failed,      // non-zero exit status or a crash
    NotStarted,  // the program was not found or could not be started
    Stopped,     // stopped by stop()
  };
  Status status = Status::NotStarted;
  QString engine_messages;  // the engine's own error output: warnings after success, else its error
  QString message;          // Swedish text for the user; empty after success
};

// One run of the engine in a working folder, without blocking the caller's event loop: the
// engine's end is reported by finished, a run that outlasts the time limit by
// time_limit_reached, after which the caller may stop it.
class EngineRun : public QObject {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeLimit{60'000};

  // Looks for the engine in the front end's own folder first.
  explicit EngineRun(QObject* parent = nullptr);
  ~EngineRun() override;

  void set_program_folder(const QString& folder);
  // Where the engine is looked for first.
  QString program_folder() const { return program_folder_; }
  void set_time_limit(std::chrono::milliseconds limit);
  std::chrono::milliseconds time_limit() const { return time_limit_; }

  // Starts the engine in the working folder with no arguments and returns at once. finished
  // follows exactly once, also when the engine cannot be found or started. Does nothing while
  // a run is going on.
  void start(const QString& working_folder);
  // Gives a running engine the whole time limit again, for a user who chose to go on waiting:
  // time_limit_reached follows once more if the engine outlasts it.
  void restart_time_limit();
  // Kills a running engine; finished follows with Status::Stopped.
  void stop();
  bool is_running() const { return process_ != nullptr; }

 signals:
  void time_limit_reached();
  void finished(const varmkalk::EngineOutcome& outcome);

 private:
  void on_process_finished(int exit_code, QProcess::ExitStatus exit_status);
  void on_process_error(QProcess::ProcessError error);
  void finish(const EngineOutcome& outcome);

  QString program_folder_;
  std::chrono::milliseconds time_limit_ = kDefaultTimeLimit;
  QProcess* process_ = nullptr;
  QTimer time_limit_timer_;
  bool stop_requested_ = false;
};

}  // namespace varmkalk
