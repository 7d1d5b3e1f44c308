// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/app/menu_fixture.h"

#include <QApplication>
#include <QSignalSpy>

namespace varmkalk::testing {

void MenuFixture::start_program(const QLocale& locale, const QString& engine_folder) {
  platform_ = std::make_unique<FakePlatform>();
  platform_->user_locale = locale;
  menu_ = std::make_unique<MainMenu>(*platform_);
  if (!engine_folder.isEmpty()) {
    menu_->engine_run().set_program_folder(engine_folder);
  }
  menu_->show();
}

void MenuFixture::end_program() {
  menu_.reset();
  platform_.reset();
  flush_deletions();
}

void MenuFixture::confirm(QDialog* identity_form, const QString& calc_id) {
  confirm_identity(*identity_form, calc_id);
  if (menu_->calc_id() != calc_id || !menu_->isVisible()) {
    qFatal("identity %s not confirmed", qPrintable(calc_id));
  }
}

void MenuFixture::complete(const QString& calc_id, const FormChanges& changes) {
  QDialog* form = platform_->last_modal();
  fill_worked_example(*form, platform_->user_locale);
  apply_changes(*form, changes);
  click(*form, "Command1");
  confirm(platform_->last_modal(), calc_id);
}

EngineOutcome MenuFixture::run_engine() {
  QSignalSpy finished(&menu_->engine_run(), &EngineRun::finished);
  click(*menu_, "Command2");
  if (child(*menu_, "Command2")->isEnabled() || QApplication::overrideCursor() == nullptr) {
    qFatal("no sign of a running calculation");
  }
  if (!finished.wait(kEngineWaitMs) || finished.size() != 1) {
    qFatal("the engine's end was not reported");
  }
  return finished.first().first().value<EngineOutcome>();
}

}  // namespace varmkalk::testing
