// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run/case_run.h"
#include "frontend/logic/sweep/sweep_base.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

namespace varmkalk {

// A point's year as the engine's summary report gives it, or the message the engine would end
// with: the batch runner's result of one row.
using SweepResult = core::CaseResult;

// The climate files a sweep from this base can reach (its own, and for a climate sweep every
// choice), each read once, from the working folder or else from `fallback_dir` (empty: none), as
// the engine looks for them.
std::shared_ptr<const core::FoundClimates> sweep_climates(const SweepBase& base,
                                                          const QString& work_folder,
                                                          const QString& fallback_dir);

// The year of a case on its climate, which `climates` must hold: the case as the engine reads it
// from the control file written for it, so that the numbers are those kalvex would report.
SweepResult sweep_point_result(const core::BoilerCase& input, const core::FoundClimates& climates);

// The threads the sweeps run on, one per core. A pool of their own, since Qt's painting borrows
// threads of the global pool and would wait behind a long sweep.
QThreadPool& sweep_pool();

// Every case's year on the sweeps' pool, in memory; the results in the cases' order.
QFuture<SweepResult> start_sweep(std::vector<core::BoilerCase> cases,
                                 std::shared_ptr<const core::FoundClimates> climates);

// One sweep in the background, reported by signals to the thread that made it, so that its
// window stays responsive. Exactly one of finished or cancelled ends it.
class SweepJob : public QObject {
  Q_OBJECT

 public:
  // After this long a running sweep says so, for the window to show its progress and a way out.
  static constexpr std::chrono::milliseconds kSlowAfter{500};

  SweepJob(std::vector<core::BoilerCase> cases, std::shared_ptr<const core::FoundClimates> climates,
           QObject* parent = nullptr);
  // A sweep still running is cancelled, and the points already begun are waited for.
  ~SweepJob() override;

  void start();
  void cancel();
  bool is_running() const { return running_; }
  int point_count() const { return static_cast<int>(cases_.size()); }
  // Every point's result in order once finished has come; empty otherwise.
  const std::vector<SweepResult>& results() const { return results_; }

 signals:
  void taking_long();
  void progressed(int done, int total);
  void finished();
  void cancelled();

 private:
  void on_watcher_finished();

  std::vector<core::BoilerCase> cases_;
  std::shared_ptr<const core::FoundClimates> climates_;
  QFutureWatcher<SweepResult> watcher_;
  QTimer slow_timer_;
  bool running_ = false;
  bool cancel_requested_ = false;
  std::vector<SweepResult> results_;
};

}  // namespace varmkalk
