// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/engine_run.h"

#include "core/formats/climate_file.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/windows1252_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace varmkalk {

namespace {

// The engine's console texts: UTF-8 where they are valid, else the engine's 8-bit code page.
QString decode_engine_text(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  return utf8.hasError() ? from_windows1252(bytes) : text;
}

EngineOutcome make_outcome(EngineOutcome::Status status, const QString& message,
                           const QString& engine_messages = {}) {
  return {status, engine_messages, message};
}

}  // namespace

QString find_engine_program(const QString& program_folder) {
  const QString name = QLatin1String(kEngineProgramName);
  if (!program_folder.isEmpty()) {
    const QString beside = QStandardPaths::findExecutable(name, {program_folder});
    if (!beside.isEmpty()) {
      return beside;
    }
  }
  return QStandardPaths::findExecutable(name);
}

QString engine_climate_dir(const QString& program_folder) {
  const QString engine = find_engine_program(program_folder);
  if (engine.isEmpty()) {
    return {};
  }
  // The engine finds its folder through the link /proc/self/exe, which is resolved.
  const QString resolved = QFileInfo(engine).canonicalFilePath();
  return QFile::decodeName(
      QByteArray::fromStdString(core::climate_dir_beside(to_path(resolved)).string()));
}

EngineRun::EngineRun(QObject* parent)
    : QObject(parent), program_folder_(QCoreApplication::applicationDirPath()) {
  time_limit_timer_.setSingleShot(true);
  connect(&time_limit_timer_, &QTimer::timeout, this, &EngineRun::time_limit_reached);
}

EngineRun::~EngineRun() {
  if (process_ != nullptr) {
    process_->disconnect(this);
    process_->kill();
    process_->waitForFinished();
  }
}

void EngineRun::set_program_folder(const QString& folder) {
  program_folder_ = folder;
}

void EngineRun::set_time_limit(std::chrono::milliseconds limit) {
  time_limit_ = limit;
}

void EngineRun::start(const QString& working_folder) {
  if (process_ != nullptr) {
    return;
  }
  stop_requested_ = false;
  const QString program = find_engine_program(program_folder_);
  if (program.isEmpty()) {
    // A file of that name that cannot be run is there, not missing: say so.
    const QString beside = QDir(program_folder_).filePath(QLatin1String(kEngineProgramName));
    const QString text =
        QFileInfo::exists(beside)
            ? QCoreApplication::translate(
                  "EngineRun",
                  "Beräkningsprogrammet %1 finns men kan inte köras: det är ingen "
                  "körbar fil. Beräkningen kan inte göras.")
                  .arg(QDir::toNativeSeparators(beside))
            : QCoreApplication::translate(
                  "EngineRun",
                  "Beräkningsprogrammet %1 finns varken i programmets mapp %2 eller "
                  "i sökvägen (PATH). Beräkningen kan inte göras.")
                  .arg(QLatin1String(kEngineProgramName),
                       QDir::toNativeSeparators(program_folder_));
    const EngineOutcome not_found = make_outcome(EngineOutcome::Status::NotStarted, text);
    // Reported from the event loop, like every other end of a run.
    QMetaObject::invokeMethod(
        this, [this, not_found] { emit finished(not_found); }, Qt::QueuedConnection);
    return;
  }
  process_ = new QProcess(this);
  process_->setProgram(program);
  process_->setWorkingDirectory(working_folder);
  process_->setStandardOutputFile(QProcess::nullDevice());
  connect(process_, &QProcess::started, this, [this] { time_limit_timer_.start(time_limit_); });
  connect(process_, &QProcess::finished, this, &EngineRun::on_process_finished);
  connect(process_, &QProcess::errorOccurred, this, &EngineRun::on_process_error);
  process_->start();
}

void EngineRun::restart_time_limit() {
  if (process_ != nullptr) {
    time_limit_timer_.start(time_limit_);
  }
}

void EngineRun::stop() {
  if (process_ != nullptr) {
    stop_requested_ = true;
    process_->kill();
  }
}

void EngineRun::on_process_finished(int exit_code, QProcess::ExitStatus exit_status) {
  const QString engine_messages = decode_engine_text(process_->readAllStandardError());
  if (stop_requested_) {
    finish(make_outcome(EngineOutcome::Status::Stopped,
                        QCoreApplication::translate("EngineRun", "Beräkningen avbröts."),
                        engine_messages));
  } else if (exit_status == QProcess::CrashExit) {
    finish(make_outcome(
        EngineOutcome::Status::Failed,
        QCoreApplication::translate("EngineRun",
                                    "Beräkningsprogrammet avbröts oväntat. Beräkningen är inte "
                                    "klar."),
        engine_messages));
  } else if (exit_code != 0) {
    finish(make_outcome(
        EngineOutcome::Status::Failed,
        QCoreApplication::translate("EngineRun",
                                    "Beräkningen misslyckades: beräkningsprogrammet avslutades "
                                    "med felkod %1.")
            .arg(exit_code),
        engine_messages));
  } else {
    finish(make_outcome(EngineOutcome::Status::Succeeded, {}, engine_messages));
  }
}

void EngineRun::on_process_error(QProcess::ProcessError error) {
  // A crash is reported by finished as well; only a failed start ends the run here.
  if (error != QProcess::FailedToStart) {
    return;
  }
  finish(make_outcome(
      EngineOutcome::Status::NotStarted,
      QCoreApplication::translate("EngineRun",
                                  "Beräkningsprogrammet %1 kunde inte startas i mappen %2: %3")
          .arg(QDir::toNativeSeparators(process_->program()),
               QDir::toNativeSeparators(process_->workingDirectory()), process_->errorString())));
}

void EngineRun::finish(const EngineOutcome& outcome) {
  time_limit_timer_.stop();
  process_->disconnect(this);
  process_->deleteLater();
  process_ = nullptr;
  emit finished(outcome);
}

}  // namespace varmkalk
