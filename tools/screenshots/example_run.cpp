// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/screenshots/example_run.h"

#include "frontend/logic/form/form_case.h"
#include "frontend/logic/run/engine_run.h"

#include <QDir>
#include <QEventLoop>
#include <QTextStream>

#include <variant>

namespace varmkalk {

bool run_engine_here(const FormInput& input, const QString& identity, const QLocale& locale) {
  const QString folder = QDir::currentPath();
  const auto derived = derive_case(input, identity, locale);
  if (!std::holds_alternative<core::BoilerCase>(derived) ||
      write_control_file(folder, std::get<core::BoilerCase>(derived))) {
    return false;
  }
  EngineRun run;
  EngineOutcome outcome;
  QEventLoop loop;
  QObject::connect(&run, &EngineRun::finished, &loop, [&](const EngineOutcome& ended) {
    outcome = ended;
    loop.quit();
  });
  run.start(folder);
  loop.exec();
  if (outcome.status != EngineOutcome::Status::Succeeded) {
    QTextStream(stderr) << outcome.message << '\n' << outcome.engine_messages;
    return false;
  }
  return true;
}

}  // namespace varmkalk
