// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/summary_report_reader.h"
#include "frontend/app/main_menu.h"
#include "frontend/charts/chart_window.h"
#include "frontend/compare/comparison_window.h"
#include "frontend/compare/kept_list_dialog.h"
#include "frontend/logic/run/engine_run.h"
#include "frontend/tests/app/engine_folder.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/app/menu_fixture.h"
#include "frontend/tests/support/file_bytes.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using varmkalk::ComparisonWindow;
using varmkalk::EngineOutcome;
using varmkalk::testing::child;
using varmkalk::testing::click;
using varmkalk::testing::engine_folder;
using varmkalk::testing::file_bytes;
using varmkalk::testing::working_files;
using varmkalk::testing::write_file;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

// The files of the working folder with their bytes.
QStringList folder_state() {
  QStringList state;
  for (const QString& name : working_files()) {
    state += name + QLatin1Char(' ') + QString::fromLatin1(file_bytes(name).toBase64());
  }
  return state;
}

template <typename Widget>
Widget* top_level(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name && widget->isVisible()) {
      return qobject_cast<Widget*>(widget);
    }
  }
  return nullptr;
}

// The row of the list whose identity column starts with `identity`.
QTreeWidgetItem* row_of(QTreeWidget* list, const QString& identity) {
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    if (list->topLevelItem(i)->text(0).section(QLatin1Char(' '), 0, 0) == identity) {
      return list->topLevelItem(i);
    }
  }
  qFatal("no row %s", qPrintable(identity));
}

}  // namespace

// Kept calculations through the real forms and the real engine: the inputs kept with "Ja",
// the form refilled from them in a later run of the program, and the comparison of kept
// calculations, among them one kept without an inputs file.
class KeptCalculationsTest : public varmkalk::testing::MenuFixture {
  Q_OBJECT

 private slots:
  void init() {
    work_dir_.enter();
    start_program(kSwedish, engine_folder());
  }

