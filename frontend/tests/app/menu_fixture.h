// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/app/main_menu.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"

#include <QDialog>
#include <QLocale>
#include <QObject>
#include <QString>

#include <memory>

namespace varmkalk::testing {

// Generous, so that a loaded machine never fails a test; a year's run takes well under a second.
inline constexpr int kEngineWaitMs = 60'000;

// What the tests through the main menu share: the working folder and the program in it, the main
// menu over a recording platform. A test class derives from it and calls these from its slots.
class MenuFixture : public QObject {
 protected:
  // A new recording platform with the user's `locale` and the main menu over it, shown; the menu
  // runs the engine of `engine_folder` when one is given.
  void start_program(const QLocale& locale, const QString& engine_folder = {});
  // For cleanup(): the menu and the platform go, and what their forms left to be deleted.
  void end_program();

  // Types the identity into the open identity form and presses "OK"; stops the test when the
  // menu has not taken it.
  void confirm(QDialog* identity_form, const QString& calc_id);

  // The input form is open: fills it with the worked example in the user's locale, makes the
  // changes, presses "Indata färdigt" and confirms the identity.
  void complete(const QString& calc_id, const FormChanges& changes = {});

  // Presses "Beräkna och visa resultat" and waits for the engine's end, which the menu has
  // handled when the spy sees it.
  EngineOutcome run_engine();

  WorkingFolder work_dir_;
  std::unique_ptr<FakePlatform> platform_;
  std::unique_ptr<MainMenu> menu_;
};

}  // namespace varmkalk::testing
