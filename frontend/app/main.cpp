#include "frontend/app/main_menu.h"
#include "frontend/app/platform/qt_platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varmkalk"));
  // The installed menu entry's name: lets the desktop match the window to its entry and icon.
  QApplication::setDesktopFileName(QStringLiteral("se.varmkalk.Varmkalk"));
  // The program ends with its main menu, never because the last visible window closed: the menu
  // is hidden while the input form is open.
  QApplication::setQuitOnLastWindowClosed(false);

  varmkalk::QtPlatform platform;
  varmkalk::MainMenu menu(platform);
  QObject::connect(&menu, &varmkalk::MainMenu::program_ended, &app, &QCoreApplication::quit);
  menu.show();
  return QApplication::exec();
}