  void cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == QStringLiteral("jamforelse") ||
          widget->objectName() == QStringLiteral("Diagram")) {
        widget->close();
      }
    }
    end_program();
  }

  // Kept, the program ended and started again (on an English system this time): "Hämta indata…"
  // fills the form so that the next calculation's control file is the first one's.
  void refilled_form_writes_the_same_control_file() {
    click(*menu_, "Command1");
    complete(QStringLiteral("v1"), {{"modbr", QString()},
                                    {"modmax", QStringLiteral("18,25")},
                                    {"modmin", QStringLiteral("4,125")},
                                    {"modluft", QStringLiteral("22,5")},
                                    {"huseff", QStringLiteral("8,333")},
                                    {"Tjugo", QString()}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    const QByteArray first_control_file = file_bytes(QStringLiteral("styrfil.dat"));
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");  // "Ja"
    QVERIFY(QFile::exists(QStringLiteral("v1  indata.json")));
    click(*platform_->last_modal(), "returtillstart");
    click(*menu_, "Command3");
    end_program();

    start_program(kEnglish, engine_folder());
    click(*menu_, "Command1");
    QDialog* refilled = platform_->last_modal();
    click(*refilled, "hamtaindata");
    QDialog* list = platform_->last_modal();
    QCOMPARE(list->objectName(), QStringLiteral("hamtaindata"));
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    QCOMPARE(rows->topLevelItemCount(), 1);
    QCOMPARE(rows->topLevelItem(0)->text(0), QStringLiteral("v1"));
    QCOMPARE(rows->topLevelItem(0)->text(6), QStringLiteral("indatafil"));
    click(*list, "pick");
    QVERIFY(platform_->messages.empty());
    QCOMPARE(child<QLineEdit>(*refilled, "modmin")->text(), QStringLiteral("4.125"));
    QVERIFY(child(*refilled, "modmin")->isVisible());
    QVERIFY(child(*refilled, "enstegeff")->isHidden());

    click(*refilled, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("v2"));
    QStringList first = QString::fromLatin1(first_control_file).split(QStringLiteral("\r\n"));
    QStringList second = QString::fromLatin1(file_bytes(QStringLiteral("styrfil.dat")))
                             .split(QStringLiteral("\r\n"));
    // The identity line names the new calculation; every other line is the same.
    constexpr qsizetype kIdentityLine = 22;
    QCOMPARE(first.at(kIdentityLine), QStringLiteral("v1"));
    QCOMPARE(second.at(kIdentityLine), QStringLiteral("v2"));
    first.removeAt(kIdentityLine);
    second.removeAt(kIdentityLine);
    QCOMPARE(second, first);
  }

  // The previous calculation of the session is offered first, even when its files were not kept;
  // a calculation kept before inputs files existed fills the form from its summary and says how.
  void previous_calculation_first_and_an_old_one_from_its_summary() {
    keep_calculation(QStringLiteral("old"), {});
    QVERIFY(QFile::remove(QStringLiteral("old indata.json")));
    click(*menu_, "Command1");
    complete(QStringLiteral("new"), {{"intemp", QStringLiteral("21")}});
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command2");  // "Nej": its files go

    QDialog* form = platform_->last_modal();
    click(*form, "hamtaindata");
    QDialog* list = platform_->last_modal();
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    QCOMPARE(rows->topLevelItemCount(), 2);
    QCOMPARE(rows->topLevelItem(0)->text(0), QStringLiteral("new (föregående beräkning)"));
    QCOMPARE(rows->topLevelItem(1)->text(6), QStringLiteral("sammanfattning"));
    click(*list, "pick");
    QCOMPARE(child<QLineEdit>(*form, "intemp")->text(), QStringLiteral("21"));

    click(*form, "hamtaindata");
    list = platform_->last_modal();
    rows = child<QTreeWidget>(*list, "kept_list");
    rows->setCurrentItem(rows->topLevelItem(1));
    click(*list, "pick");
    QCOMPARE(platform_->messages.size(), std::size_t{1});
    QVERIFY(platform_->messages.back().text.contains(QStringLiteral("old sum.dat")));
    QCOMPARE(child<QLineEdit>(*form, "intemp")->text(), QStringLiteral("20"));
    QCOMPARE(child<QLineEdit>(*form, "Text5")->text(), QStringLiteral("1,08"));
    click(*form, "Command1");
    QCOMPARE(platform_->last_modal()->objectName(), QStringLiteral("inutdata"));
  }

  // A single-stage, a modulating and an old (summary-only) calculation side by side: the inputs
  // from the inputs files and the old summary, every result as its summary prints it, differences
  // to the first marked, both charts, the exports and each calculation's own charts.
  void compares_three_kept_calculations() {
    keep_calculation(QStringLiteral("s1"), {});
    keep_calculation(QStringLiteral("m1"), {{"modbr", QString()},
                                            {"modmax", QStringLiteral("15")},
                                            {"modmin", QStringLiteral("4")},
                                            {"modluft", QStringLiteral("20")}});
    keep_calculation(QStringLiteral("old"), {{"intemp", QStringLiteral("21")}});
    QVERIFY(QFile::remove(QStringLiteral("old indata.json")));
    const QStringList before = folder_state();

    click(*menu_, "jamfor");
    QDialog* list = platform_->last_modal();
    QCOMPARE(list->objectName(), QStringLiteral("jamforberakningar"));
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    QCOMPARE(rows->topLevelItemCount(), 3);
    auto* pick = child<QPushButton>(*list, "pick");
    QVERIFY(!pick->isEnabled());
    int marked = 0;
    for (const char* identity : {"s1", "m1", "old"}) {
      row_of(rows, QString::fromLatin1(identity))->setCheckState(0, Qt::Checked);
      QCOMPARE(pick->isEnabled(), ++marked >= 2);
    }
    click(*list, "pick");
    auto* window = top_level<ComparisonWindow>(QStringLiteral("jamforelse"));
    QVERIFY(window != nullptr);

    const varmkalk::ComparisonTable& table = window->table();
    QCOMPARE(table.identities, (QStringList{"s1", "m1", "old"}));
    QCOMPARE(table.sources, (QStringList{"indatafil", "indatafil", "sammanfattning"}));
    const auto row = [&table](const QString& label) -> const varmkalk::ComparisonRow& {
      for (const varmkalk::ComparisonRow& candidate : table.rows) {
        if (candidate.label == label) {
          return candidate;
        }
      }
      qFatal("no row %s", qPrintable(label));
    };
    const auto texts = [](const varmkalk::ComparisonRow& of) {
      QStringList shown;
      for (const varmkalk::ComparisonCell& cell : of.cells) {
        shown += cell.text;
      }
      return shown;
    };
    QCOMPARE(texts(row(QStringLiteral("Brännare"))),
             (QStringList{"enstegs", "modulerande", "enstegs"}));
    const varmkalk::ComparisonRow& min_power = row(QStringLiteral("Brännarens mineffekt"));
    QCOMPARE(texts(min_power), (QStringList{"15,00", "4,00", "15,00"}));
    QVERIFY(min_power.cells[1].differs && !min_power.cells[2].differs);
    QCOMPARE(min_power.cells[1].difference, QStringLiteral("-11,00"));
    const varmkalk::ComparisonRow& indoor = row(QStringLiteral("Inomhustemperaturen"));
    QCOMPARE(indoor.cells[2].difference, QStringLiteral("+1,00"));
    QCOMPARE(texts(row(QStringLiteral("Klimat"))), (QStringList{"Malmö", "Malmö", "Malmö"}));

    // Every result is the one its summary prints, in the user's locale.
    const auto printed = [](const char* file) {
      return varmkalk::core::read_summary_report(file, file);
    };
    const std::array reports{printed("s1  sum.dat"), printed("m1  sum.dat"),
                             printed("old sum.dat")};
    const auto in_locale = [](const std::string& text) {
      return QString::fromStdString(text).replace(QLatin1Char('.'), QLatin1Char(','));
    };
    for (std::size_t i = 0; i < reports.size(); ++i) {
      QCOMPARE(row(QStringLiteral("Årsverkningsgrad")).cells[i].text,
               in_locale(reports[i].efficiency_percent.text));
      QCOMPARE(row(QStringLiteral("Årligt bruttoenergibehov")).cells[i].text,
               in_locale(reports[i].gross_energy_kwh.text));
      QCOMPARE(window->compared()[i].efficiency_percent,
               std::optional<double>(reports[i].efficiency_percent.number));
    }
    QVERIFY(row(QStringLiteral("Årsverkningsgrad")).cells[1].differs);

    // The bars of both efficiencies and one series of days per calculation.
    const auto* bars = qobject_cast<QBarSeries*>(
        child<QChartView>(*window, "efficiency_bars")->chart()->series().front());
    QCOMPARE(bars->barSets().size(), 2);
    QCOMPARE(bars->barSets().front()->at(1), reports[1].efficiency_percent.number);
    const QList<QAbstractSeries*> overlaid =
        child<QChartView>(*window, "efficiency_overlay")->chart()->series();
    QCOMPARE(overlaid.size(), 3);
    QCOMPARE(overlaid.back()->name(), QStringLiteral("old"));
    QVERIFY(qobject_cast<QScatterSeries*>(overlaid.back())->count() > 100);
    QVERIFY(window->notes().isEmpty());
    // On this screen, smaller than the window would choose, every label under the bars shows
    // whole: QtCharts cuts a label wider than the plot over one more than the calculations, less
    // a few pixels of padding on either side.
    QApplication::processEvents();
    QChart* bar_chart = child<QChartView>(*window, "efficiency_bars")->chart();
    auto* categories = qobject_cast<QBarCategoryAxis*>(bar_chart->axes(Qt::Horizontal).front());
    const QFontMetrics label_font(categories->labelsFont());
    for (const QString& category : categories->categories()) {
      for (const QString& line : category.split(QStringLiteral("<br>"))) {
        QVERIFY2(bar_chart->plotArea().width() / (categories->count() + 1) >=
                     label_font.horizontalAdvance(line) +
                         label_font.horizontalAdvance(QStringLiteral("  ")),
                 qPrintable(line));
      }
    }

    // The exports, each to the file the user names.
    QTemporaryDir exports;
    platform_->save_answers = {exports.filePath(QStringLiteral("t.csv")),
                               exports.filePath(QStringLiteral("t.pdf"))};
    child<QAction>(*window, "export_csv")->trigger();
    child<QAction>(*window, "export_pdf")->trigger();
    const QByteArray csv_bytes = file_bytes(exports.filePath(QStringLiteral("t.csv")));
    QVERIFY(csv_bytes.startsWith("\xEF\xBB\xBF"));
    const QString csv = QString::fromUtf8(csv_bytes);
    QVERIFY2(csv.contains(QStringLiteral("Indata;Brännarens mineffekt;kW;15,00;4,00;-11,00;"
                                         "15,00;\r\n")),
             qPrintable(csv));
    QVERIFY(file_bytes(exports.filePath(QStringLiteral("t.pdf"))).startsWith("%PDF"));

    click(*window, "diagram_3");
    auto* charts = top_level<varmkalk::ChartWindow>(QStringLiteral("Diagram"));
    QVERIFY(charts != nullptr);
    QCOMPARE(charts->year().identity, QStringLiteral("old"));
    QVERIFY(platform_->messages.empty());
    QCOMPARE(folder_state(), before);
  }

  // Two identical houses, the first kept with the session's own prices, the second compared
  // before its keep question is answered: both are priced with the session's prices, so that the
  // comparison shows no difference in kronor and the same total as the result box; each column
  // says where its prices come from.
  void the_sessions_unkept_calculation_has_the_sessions_prices() {
    click(*menu_, "Command1");
    QDialog* form = platform_->last_modal();
    click(*form, "kostnadochklimat");
    QDialog* prices = platform_->last_modal();
    child<QLineEdit>(*prices, "gas_price_sek_per_kwh")->setText(QStringLiteral("2,75"));
    child<QLineEdit>(*prices, "fixed_fee_sek")->setText(QStringLiteral("4 500"));
    varmkalk::testing::click_button(
        prices->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    QVERIFY(platform_->messages.empty());
    varmkalk::testing::fill_worked_example(*form, kSwedish);
    click(*form, "Command1");
    confirm(platform_->last_modal(), QStringLiteral("p1"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");  // "Ja"
    complete(QStringLiteral("p2"));
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    QVERIFY(!QFile::exists(QStringLiteral("p2  indata.json")));
    // The result box's total, grouped as the box groups it.
    QString shown_total;
    for (const QString& line : menu_->result_text().split(QStringLiteral("\r\n"))) {
      if (line.trimmed().startsWith(QStringLiteral("Kostnad totalt"))) {
        shown_total = line.section(QLatin1Char('.'), -1)
                          .remove(QStringLiteral("kr/år"))
                          .remove(QLatin1Char(' '));
      }
    }
    QVERIFY(!shown_total.isEmpty());

    click(*menu_, "jamfor");
    QDialog* list = platform_->last_modal();
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    for (const char* identity : {"p1", "p2"}) {
      row_of(rows, QString::fromLatin1(identity))->setCheckState(0, Qt::Checked);
    }
    click(*list, "pick");
    auto* window = top_level<ComparisonWindow>(QStringLiteral("jamforelse"));
    QVERIFY(window != nullptr);
    const varmkalk::ComparisonTable& table = window->table();
    QCOMPARE(table.identities, (QStringList{"p1", "p2"}));
    const auto cells = [&table](const QString& label) {
      for (const varmkalk::ComparisonRow& row : table.rows) {
        if (row.label == label) {
          return row.cells;
        }
      }
      qFatal("no row %s", qPrintable(label));
    };
    const auto total = cells(QStringLiteral("Kostnad totalt"));
    QCOMPARE(total[1].text, total[0].text);
    QVERIFY(!total[1].differs && total[1].difference.isEmpty());
    QCOMPARE(total[1].text, shown_total);
    QCOMPARE(cells(QStringLiteral("Fast avgift"))[1].text, QStringLiteral("4500"));
    const auto sources = cells(QStringLiteral("Priser och utsläppsfaktorer"));
    QCOMPARE(sources[0].text, QStringLiteral("sparade"));
    QCOMPARE(sources[1].text, QStringLiteral("sessionens"));
  }

  // The warning shown above a summary goes with the kept calculation: the comparison shows it
  // for each calculation that had one, and so do the charts opened from it, with the year's cost
  // the comparison shows for it.
  void kept_warnings_are_shown_in_the_comparison() {
    keep_calculation(QStringLiteral("s1"), {});
    keep_calculation(QStringLiteral("m1"), {{"modbr", QString()},
                                            {"modmax", QStringLiteral("40")},
                                            {"modmin", QStringLiteral("4")},
                                            {"modluft", QStringLiteral("20")},
                                            {"Tjugo", QString()}});
    click(*menu_, "jamfor");
    QDialog* list = platform_->last_modal();
    auto* rows = child<QTreeWidget>(*list, "kept_list");
    for (const char* identity : {"s1", "m1"}) {
      row_of(rows, QString::fromLatin1(identity))->setCheckState(0, Qt::Checked);
    }
    click(*list, "pick");
    auto* window = top_level<ComparisonWindow>(QStringLiteral("jamforelse"));
    QVERIFY(window != nullptr);
    QCOMPARE(window->warnings().size(), 1);
    QVERIFY(window->warnings().front().startsWith(QStringLiteral("m1: Varning: pannan")));
    QVERIFY(window->warnings().front().contains(QStringLiteral("medeleffekten")));
    QVERIFY(child<QLabel>(*window, "warnings")->text().contains(QStringLiteral("m1: ")));
    click(*window, "diagram_2");
    auto* charts = top_level<varmkalk::ChartWindow>(QStringLiteral("Diagram"));
    QVERIFY(charts != nullptr);
    QCOMPARE(charts->year().notices.size(), 1);
    QVERIFY(window->warnings().front().endsWith(charts->year().notices.front()));
    QVERIFY(charts->year().cost.has_value());
    QVERIFY(window->costs().at(0) != window->costs().at(1));
    QVERIFY(charts->year().cost == window->costs().at(1));
  }

  // Damaged, cut-short, foreign and newer files are each named with what is wrong; the sound
  // calculations are still listed and nothing in the folder changes.
  void bad_files_are_named_and_the_rest_listed() {
    keep_calculation(QStringLiteral("ok"), {});
    const QByteArray summary = file_bytes(QStringLiteral("ok  sum.dat"));
    const QByteArray inputs = file_bytes(QStringLiteral("ok  indata.json"));
    write_file(QStringLiteral("cut sum.dat"), summary.left(summary.size() / 2));
    write_file(QStringLiteral("utf8sum.dat"), QString::fromLatin1(summary).toUtf8());
    write_file(QStringLiteral("gamesum.dat"), "HIGH SCORES\r\n1. AAA 9000\r\n");
    write_file(QStringLiteral("cut indata.json"), inputs.left(inputs.size() / 2));
    write_file(
        QStringLiteral("new indata.json"),
        QByteArray(inputs).replace(
            "\"version\": " + QByteArray::number(varmkalk::kInputsFileVersion), "\"version\": 7"));
    const QStringList before = folder_state();

    for (const char* button : {"jamfor", "hamtaindata"}) {
      if (QByteArray(button) == "hamtaindata") {
        click(*menu_, "Command1");
        click(*platform_->last_modal(), button);
      } else {
        click(*menu_, button);
      }
      QDialog* list = platform_->last_modal();
      auto* rows = child<QTreeWidget>(*list, "kept_list");
      QCOMPARE(rows->topLevelItemCount(), 1);
      QCOMPARE(rows->topLevelItem(0)->text(0).section(QLatin1Char(' '), 0, 0),
               QStringLiteral("ok"));
      const QString problems = child<QPlainTextEdit>(*list, "problems")->toPlainText();
      for (const QString& part :
           {QStringLiteral("Sammanfattningen cut sum.dat, rad 25: raden saknar radslut"),
            QStringLiteral("Sammanfattningen utf8sum.dat är skriven i UTF-8"),
            QStringLiteral("Sammanfattningen gamesum.dat, rad 1: filen är ingen sammanfattning"),
            QStringLiteral("Indatafilen cut indata.json kan inte läsas: den är skadad eller "
                           "avkortad"),
            QStringLiteral("Indatafilen new indata.json kan inte läsas: den är av version 7")}) {
        QVERIFY2(problems.contains(part), qPrintable(problems));
      }
      click(*list, "cancel");
    }
    QCOMPARE(folder_state(), before);
    QVERIFY(platform_->messages.empty());
  }

 private:
  // A whole cycle from the main menu's start to "Ja", ending back in the main menu.
  void keep_calculation(const QString& identity, const varmkalk::testing::FormChanges& changes) {
    // After the first cycle, whose files are settled: no question, the input form opens.
    if (!child(*menu_, "Command1")->isVisible()) {
      click(*menu_, "Command5");
    } else {
      click(*menu_, "Command1");
    }
    complete(identity, changes);
    QCOMPARE(run_engine().status, EngineOutcome::Status::Succeeded);
    click(*menu_, "Command5");
    click(*platform_->last_modal(), "Command1");
    click(*platform_->last_modal(), "returtillstart");
    QVERIFY(menu_->isVisible());
  }
};

QTEST_MAIN(KeptCalculationsTest)
#include "kept_calculations_test.moc"
