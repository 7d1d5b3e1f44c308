// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/calculation_run.h"

#include "frontend/logic/form/form_case.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/logic/run/result_files.h"
#include "frontend/logic/run/run_notices.h"
#include "frontend/platform/platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <optional>
#include <variant>

namespace varmkalk {

namespace {

// The pauses before and after "Ytterligare beräkning" appears, as the summary is shown.
constexpr int kSummaryPauseMs = 100;

// What the user can do after a run that gave no result; translated when it is shown.
QString next_step_text() {
  return QCoreApplication::translate(
      "CalculationRun",
      "Välj \"Rätta indata\" för att ändra indata för samma fall, eller \"Ytterligare "
      "beräkning\" för att börja om med indata och en ny beräkningsidentitet.");
}

// The engine writes a line or two; an engine out of control can write without end, which no
// message box or result box could show.
constexpr qsizetype kShownEngineLines = 20;
constexpr qsizetype kShownEngineLineLength = 200;

// The engine's console text as lines to show, cut to what a message box can hold.
QStringList engine_lines(const QString& engine_text) {
  if (engine_text.isEmpty()) {
    return {};
  }
  QStringList lines = engine_text.split(QLatin1Char('\n'));
  const qsizetype left_out = lines.size() - kShownEngineLines;
  if (left_out > 0) {
    lines.resize(kShownEngineLines);
  }
  for (QString& line : lines) {
    line.remove(QLatin1Char('\r'));
    if (line.size() > kShownEngineLineLength) {
      line = line.left(kShownEngineLineLength) + QChar(0x2026);
    }
  }
  if (left_out > 0) {
    lines += QCoreApplication::translate("CalculationRun", "(ytterligare %1 rader visas inte)")
                 .arg(left_out);
  }
  return lines;
}

}  // namespace

CalculationRun::CalculationRun(Platform& platform, QWidget& dialog_parent)
    : QObject(&dialog_parent), platform_(platform), dialog_parent_(dialog_parent) {
  connect(&engine_, &EngineRun::time_limit_reached, this, &CalculationRun::on_time_limit);
  connect(&engine_, &EngineRun::finished, this, &CalculationRun::on_finished);
}

CalculationRun::~CalculationRun() {
  set_wait_cursor(false);
}

void CalculationRun::run() {
  if (engine_.is_running()) {
    return;
  }
  if (summary_ready_ && platform_.file_exists(result_file_name())) {
    show_summary();
    return;
  }
  if (!platform_.file_exists(control_file_name())) {
    // Left by "Tillbaka till startmenyn" before a new input was complete: only the input form
    // writes the control file again, so the input form is where this press leads.
    emit input_needed();
    return;
  }
  forget_summary();
  set_busy(true);
  engine_.start(QDir::currentPath());
}

void CalculationRun::forget_summary() {
  summary_ready_ = false;
  notices_.clear();
  year_.reset();
}

std::shared_ptr<const CalculationYear> CalculationRun::year() {
  if (!year_) {
    year_ = std::make_shared<const CalculationYear>(
        folder_year(QDir::currentPath(), engine_climate_dir(engine_.program_folder())));
  }
  return year_;
}

void CalculationRun::on_time_limit() {
  if (!engine_.is_running()) {
    return;
  }
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(engine_.time_limit()).count();
  set_wait_cursor(false);
  asking_ = true;
  const bool stop = platform_.ask_yes_no(
      &dialog_parent_, QCoreApplication::translate("CalculationRun", "Beräkningen tar lång tid"),
      QCoreApplication::translate(
          "CalculationRun",
          "Beräkningsprogrammet har räknat i mer än %1 sekunder utan att bli klart.\n"
          "Vill du avbryta beräkningen?\n\n"
          "Svarar du Nej fortsätter beräkningen och frågan kommer igen om %1 sekunder.")
          .arg(seconds));
  asking_ = false;
  if (outcome_while_asking_) {
    // The engine ended while the question was open: its end counts, not the answer.
    const EngineOutcome outcome = *outcome_while_asking_;
    outcome_while_asking_.reset();
    end_run(outcome);
    return;
  }
  set_wait_cursor(true);
  if (stop) {
    engine_.stop();
  } else {
    engine_.restart_time_limit();
  }
}

void CalculationRun::on_finished(const EngineOutcome& outcome) {
  if (asking_) {
    outcome_while_asking_ = outcome;
    return;
  }
  end_run(outcome);
}

void CalculationRun::end_run(const EngineOutcome& outcome) {
  set_busy(false);
  if (outcome.status != EngineOutcome::Status::NotStarted) {
    emit engine_ran();
  }
  QString text = outcome.message;
  const QString engine_text = outcome.engine_messages.trimmed();
  switch (outcome.status) {
    case EngineOutcome::Status::Succeeded:
      summary_ready_ = true;
      // Days on which the boiler fell short, a year without a heating day: the summary alone
      // does not say so. The engine warns in its own words; the year computed again here gives
      // the same facts in the user's number format, with the reason where the model knows it.
      if (!engine_text.isEmpty()) {
        const std::optional<QStringList> notices = calculation_notices(*year(), platform_.locale());
        notices_ = notices && !notices->isEmpty() ? *notices : engine_lines(engine_text);
      }
      show_summary();
      return;
    case EngineOutcome::Status::NotStarted:
      emit result_cleared();
      platform_.beep();
      platform_.message_box(
          &dialog_parent_,
          QCoreApplication::translate("CalculationRun", "Beräkningen kunde inte startas"), text,
          MessageIcon::Exclamation);
      return;
    case EngineOutcome::Status::Failed:
    case EngineOutcome::Status::Stopped:
      break;
  }
  if (!engine_text.isEmpty()) {
    text +=
        QCoreApplication::translate("CalculationRun", "\n\nBeräkningsprogrammets meddelande:\n") +
        engine_lines(engine_text).join(QLatin1Char('\n'));
  }
  show_failure(outcome.status == EngineOutcome::Status::Stopped
                   ? QCoreApplication::translate("CalculationRun", "Beräkningen avbröts")
                   : QCoreApplication::translate("CalculationRun", "Beräkningen misslyckades"),
               text + QStringLiteral("\n\n") + next_step_text());
}

void CalculationRun::show_summary() {
  const std::variant<QStringList, FileError> summary = read_summary(QDir::currentPath());
  if (const auto* error = std::get_if<FileError>(&summary)) {
    forget_summary();
    show_failure(QCoreApplication::translate("CalculationRun", "Resultatet kunde inte läsas"),
                 error->message + QStringLiteral("\n\n") + next_step_text());
    return;
  }
  platform_.sleep_ms(kSummaryPauseMs);
  emit further_calculation_offered();
  platform_.sleep_ms(kSummaryPauseMs);
  emit summary_ready(notices_, std::get<QStringList>(summary), year());
}

void CalculationRun::show_failure(const QString& title, const QString& text) {
  // Nothing in the result box may look like a result; "Ytterligare beräkning" leads on.
  emit result_cleared();
  emit further_calculation_offered();
  emit run_failed();
  platform_.beep();
  platform_.message_box(&dialog_parent_, title, text, MessageIcon::Exclamation);
}

void CalculationRun::set_busy(bool busy) {
  emit busy_changed(busy);
  set_wait_cursor(busy);
}

void CalculationRun::set_wait_cursor(bool wait) {
  if (wait == wait_cursor_) {
    return;
  }
  wait_cursor_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace varmkalk
