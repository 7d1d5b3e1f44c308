// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/sweep/sweep_window.h"
#include "frontend/app/input_form.h"
#include "frontend/logic/run/run_notices.h"
#include "frontend/sweep/sweep_chart.h"
#include "frontend/tests/app/fake_platform.h"
#include "frontend/tests/app/form_driver.h"
#include "frontend/tests/support/file_bytes.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSemaphore>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>
#include <QThreadPool>
#include <QToolTip>

#include <memory>
#include <set>

using varmkalk::SweepInput;
using varmkalk::SweepWindow;
using varmkalk::testing::child;
using varmkalk::testing::FakePlatform;
using varmkalk::testing::file_bytes;

namespace {

constexpr int kSweepWaitMs = 10'000;

// The positions of the points of the chart's series of that name, all its pieces together.
std::set<double> positions(const QChart& chart, const QString& name) {
  std::set<double> xs;
  for (QAbstractSeries* series : chart.series()) {
    if (series->name() != name) {
      continue;
    }
    for (const QPointF& point : static_cast<QXYSeries*>(series)->points()) {
      xs.insert(point.x());
    }
  }
  return xs;
}

QXYSeries* series_named(const QChart& chart, const QString& name) {
  for (QAbstractSeries* series : chart.series()) {
    if (series->name() == name) {
      return static_cast<QXYSeries*>(series);
    }
  }
  return nullptr;
}

// Every choice and text of the form, to see that nothing of it changed.
QStringList form_state(const varmkalk::InputForm& form) {
  const varmkalk::FormInput input = form.form_input();
  QStringList state{QString::number(static_cast<int>(input.burner)),
                    QString::number(static_cast<int>(input.hot_water_heater)),
                    QString::number(static_cast<int>(input.convection_source)),
                    QString::number(static_cast<int>(input.standby_source)),
                    QString::number(static_cast<int>(input.heating_system)),
                    QString::number(static_cast<int>(input.min_return_temp)),
                    QString::number(static_cast<int>(input.climate)),
                    QString::number(static_cast<int>(input.own_climate)),
                    input.own_climate_file};
  for (const varmkalk::FormField& field : varmkalk::kFormFields) {
    state << input.*field.text;
  }
  return state;
}

}  // namespace

class SweepWindowTest : public QObject {
  Q_OBJECT

 private:
  varmkalk::testing::WorkingFolder work_dir_;
  std::unique_ptr<FakePlatform> platform_;
  QPointer<varmkalk::InputForm> form_;

  // The input form with the worked example, a modulating burner of 4 to 15 kW when asked.
  varmkalk::InputForm& filled_form(bool modulating = false) {
    form_ = new varmkalk::InputForm(*platform_, {}, nullptr);
    form_->show();
    varmkalk::testing::fill_worked_example(*form_, platform_->locale());
    if (modulating) {
      varmkalk::testing::apply_changes(*form_, {{"modbr", QString()},
                                                {"modmax", QStringLiteral("15")},
                                                {"modmin", QStringLiteral("4")},
                                                {"modluft", QStringLiteral("20")}});
    }
    return *form_;
  }

