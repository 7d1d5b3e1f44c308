// Renders the forms of varmkalk to PNG files in the folder given as the only argument:
//   varmkalk_screenshots DIR
// Run it with QT_QPA_PLATFORM=offscreen (scripts/screenshots.sh does).

#include "help_dialogs.h"
#include "identity_form.h"
#include "input_form.h"
#include "main_menu.h"
#include "platform/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

using varmkalk::InputForm;

bool save(QWidget& widget, const QDir& dir, const QString& name) {
  widget.show();
  QApplication::processEvents();
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  const bool saved = widget.grab().save(path);
  QTextStream(stdout) << (saved ? "skrev " : "kunde inte skriva ") << path << Qt::endl;
  widget.hide();
  return saved;
}

// A fresh input form with the named options clicked in order.
bool save_input_form(varmkalk::Platform& platform, const QDir& dir, const QString& name,
                     const QStringList& clicks) {
  auto form = std::make_unique<InputForm>(platform, varmkalk::IdentityFormOpener{}, nullptr);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  for (const QString& option : clicks) {
    form->findChild<QAbstractButton*>(option)->click();
  }
  return save(*form, dir, name);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varmkalk"));
  if (argc != 2) {
    std::fputs("användning: varmkalk_screenshots KATALOG\n", stderr);
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "kan inte skapa katalogen %s\n", argv[1]);
    return 1;
  }
  varmkalk::QtPlatform platform;
  bool ok = true;

  varmkalk::MainMenu menu(platform);
  ok &= save(menu, dir, QStringLiteral("Huvudmeny-start"));
  menu.switch_to_input_ready();
  menu.show_further_calculation();
  for (int line = 1; line <= 45; ++line) {
    menu.append_result_line(QStringLiteral("Rad %1  %2  %3")
                                .arg(line, 2)
                                .arg(line * 12.5, 10, 'f', 1)
                                .arg(line * 0.37, 8, 'f', 2));
  }
  ok &= save(menu, dir, QStringLiteral("Huvudmeny-resultat"));

  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-ny"), {});
  for (const char* option :
       {"enstegbr", "modbr", "vvja", "vvnej", "konvkonstant", "konveffekt", "sbkonst", "sbeff"}) {
    ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-%1").arg(option),
                          {QString::fromLatin1(option)});
  }
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-alla-konstanter"),
                        {"enstegbr", "vvja", "konvkonstant", "sbkonst"});
  ok &= save_input_form(platform, dir, QStringLiteral("Inmatning-alla-effekter"),
                        {"modbr", "vvja", "konveffekt", "sbeff"});

  {
    InputForm input_form(platform, varmkalk::IdentityFormOpener{}, nullptr);
    input_form.setAttribute(Qt::WA_DeleteOnClose, false);
    varmkalk::IdentityForm identity(platform, input_form);
    identity.setAttribute(Qt::WA_DeleteOnClose, false);
    ok &= save(identity, dir, QStringLiteral("inutdata"));
  }

  for (const char* name :
       {"inmatningsord", "HelpBurn", "Form3", "Helpkonv", "stillestand", "Form1", "HelpHeat"}) {
    const std::unique_ptr<QDialog> help(
        varmkalk::create_help_dialog(QString::fromLatin1(name), nullptr));
    ok &= help != nullptr && save(*help, dir, QString::fromLatin1(name));
  }
  const std::unique_ptr<QDialog> info(varmkalk::create_proginfo(nullptr));
  ok &= save(*info, dir, QStringLiteral("proginfo"));

  return ok ? 0 : 1;
}
