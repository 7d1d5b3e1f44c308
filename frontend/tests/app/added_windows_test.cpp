// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/main_menu.h"
#include "frontend/charts/chart_window.h"
#include "frontend/compare/comparison_window.h"
#include "frontend/sweep/sweep_window.h"
#include "frontend/tests/app/engine_folder.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

using varmkalk::EngineOutcome;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::engine_folder;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

QWidget* top_level(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name && widget->isVisible()) {
      return widget;
    }
  }
  return nullptr;
}

}  // namespace

// The windows added beside the calculation cycle (charts, comparison, sweep) on a small screen,
// beside the input form, and "Föregående fall" in that form.
class AddedWindowsTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void init() {
    work_dir_.enter();
    start_program(kSwedish, engine_folder());
  }

  void cleanup() { end_program(); }

  // Run on a screen smaller than any window's wish (see CMakeLists.txt): every added window lies
  // on the screen's free area, and every button of it inside the window, reachable.
  void every_added_window_fits_a_small_screen() {
    open_all_added_windows();
    for (const char* name : {"Diagram", "jamforelse", "Kanslighetsanalys"}) {
      QWidget* window = top_level(QString::fromLatin1(name));
      QVERIFY2(window != nullptr, name);
      verify_on_screen(*window);
    }
    // The sweep's chart is what the window is for: at least half its height.
    QWidget* sweep = top_level(QStringLiteral("Kanslighetsanalys"));
    QVERIFY(child(*sweep, "sweep_chart")->height() * 2 >= sweep->height());
    // The form's added dialogs too.
    QDialog* form = platform_->last_modal();
    for (const char* button : {"kostnadochklimat", "anpassatillmataren", "varmepump"}) {
      click(*form, button);
      QDialog* dialog = platform_->last_modal();
      QVERIFY2(dialog != form, button);
      dialog->show();
      QApplication::processEvents();
      verify_on_screen(*dialog);
      dialog->reject();
    }
  }

  // On the same screen the main menu lies whole on the free area, every button of it inside. The
  // input form, taller than the screen, fits it too and scrolls: its controls keep their places
  // on a page of the form's size, and one that takes the focus is scrolled into view.
  void menu_and_input_form_fit_a_small_screen() {
    verify_on_screen(*menu_);
    click(*menu_, "Command1");
    QDialog* form = platform_->last_modal();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(available.contains(form->frameGeometry()));
    QVERIFY(child(*form, "Inmatning_sida")->height() > form->height());
    for (const char* name :
         {"anpassatillmataren", "kostnadochklimat", "varmepump", "hamtaindata", "cirkpump",
          "Command1", "returtillstart", "TempH", "anpassatillmataren"}) {
      QWidget* control = child(*form, name);
      control->setFocus();
      QApplication::processEvents();
      const QRect inside(control->mapTo(form, QPoint(0, 0)), control->size());
      QVERIFY2(form->rect().contains(inside), name);
    }
  }

  // The input form is modal to the main menu only: the charts, the comparison and the sweep are
  // windows of their own, no child of the menu, open beside it, and they go with the program.
  void added_windows_stay_usable_beside_the_input_form() {
    open_all_added_windows();
    auto* form = platform_->last_modal();
    QCOMPARE(form->objectName(), QStringLiteral("Inmatning"));
    QCOMPARE(form->windowModality(), Qt::WindowModal);
    std::vector<QPointer<QWidget>> added;
    for (const char* name : {"Diagram", "jamforelse", "Kanslighetsanalys"}) {
      QWidget* window = top_level(QString::fromLatin1(name));
      QVERIFY2(window != nullptr, name);
      QCOMPARE(window->parentWidget(), nullptr);
      QVERIFY(!window->isModal());
      QVERIFY(!menu_->isAncestorOf(window) && !form->isAncestorOf(window));
      added.emplace_back(window);
    }
    end_program();
    for (const QPointer<QWidget>& window : added) {
      QVERIFY(window.isNull());
    }
  }

  // By keyboard alone: every button of an added window is reached by Tab and has a mnemonic,
  // and Escape closes the window.
  void added_windows_work_by_keyboard() {
    open_all_added_windows();
    for (const char* name : {"Diagram", "jamforelse", "Kanslighetsanalys"}) {
      QPointer<QWidget> window = top_level(QString::fromLatin1(name));
      QVERIFY2(window != nullptr, name);
      for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(window) && button->window() == window) {
          QVERIFY2(button->focusPolicy() & Qt::TabFocus, qPrintable(button->text()));
          QVERIFY2(button->text().contains(QRegularExpression(QStringLiteral("&[^&]"))),
                   qPrintable(button->text()));
        }
      }
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
      QTest::keyClick(window, Qt::Key_Escape);
      QTRY_VERIFY2(window.isNull() || !window->isVisible(), name);
    }
  }

  // "Föregående fall" fills a fresh form with the session's previous case, as the correction of
  // a refused case does, and the form says which calculation it began as; before any
  // calculation there is nothing to take.
  void previous_case_fills_the_form() {
    click(*menu_, "Command1");
    QDialog* first = platform_->last_modal();
    QVERIFY(!child(*first, "foregaendefall")->isEnabled());
    complete(QStringLiteral("v1"), {{"modbr", QString()},
                                    {"modmax", QStringLiteral("18,1234519")},
                                    {"modmin", QStringLiteral("4")},
                                    {"modluft", QStringLiteral("20")},
                                    {"Tjugo", QString()}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command2");  // "Nej"
    auto* form = qobject_cast<varmkalk::InputForm*>(platform_->last_modal());
    QVERIFY(form != nullptr);
    QCOMPARE(child<QLineEdit>(*form, "modmax")->text(), QString());
    QVERIFY(child(*form, "foregaendefall")->isEnabled());
    click(*form, "foregaendefall");
    QCOMPARE(child<QLineEdit>(*form, "modmax")->text(), QStringLiteral("18,1234519"));
    QVERIFY(child(*form, "modmin")->isVisible() && child(*form, "enstegeff")->isHidden());
    QVERIFY(child<QLabel>(*form, "startfall")->text().contains(QStringLiteral("v1")));
    // The variant runs as any case typed by hand.
    varmkalk::testing::apply_changes(*form, {{"intemp", QStringLiteral("21")}});
    click(*form, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("v2"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
  }

 private:
  // A calculation kept, a second run with its charts open, the comparison of the two, and the
  // input form of a further calculation with a sweep open from it.
  // The window lies on the screen's free area and every button of it inside the window.
  static void verify_on_screen(const QWidget& window) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(available.contains(window.frameGeometry()), qPrintable(window.objectName()));
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
      if (button->isVisibleTo(&window) && button->window() == &window) {
        const QRect inside(button->mapTo(&window, QPoint(0, 0)), button->size());
        QVERIFY2(window.rect().contains(inside), qPrintable(button->text()));
      }
    }
  }

  void open_all_added_windows() {
    click(*menu_, "Command1");
    complete(QStringLiteral("a1"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");  // "Ja"
    complete(QStringLiteral("a2"), {{"intemp", QStringLiteral("21")}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command6");
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");  // "Ja"
    QDialog* form = platform_->last_modal();
    click(*form, "returtillstart");

    click(*menu_, "jamfor");
    QDialog* list = platform_->last_modal();
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    for (int i = 0; i < rows->topLevelItemCount(); ++i) {
      rows->topLevelItem(i)->setCheckState(0, Qt::Checked);
    }
    click(*list, "pick");

    click(*menu_, "Command5");
    form = platform_->last_modal();
    varmkalk::testing::fill_worked_example(*form, kSwedish);
    click(*form, "kanslighetsanalys");
    QTRY_VERIFY(!static_cast<varmkalk::SweepWindow*>(top_level(QStringLiteral("Kanslighetsanalys")))
                     ->is_sweeping());
    QApplication::processEvents();
  }
};

QTEST_MAIN(AddedWindowsTest)
#include "added_windows_test.moc"
