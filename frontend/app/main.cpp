// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/folder_claim.h"
#include "frontend/app/main_menu.h"
#include "frontend/platform/qt_platform.h"
#include "frontend/platform/qt_translation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <optional>
#include <variant>

#include "frontend/logic/run/ui_language.h"
#include "frontend/logic/run/working_folder.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varmkalk"));
  // The installed menu entry's name: lets the desktop match the window to its entry and icon.
  QApplication::setDesktopFileName(QStringLiteral("se.varmkalk.Varmkalk"));
  // The program ends with its main menu, never because the last visible window closed: the menu
  // is hidden while the input form is open.
  QApplication::setQuitOnLastWindowClosed(false);
  varmkalk::QtPlatform platform;
  const std::variant<varmkalk::StartArguments, QString> arguments =
      varmkalk::start_arguments(QApplication::arguments().mid(1));
  if (const auto* refusal = std::get_if<QString>(&arguments)) {
    platform.message_box(nullptr, QCoreApplication::translate("Main", "VARMKALK kan inte starta"),
                         *refusal, varmkalk::MessageIcon::Exclamation);
    return 2;
  }
  const auto& started = std::get<varmkalk::StartArguments>(arguments);
  // The windows' language for this start; Qt's own texts follow it, numbers the user's locale.
  const varmkalk::UiLanguage language =
      started.language.value_or(varmkalk::system_ui_language(QLocale::system().uiLanguages()));
  varmkalk::install_qt_translations(app, varmkalk::ui_locale(language));

  // Started from a desktop menu the current folder is often the home folder: the result files
  // get a folder of their own instead.
  const varmkalk::StartFolders start{
      QDir::currentPath(), qEnvironmentVariable("HOME"),
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
  const std::variant<QString, varmkalk::FileError> folder =
      varmkalk::choose_working_folder(started.rest, start);
  if (const auto* error = std::get_if<varmkalk::FileError>(&folder)) {
    platform.message_box(nullptr, QCoreApplication::translate("Main", "VARMKALK kan inte starta"),
                         error->message, varmkalk::MessageIcon::Exclamation);
    return 1;
  }
  // One VARMKALK per folder, for the whole run: the lock goes when the program ends.
  const std::optional<varmkalk::ClaimedFolder> claimed =
      varmkalk::claim_working_folder(platform, std::get<QString>(folder), start);
  if (!claimed) {
    return 0;
  }
  QDir::setCurrent(claimed->path);
  varmkalk::MainMenu menu(platform);
  QObject::connect(&menu, &varmkalk::MainMenu::program_ended, &app, &QCoreApplication::quit);
  menu.show();
  return QApplication::exec();
}
