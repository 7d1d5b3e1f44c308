// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/chart_window.h"

#include "core/tests/support/worked_example.h"
#include "frontend/app/main_menu.h"
#include "frontend/examples/climate_table.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/kept/kept_year.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/tests/app/engine_folder.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"
#include "frontend/tests/support/file_bytes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <optional>
#include <vector>

using varmkalk::ChartWindow;
using varmkalk::testing::child;
using varmkalk::testing::engine_folder;
using varmkalk::testing::FakePlatform;
using varmkalk::testing::file_bytes;
using varmkalk::testing::kEngineWaitMs;
using varmkalk::testing::write_case_folder;

namespace {

// The made-up days too warm to heat: 16 °C.
constexpr int kWarmTenths = 160;

ChartWindow* find_chart_window() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<ChartWindow*>(widget);
        window != nullptr && window->isVisible()) {
      return window;
    }
  }
  return nullptr;
}

void trigger(const ChartWindow& window, const char* action) {
  window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

}  // namespace

Q_DECLARE_METATYPE(varmkalk::core::BoilerCase)

class ChartWindowTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void init() { work_dir_.enter(); }

  void cleanup() {
    // Collected first: a window takes its export menu, a top-level popup, with it.
    QList<QPointer<ChartWindow>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* window = qobject_cast<ChartWindow*>(widget)) {
        windows.append(window);
      }
    }
    qDeleteAll(windows);
    end_program();
  }

  void menu_offers_the_charts_with_the_summary() {
    varmkalk::core::BoilerCase input = varmkalk::testing::worked_example();
    input.identity = varmkalk::core::CalcIdentity("h123");
    QVERIFY(write_case_folder(QDir::currentPath(), input, 0, std::nullopt));
    start_program(QLocale::c(), engine_folder());
    menu_->switch_to_input_ready();
    auto* diagram = child<QPushButton>(*menu_, "Command6");
    QCOMPARE(diagram->text(), QStringLiteral("&Diagram"));
    QVERIFY(!diagram->isVisible());

    run_engine();
    QTRY_VERIFY(diagram->isVisible());
    // In a place of its own, as large as the other buttons.
    QCOMPARE(diagram->size(), child(*menu_, "Command2")->size());
    for (const char* other : {"Command2", "Command3", "Command4", "Command5", "Text1"}) {
      QVERIFY(!diagram->geometry().intersects(child(*menu_, other)->geometry()));
    }

    varmkalk::testing::click(*menu_, "Command6");
    ChartWindow* window = find_chart_window();
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Diagram – h123"));
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QCOMPARE(window->tabs()->count(), 6);
    // The same summary as the menu's, below the year's cost, for the report's first page.
    QVERIFY(menu_->result_text().endsWith(
        window->year().summary_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    QVERIFY(window->year().cost);
    QVERIFY(platform_->messages.empty());
    // Beside the window the menu goes on: "Ytterligare beräkning" takes the button away.
    varmkalk::testing::click(*menu_, "Command5");
    QVERIFY(!diagram->isVisible());
    QVERIFY(window->isVisible());
  }

  void window_exports_every_format_data() {
    QTest::addColumn<varmkalk::core::BoilerCase>("input");
    QTest::addColumn<int>("climate_days");
    QTest::addColumn<bool>("warm");
    QTest::addColumn<QStringList>("unavailable");
    varmkalk::core::BoilerCase single = varmkalk::testing::worked_example();
    single.identity = varmkalk::core::CalcIdentity("ett");
    QTest::newRow("single-stage, Malmö") << single << 0 << false << QStringList{};
    varmkalk::core::BoilerCase modulating = varmkalk::testing::modulating_example();
    modulating.identity = varmkalk::core::CalcIdentity("mod");
    modulating.building.design_heat_demand_w = 16000.0f;  // more than the burner on cold days
    modulating.combustion.pilot_power_w = 80.0f;
    QTest::newRow("modulating, too small") << modulating << 0 << false << QStringList{};
    QTest::newRow("366 days") << single << 366 << false << QStringList{};
    QTest::newRow("10 days") << single << 10 << false
                             << QStringList{QStringLiteral("energi-per-manad")};
    QStringList every;
    for (const varmkalk::ChartInfo& info : varmkalk::chart_infos()) {
      every << info.file_stem;
    }
    QTest::newRow("no heating day") << single << 365 << true << every;
  }
  void window_exports_every_format() {
    QFETCH(varmkalk::core::BoilerCase, input);
    QFETCH(int, climate_days);
    QFETCH(bool, warm);
    QFETCH(QStringList, unavailable);
    QVERIFY(write_case_folder(QDir::currentPath(), input, climate_days,
                              warm ? std::optional(kWarmTenths) : std::nullopt));
    FakePlatform platform;
    platform.user_locale = QLocale(QLocale::Swedish, QLocale::Sweden);
    ChartWindow* window = varmkalk::open_calculation_charts(
        platform,
        varmkalk::folder_year(QDir::currentPath(), varmkalk::engine_climate_dir(engine_folder())),
        {}, nullptr);
    QVERIFY(window != nullptr);
    QSignalSpy first_chart(window, &ChartWindow::first_chart_shown);
    QTRY_COMPARE(first_chart.count(), 1);

    const QDir out(QDir::currentPath());
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
      window->tabs()->setCurrentIndex(tab);
      const auto* page = static_cast<const varmkalk::ChartPage*>(window->tabs()->widget(tab));
      const QString stem = page->info().file_stem;
      // A chart without data says why instead of drawing an empty frame.
      QCOMPARE(page->findChild<QLabel*>(QStringLiteral("unavailable")) != nullptr,
               unavailable.contains(stem));
      platform.save_answers = {out.filePath(stem + ".png"), out.filePath(stem + ".pdf")};
      trigger(*window, "export_png");
      trigger(*window, "export_pdf");
      const QImage image = QImage::fromData(file_bytes(out.filePath(stem + ".png")), "PNG");
      QCOMPARE(image.size(), QSize(2000, 1280));
      QVERIFY(file_bytes(out.filePath(stem + ".pdf")).startsWith("%PDF"));
    }
    platform.save_answers = {out.filePath("rapport.pdf"), out.filePath("dagar.csv")};
    trigger(*window, "export_report");
    trigger(*window, "export_csv");
    const QByteArray report = file_bytes(out.filePath("rapport.pdf"));
    QVERIFY(report.startsWith("%PDF"));
    QCOMPARE(report.count("/Type /Page\n") + report.count("/Type /Page\r"), 7);
    const QByteArray csv = file_bytes(out.filePath("dagar.csv"));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(csv.count("\r\n"), static_cast<qsizetype>(window->year().days.size()) + 1);
    QVERIFY(csv.contains(";"));
    QVERIFY(platform.messages.empty());

    varmkalk::testing::click(*window, "close");
    QVERIFY(!window->isVisible());
  }

  void kept_calculation_from_its_files() {
    varmkalk::core::BoilerCase input = varmkalk::testing::worked_example();
    input.identity = varmkalk::core::CalcIdentity("kvar");
    QVERIFY(write_case_folder(QDir::currentPath(), input, 0, std::nullopt));
    varmkalk::EngineRun run;
    run.set_program_folder(engine_folder());
    QSignalSpy ended(&run, &varmkalk::EngineRun::finished);
    run.start(QDir::currentPath());
    QVERIFY(ended.wait(kEngineWaitMs));
    QVERIFY(QFile::remove(QStringLiteral("styrfil.dat")));

    FakePlatform platform;
    std::vector<varmkalk::KeptCalculation> kept =
        varmkalk::list_kept_calculations(QDir::currentPath()).calculations;
    std::erase_if(kept, [](const varmkalk::KeptCalculation& calculation) {
      return calculation.identity != QStringLiteral("kvar");
    });
    QCOMPARE(kept.size(), std::size_t{1});
    const std::vector<varmkalk::CalculationYear> again = varmkalk::kept_years(
        kept, QDir::currentPath(), varmkalk::engine_climate_dir(engine_folder()));
    QVERIFY(!varmkalk::year_fault(again.front()));
    ChartWindow* window =
        varmkalk::open_kept_charts(platform, QDir::currentPath(), QStringLiteral("kvar"),
                                   engine_folder(), again.front(), nullptr);
    QVERIFY(window != nullptr);
    QVERIFY(child<QLabel>(*window, "note")->text().contains(QStringLiteral("resultatfilerna")));
    QVERIFY(window->findChildren<QLabel*>(QStringLiteral("unavailable")).isEmpty());

    // A cancelled dialog writes nothing; a file that cannot be written is named.
    trigger(*window, "export_csv");
    QCOMPARE(platform.events.last(), QStringLiteral("save kvar-dagsvarden.csv"));
    platform.save_answers = {QDir::current().filePath(QStringLiteral("saknas/fil.csv"))};
    trigger(*window, "export_csv");
    QCOMPARE(platform.messages.size(), std::size_t{1});
    QVERIFY(platform.messages.front().text.contains(QStringLiteral("saknas/fil.csv")));

    // Without its daily files a kept calculation has no charts, and the user is told why.
    QVERIFY(varmkalk::open_kept_charts(
                platform, QDir::currentPath(), QStringLiteral("bort"), engine_folder(),
                varmkalk::CalculationYear(QStringLiteral("ej sparad")), nullptr) == nullptr);
    QVERIFY(platform.messages.back().text.contains(QStringLiteral("bort.dat")));
  }
};

QTEST_MAIN(ChartWindowTest)
#include "chart_window_test.moc"
