// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run/run_notices.h"

#include "core/formats/run_warnings.h"
#include "core/tests/support/climate_year.h"
#include "core/tests/support/worked_example.h"

#include <QRegularExpression>
#include <QTest>

#include <string>

using varmkalk::core::BoilerCase;
using varmkalk::core::Burner;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);

// The worked example's house of 8 kW in Malmö with the given burner, case 1 measured at 40 °C
// supply and three quarters of the pump's power heating the water; its flue gas condenses on the
// colder days.
BoilerCase house_with(const Burner& burner) {
  BoilerCase input = varmkalk::testing::worked_example();
  input.burner = burner;
  input.flue_gas.low_temp.supply_temp_c = 40.0F;
  input.pump.heat_share_percent = 75.0F;
  input.identity = varmkalk::core::CalcIdentity("h123");
  return input;
}

}  // namespace

enum class PowerLeft { never, every_day, some_days };

Q_DECLARE_METATYPE(Burner)
Q_DECLARE_METATYPE(PowerLeft)

class RunNoticesTest : public QObject {
  Q_OBJECT
 private slots:
  // The engine's warnings, numbers in the user's format; the reason added where days that fell
  // short left the modulating burner power to spare, with the count of the others where there
  // are both.
  void notices_say_what_the_engine_warns_data() {
    QTest::addColumn<Burner>("burner");
    QTest::addColumn<bool>("falls_short");
    QTest::addColumn<PowerLeft>("power_left");
    QTest::newRow("single stage, large enough")
        << Burner::single_stage(15000.0F) << false << PowerLeft::never;
    QTest::newRow("single stage, too small")
        << Burner::single_stage(5000.0F) << true << PowerLeft::never;
    QTest::newRow("modulating, condensing below its mean power")
        << Burner(15000.0F, 3000.0F) << true << PowerLeft::every_day;
    QTest::newRow("modulating, too small on the coldest days")
        << Burner(5000.0F, 1000.0F) << true << PowerLeft::some_days;
  }
  void notices_say_what_the_engine_warns() {
    QFETCH(Burner, burner);
    QFETCH(bool, falls_short);
    QFETCH(PowerLeft, power_left);
    const BoilerCase input = house_with(burner);
    const varmkalk::core::YearResult year =
        varmkalk::testing::year_on_climate_file(input, VARMKALK_TEST_CLIMATE_DIR, {});
    QVERIFY(year.complete());
    QCOMPARE(year.totals.unmet_days > 0, falls_short);
    const int part_load = year.totals.part_load_days;
    QCOMPARE(part_load == 0, power_left == PowerLeft::never);
    QCOMPARE(part_load > 0 && part_load == year.totals.unmet_days,
             power_left == PowerLeft::every_day);

    const QStringList point = varmkalk::run_notices(year, QLocale::c());
    const QStringList comma = varmkalk::run_notices(year, kSwedish);
    const std::vector<std::string> engine = varmkalk::core::run_warnings(year.totals);
    QCOMPARE(point.size(), static_cast<qsizetype>(engine.size()));
    for (qsizetype i = 0; i < point.size(); ++i) {
      // The engine's own line begins the notice; the Swedish one differs only in its decimals.
      QVERIFY(point[i].startsWith(QString::fromStdString(engine[static_cast<std::size_t>(i)])));
      QString as_swedish = point[i];
      as_swedish.replace(QRegularExpression(QStringLiteral("(\\d)\\.(\\d)")),
                         QStringLiteral("\\1,\\2"));
      QCOMPARE(comma[i], as_swedish);
    }
    if (falls_short) {
      QVERIFY2(comma.front().contains(QRegularExpression(QStringLiteral("\\d,\\d %"))),
               qPrintable(comma.front()));
      QCOMPARE(comma.front().contains(QStringLiteral("medeleffekten")),
               power_left != PowerLeft::never);
      QCOMPARE(comma.front().contains(QStringLiteral("på full effekt räckte inte till %1 av dygnen")
                                          .arg(year.totals.unmet_days - part_load)),
               power_left == PowerLeft::some_days);
    }
  }
};

QTEST_GUILESS_MAIN(RunNoticesTest)
#include "run_notices_test.moc"