  // Presses "Känslighetsanalys…" and returns the window once its first sweep is done.
  SweepWindow* open_sweep(varmkalk::InputForm& form) {
    varmkalk::testing::click(form, "kanslighetsanalys");
    SweepWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* sweep_window = qobject_cast<SweepWindow*>(widget);
          sweep_window && widget->isVisible()) {
        window = sweep_window;
      }
    }
    if (window == nullptr) {
      qFatal("the sweep window did not open");
    }
    wait_for(*window);
    return window;
  }

  struct ShortfallMarks {
    std::set<double> too_small;
    std::set<double> part_load;
  };
  // The points marked short of the demand (the burner at full power) and those where only the
  // part-load rule falls short, each checked against the results' counts.
  static ShortfallMarks shortfall_marks(const SweepWindow& window) {
    std::set<double> too_small;
    std::set<double> part_load;
    const varmkalk::Sweep& shown = *window.shown();
    for (std::size_t row = 0; row < shown.points.size(); ++row) {
      const varmkalk::core::AnnualTotals& totals = shown.results[row].totals;
      if (totals.unmet_days > totals.part_load_days) {
        too_small.insert(shown.points[row].position);
      } else if (totals.part_load_days > 0) {
        part_load.insert(shown.points[row].position);
      }
    }
    [&] {
      QCOMPARE(positions(*window.chart(), varmkalk::unmet_series()), too_small);
      QCOMPARE(positions(*window.chart(), varmkalk::part_load_name()), part_load);
    }();
    return {too_small, part_load};
  }

  static void wait_for(const SweepWindow& window) {
    QTRY_VERIFY_WITH_TIMEOUT(!window.is_sweeping(), kSweepWaitMs);
  }

  static void sweep(SweepWindow& window, SweepInput input, const QString& from = {},
                    const QString& to = {}) {
    window.choose(input);
    if (!from.isEmpty()) {
      wait_for(window);
      child<QLineEdit>(window, "sweep_from")->setText(from);
      child<QLineEdit>(window, "sweep_to")->setText(to);
      varmkalk::testing::click(window, "sweep_run");
    }
    wait_for(window);
    QVERIFY(window.shown() != nullptr);
    QCOMPARE(window.shown()->input, input);
  }

 private slots:
  void init() {
    work_dir_.enter();
    platform_ = std::make_unique<FakePlatform>();
  }

  void cleanup() {
    delete form_;
    varmkalk::testing::flush_deletions();
  }

  // "Känslighetsanalys…" can be pressed exactly when the form gives a case, checked again at
  // every edit, and has a place of its own among the form's controls.
  void button_follows_the_form() {
    form_ = new varmkalk::InputForm(*platform_, {}, nullptr);
    form_->show();
    auto* button = child<QPushButton>(*form_, "kanslighetsanalys");
    QCOMPARE(button->text(), QStringLiteral("Känslighetsanalys…"));
    QVERIFY(button->isVisible());
    QVERIFY(!button->isEnabled());
    for (QWidget* other : form_->findChildren<QWidget*>()) {
      if (other != button && other->isVisible() && other->parentWidget() == form_ &&
          (qobject_cast<QAbstractButton*>(other) || qobject_cast<QLineEdit*>(other) ||
           qobject_cast<QGroupBox*>(other))) {
        QVERIFY2(!button->geometry().intersects(other->geometry()),
                 qPrintable(other->objectName()));
      }
    }

    varmkalk::testing::fill_worked_example(*form_, platform_->locale());
    QVERIFY(button->isEnabled());
    auto* demand = child<QLineEdit>(*form_, "huseff");
    for (const auto& [text, enabled] :
         {std::pair{QString(), false}, std::pair{QString("8x"), false},
          std::pair{QString(" "), false}, std::pair{QString("8"), true}}) {
      demand->setText(text);
      QCOMPARE(button->isEnabled(), enabled);
    }
    // The modulating burner's fields are empty until typed.
    varmkalk::testing::click(*form_, "modbr");
    QVERIFY(!button->isEnabled());
    varmkalk::testing::click(*form_, "enstegbr");
    QVERIFY(button->isEnabled());
  }

  // The window opens over the form with the first sweep done, and neither the form nor the
  // working folder changes, whatever is swept. A climate file of the user's own is one more
  // climate to sweep.
  void window_changes_neither_form_nor_files() {
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/../share/varmkalk/climate/sthlm.dat"),
                        QStringLiteral("egen.dat")));
    varmkalk::InputForm& form = filled_form();
    varmkalk::testing::apply_changes(form,
                                     {{"Egenklimat", QString()},
                                      {varmkalk::kOwnClimateFileField, QStringLiteral("egen.dat")},
                                      {"dut", QStringLiteral("-20")}});
    const QStringList before = form_state(form);
    const QStringList files = varmkalk::testing::working_files();
    SweepWindow* window = open_sweep(form);
    // A window of its own beside the form, not a modal one over it.
    QVERIFY(platform_->modal_names.isEmpty() && !window->isModal());
    QCOMPARE(window->parentWidget(), nullptr);
    QCOMPARE(window->shown()->input, SweepInput::min_return_temp);
    auto* table = child<QTableWidget>(*window, "sweep_table");
    QCOMPARE(static_cast<std::size_t>(table->rowCount()), window->shown()->points.size());
    sweep(*window, SweepInput::climate);
    QCOMPARE(table->rowCount(), 7);
    QCOMPARE(table->item(6, 0)->text(), QStringLiteral("Egen klimatfil (egen.dat)"));
    for (const varmkalk::SweepResult& result : window->shown()->results) {
      QVERIFY(result.status != varmkalk::core::CaseStatus::error);
    }
    QCOMPARE(form_state(form), before);
    QCOMPARE(varmkalk::testing::working_files(), files);
    window->close();
    varmkalk::testing::flush_deletions();
    QVERIFY(platform_->last_modal() == nullptr);
  }

  // Every input the list offers sweeps, the table holds every point and the chart marks the
  // case itself; a single-stage burner offers no minimum power and says why.
  void every_input_sweeps() {
    for (const bool modulating : {false, true}) {
      SweepWindow* window = open_sweep(filled_form(modulating));
      auto* list = child<QComboBox>(*window, "sweep_input");
      const auto* model = static_cast<QStandardItemModel*>(list->model());
      for (int row = 0; row < model->rowCount(); ++row) {
        const auto input = static_cast<SweepInput>(model->item(row)->data(Qt::UserRole).toInt());
        if (!model->item(row)->isEnabled()) {
          QVERIFY(!modulating);
          QCOMPARE(input, SweepInput::burner_min_power);
          QVERIFY(model->item(row)->toolTip().contains(QStringLiteral("enstegsbrännare")));
          const SweepInput before = window->chosen();
          window->choose(input);
          QCOMPARE(window->chosen(), before);
          continue;
        }
        sweep(*window, input);
        const auto* table = child<QTableWidget>(*window, "sweep_table");
        QCOMPARE(static_cast<std::size_t>(table->rowCount()), window->shown()->points.size());
        QVERIFY(!positions(*window->chart(), varmkalk::with_pump_series()).empty());
        QCOMPARE(positions(*window->chart(), varmkalk::current_series()).size(), 1u);
      }
      QCOMPARE(model->rowCount(), static_cast<int>(varmkalk::kSweepInputs.size()));
      window->close();
      cleanup();
    }
  }

  // A point the model refuses is a gap in both curves, marked at the bottom with its reason on
  // hover and in the table; points where the boiler falls short are marked on the curve.
  void refusals_are_gaps_and_shortfalls_are_marked() {
    SweepWindow* window = open_sweep(filled_form());
    sweep(*window, SweepInput::excess_air, QStringLiteral("0"), QStringLiteral("400"));
    const varmkalk::Sweep& shown = *window->shown();
    std::set<double> refused;
    for (std::size_t row = 0; row < shown.points.size(); ++row) {
      if (shown.results[row].status == varmkalk::core::CaseStatus::error) {
        refused.insert(shown.points[row].position);
      }
    }
    QVERIFY(!refused.empty() && refused.size() < shown.points.size());
    const QChart& chart = *window->chart();
    QCOMPARE(positions(chart, varmkalk::gap_series()), refused);
    for (const QString& curve : {varmkalk::with_pump_series(), varmkalk::without_pump_series()}) {
      const std::set<double> drawn = positions(chart, curve);
      QCOMPARE(drawn.size() + refused.size(), shown.points.size());
      for (const double x : refused) {
        QVERIFY(!drawn.count(x));
      }
    }
    QXYSeries* gaps = series_named(chart, varmkalk::gap_series());
    emit gaps->hovered(gaps->at(0), true);
    QTRY_VERIFY(QToolTip::text().contains(QStringLiteral("flamtemperatur under 1000 °C")));
    emit gaps->hovered(gaps->at(0), false);

    const auto* table = child<QTableWidget>(*window, "sweep_table");
    const int last = table->rowCount() - 1;
    QVERIFY(table->item(last, 1)->text().isEmpty());
    QVERIFY(
        table->item(last, table->columnCount() - 1)->text().contains(QStringLiteral("1000 °C")));

    sweep(*window, SweepInput::burner_max_power, QStringLiteral("4"), QStringLiteral("30"));
    QVERIFY(!shortfall_marks(*window).too_small.empty());
    QVERIFY(series_named(*window->chart(), varmkalk::gap_series()) == nullptr);
  }

  // A modulating burner from 6 to 40 kW for a house of 8 kW: a point is marked short of the demand
  // only where the burner at full power falls short; where only the model's part-load rule does,
  // it is marked as such, in grey, with the explanation in the table.
  void part_load_shortfalls_are_told_apart() {
    SweepWindow* window = open_sweep(filled_form(true));
    sweep(*window, SweepInput::burner_max_power, QStringLiteral("6"), QStringLiteral("40"));
    QVERIFY(!shortfall_marks(*window).part_load.empty());
    const auto* table = child<QTableWidget>(*window, "sweep_table");
    for (int row = 0; row < table->rowCount(); ++row) {
      const auto& totals = window->shown()->results[static_cast<std::size_t>(row)].totals;
      QCOMPARE(table->item(row, table->columnCount() - 1)
                   ->text()
                   .contains(QStringLiteral("medeleffekten")),
               totals.part_load_days > 0);
    }
  }

  // A sweep that takes longer than half a second shows its progress and "Avbryt"; cancelled, it
  // leaves no table or chart, not even the sweep before, until a new one is complete.
  void a_slow_sweep_can_be_cancelled() {
    SweepWindow* window = open_sweep(filled_form());
    auto* progress = child<QProgressBar>(*window, "sweep_progress");
    auto* cancel = child<QPushButton>(*window, "sweep_cancel");
    auto* table = child<QTableWidget>(*window, "sweep_table");
    QVERIFY(!progress->isVisible() && !cancel->isVisible());

    // Every thread of the sweeps' pool busy, so that the sweep waits for them.
    QThreadPool& pool = varmkalk::sweep_pool();
    QSemaphore release;
    for (int i = 0; i < pool.maxThreadCount(); ++i) {
      pool.start([&release] { release.acquire(); });
    }
    window->choose(SweepInput::pump_power);
    QVERIFY(window->is_sweeping());
    QVERIFY(!child<QPushButton>(*window, "export")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible() && cancel->isVisible(), kSweepWaitMs);
    QCOMPARE(progress->maximum(), child<QSpinBox>(*window, "sweep_points")->value());
    varmkalk::testing::click(*window, "sweep_cancel");
    release.release(pool.maxThreadCount());
    wait_for(*window);
    QVERIFY(window->shown() == nullptr);
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(positions(*window->chart(), varmkalk::with_pump_series()).empty());
    QVERIFY(!child<QPushButton>(*window, "export")->isEnabled());
    QVERIFY(!progress->isVisible() && !cancel->isVisible());
    QVERIFY(child<QLabel>(*window, "sweep_status")->text().contains(QStringLiteral("avbröts")));

    varmkalk::testing::click(*window, "sweep_run");
    wait_for(*window);
    QCOMPARE(window->shown()->input, SweepInput::pump_power);
    QCOMPARE(static_cast<std::size_t>(table->rowCount()), window->shown()->points.size());
  }

  // A range that cannot be swept is refused naming its field, and what was shown stays.
  void a_bad_range_is_refused() {
    SweepWindow* window = open_sweep(filled_form());
    const auto shown = window->shown();
    child<QLineEdit>(*window, "sweep_to")->setText(QStringLiteral("6x"));
    varmkalk::testing::click(*window, "sweep_run");
    QCOMPARE(platform_->messages.back().title, QStringLiteral("Felaktigt värde"));
    QVERIFY(platform_->messages.back().text.contains(QStringLiteral("\"Till\"")));
    child<QLineEdit>(*window, "sweep_to")->setText(QStringLiteral("20"));
    child<QLineEdit>(*window, "sweep_from")->setText(QStringLiteral("20"));
    varmkalk::testing::click(*window, "sweep_run");
    QVERIFY(platform_->messages.back().text.contains(QStringLiteral("lika")));
    QVERIFY(!window->is_sweeping());
    QCOMPARE(window->shown(), shown);
  }

  // Each export asks for a file and writes it whole; a cancelled dialog writes nothing. The CSV
  // follows the user's decimal separator.
  void exports_write_what_is_asked() {
    platform_->user_locale = QLocale(QLocale::Swedish, QLocale::Sweden);
    SweepWindow* window = open_sweep(filled_form());
    const QDir dir;
    platform_->save_answers = {dir.filePath("svep.csv"), dir.filePath("svep.png"),
                               dir.filePath("svep.pdf")};
    window->export_csv();
    window->export_png();
    window->export_pdf();
    window->export_csv();  // no more answers: cancelled
    QCOMPARE(varmkalk::testing::working_files(), (QStringList{"svep.csv", "svep.pdf", "svep.png"}));
    const QByteArray csv = file_bytes(dir.filePath("svep.csv"));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(csv.count("\r\n"), static_cast<qsizetype>(window->shown()->points.size() + 1));
    QVERIFY(csv.contains(";96,"));
    QVERIFY(file_bytes(dir.filePath("svep.png")).startsWith("\x89PNG"));
    QVERIFY(file_bytes(dir.filePath("svep.pdf")).startsWith("%PDF"));
    QVERIFY(platform_->events.contains(QStringLiteral("save kanslighetsanalys.csv")));
  }
};

QTEST_MAIN(SweepWindowTest)
#include "sweep_window_test.moc"
