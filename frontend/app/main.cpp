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

#include "frontend/logic/run/working_folder.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varmkalk"));
  // The installed menu entry's name: lets the desktop match the window to its entry and icon.
  QApplication::setDesktopFileName(QStringLiteral("se.varmkalk.Varmkalk"));
  // The program ends with its main menu, never because the last visible window closed: the menu
  // is hidden while the input form is open.
  QApplication::setQuitOnLastWindowClosed(false);
  varmkalk::install_qt_translations(app, QLocale());

  varmkalk::QtPlatform platform;
  // Started from a desktop menu the current folder is often the home folder: the result files
  // get a folder of their own instead.
  const varmkalk::StartFolders start{
      QDir::currentPath(), qEnvironmentVariable("HOME"),
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
  const std::variant<QString, varmkalk::FileError> folder =
      varmkalk::choose_working_folder(QApplication::arguments().mid(1), start);
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
