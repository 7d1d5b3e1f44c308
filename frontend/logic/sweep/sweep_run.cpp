// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/sweep/sweep_run.h"

#include "core/formats/control_file.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/sweep/sweep_inputs.h"

#include <QtConcurrent/QtConcurrentMap>

#include <exception>
#include <filesystem>

namespace varmkalk {

std::shared_ptr<const core::FoundClimates> sweep_climates(const SweepBase& base,
                                                          const QString& work_folder,
                                                          const QString& fallback_dir) {
  const std::vector<SweepPoint> climates = sweep_points(SweepInput::climate, base, {});
  std::vector<core::BoilerCase> cases{base.input};
  for (const SweepPoint& point : climates) {
    cases.push_back(point.input);
  }
  return std::make_shared<const core::FoundClimates>(cases, to_path(work_folder),
                                                     optional_folder_path(fallback_dir));
}

SweepResult sweep_point_result(const core::BoilerCase& input, const core::FoundClimates& climates) {
  core::BoilerCase as_read;
  try {
    // Numbers below 0.1 may not keep every digit in the control file's eleven columns.
    as_read = core::read_control_lines(core::control_file_lines(input));
  } catch (const std::exception& e) {
    SweepResult refused;
    refused.message = e.what();
    return refused;
  }
  return core::run_case(as_read, climates.of(as_read));
}

QThreadPool& sweep_pool() {
  static QThreadPool pool;
  return pool;
}

QFuture<SweepResult> start_sweep(std::vector<core::BoilerCase> cases,
                                 std::shared_ptr<const core::FoundClimates> climates) {
  return QtConcurrent::mapped(&sweep_pool(), std::move(cases),
                              [climates = std::move(climates)](const core::BoilerCase& input) {
                                return sweep_point_result(input, *climates);
                              });
}

SweepJob::SweepJob(std::vector<core::BoilerCase> cases,
                   std::shared_ptr<const core::FoundClimates> climates, QObject* parent)
    : QObject(parent), cases_(std::move(cases)), climates_(std::move(climates)) {
  slow_timer_.setSingleShot(true);
  slow_timer_.setInterval(kSlowAfter);
  connect(&slow_timer_, &QTimer::timeout, this, [this] {
    if (is_running()) {
      emit taking_long();
    }
  });
  connect(&watcher_, &QFutureWatcher<SweepResult>::progressValueChanged, this,
          [this](int done) { emit progressed(done, point_count()); });
  connect(&watcher_, &QFutureWatcher<SweepResult>::finished, this, &SweepJob::on_watcher_finished);
}

SweepJob::~SweepJob() {
  watcher_.disconnect(this);
  if (watcher_.isRunning()) {
    watcher_.cancel();
    watcher_.waitForFinished();
  }
}

void SweepJob::start() {
  if (is_running()) {
    return;
  }
  running_ = true;
  cancel_requested_ = false;
  results_.clear();
  watcher_.setFuture(start_sweep(cases_, climates_));
  slow_timer_.start();
}

void SweepJob::cancel() {
  // A sweep whose last point is done but not yet reported is cancelled all the same: the user
  // asked before seeing its results.
  if (!running_) {
    return;
  }
  cancel_requested_ = true;
  watcher_.cancel();
}

void SweepJob::on_watcher_finished() {
  slow_timer_.stop();
  running_ = false;
  if (cancel_requested_ || watcher_.isCanceled()) {
    emit cancelled();
    return;
  }
  const QList<SweepResult> all = watcher_.future().results();
  results_.assign(all.begin(), all.end());
  emit finished();
}

}  // namespace varmkalk
