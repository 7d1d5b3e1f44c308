// SPDX-License-Identifier: GPL-3.0-or-later
// "Anpassa till mätaren…" with a result on a laptop's screen and on a small one (the offscreen
// platform's screen from a file, see CMakeLists.txt): the whole result shows, the figure "Använd"
// writes stands out, and nothing of the dialog is squashed.
#include "frontend/app/meter_dialog.h"
#include "frontend/examples/typed_inputs.h"
#include "frontend/tests/app/fake_platform.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

namespace {

using varmkalk::MeterDialog;
using varmkalk::MeterInput;
using varmkalk::MeterUnit;
namespace core = varmkalk::core;

// The widget lies whole inside what the scroll area shows, and the scroll area inside the dialog.
bool shown_whole(const QWidget& widget, const QScrollArea& scroll, const QDialog& dialog) {
  const QRect in_view(widget.mapTo(scroll.viewport(), QPoint(0, 0)), widget.size());
  const QRect view_in_dialog(scroll.viewport()->mapTo(&dialog, QPoint(0, 0)),
                             scroll.viewport()->size());
  return scroll.viewport()->rect().contains(in_view) && dialog.rect().contains(view_in_dialog);
}

}  // namespace

class MeterDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void whole_result_shows_on_the_screen_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("burner_kw");  // empty: the example's
    QTest::addColumn<bool>("fits");
    // The longest result: another climate than the form's and days the burner falls short.
    QTest::newRow("another climate, a shortfall")
        << QStringLiteral("52 000") << int(core::Place::kiruna) << QStringLiteral("12") << true;
    QTest::newRow("in m³ on another climate")
        << QStringLiteral("2400") << int(core::Place::malmo) << QString() << true;
    QTest::newRow("the form's climate")
        << QStringLiteral("16 500") << int(core::Place::stockholm) << QString() << true;
    QTest::newRow("too little gas")
        << QStringLiteral("3000") << int(core::Place::stockholm) << QString() << false;
  }
  void whole_result_shows_on_the_screen() {
    QFETCH(QString, amount);
    QFETCH(int, place);
    QFETCH(QString, burner_kw);
    QFETCH(bool, fits);
    varmkalk::testing::FakePlatform platform;
    platform.user_locale = QLocale(QLocale::Swedish, QLocale::Sweden);
    varmkalk::FormInput form = varmkalk::testing::typed_in(
        varmkalk::testing::typed_worked_example(), platform.user_locale);
    if (!burner_kw.isEmpty()) {
      form.single_stage_power_kw = burner_kw;
    }
    QString written;
    MeterDialog dialog(
        platform, form, core::default_cost_inputs(),
        [&written](const QString& text) { written = text; }, nullptr);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const int climate_height = dialog.findChild<QGroupBox*>()->height();

    MeterInput typed;
    typed.amount = amount;
    typed.unit = QTest::currentDataTag() == QByteArray("in m³ on another climate") ? MeterUnit::m3
                                                                                   : MeterUnit::kwh;
    typed.place = static_cast<core::Place>(place);
    dialog.set_meter_input(typed);
    dialog.fit();
    QApplication::processEvents();

    const QRect available = dialog.screen()->availableGeometry();
    QVERIFY2(available.contains(dialog.frameGeometry()), qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                                                        .arg(dialog.width())
                                                                        .arg(dialog.height())
                                                                        .arg(available.width())
                                                                        .arg(available.height())));
    const auto* scroll = dialog.findChild<QScrollArea*>();
    auto* headline = dialog.findChild<QLabel*>(QStringLiteral("matarbesked"));
    auto* result = dialog.findChild<QLabel*>(QStringLiteral("matarresultat"));
    auto* use = dialog.findChild<QPushButton*>(QStringLiteral("anvand"));
    // Every line of the result shows, uncut, without scrolling; so does the headline.
    QVERIFY(shown_whole(*result, *scroll, dialog));
    QVERIFY(result->height() >= result->heightForWidth(result->width()));
    QVERIFY(result->text().count(QLatin1Char('\n')) >= (fits ? 4 : 1));
    QCOMPARE(headline->isVisible(), fits);
    // The climate box keeps the room it had before the result came.
    QVERIFY(dialog.findChild<QGroupBox*>()->height() >= climate_height);
    QVERIFY(
        dialog.findChild<QComboBox*>(QStringLiteral("matarklimat"))->height() >=
        dialog.findChild<QComboBox*>(QStringLiteral("matarklimat"))->minimumSizeHint().height());
    const QRect buttons(use->mapTo(&dialog, QPoint(0, 0)), use->size());
    QVERIFY(dialog.rect().contains(buttons));
    QCOMPARE(use->isEnabled(), fits);
    if (!fits) {
      return;
    }
    QVERIFY(shown_whole(*headline, *scroll, dialog));
    QVERIFY(headline->font().bold());
    QVERIFY(headline->font().pointSizeF() > result->font().pointSizeF());
    if (QTest::currentDataTag() == QByteArray("another climate, a shortfall")) {
      QVERIFY(result->text().contains(QStringLiteral("Varning:")));
    }
    // The headline's figure is the one "Använd" writes.
    varmkalk::testing::click_button(use);
    QVERIFY(!written.isEmpty());
    QVERIFY2(headline->text().endsWith(QStringLiteral(": ") + written + QStringLiteral(" kW")),
             qPrintable(headline->text() + QStringLiteral(" / ") + written));
  }
};

QTEST_MAIN(MeterDialogTest)
#include "meter_dialog_test.moc"
