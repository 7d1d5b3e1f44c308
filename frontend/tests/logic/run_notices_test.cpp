// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/run_notices.h"

#include "core/formats/climate_file.h"
#include "core/formats/run_warnings.h"

#include <QRegularExpression>
#include <QTest>

#include <string>

using varmkalk::core::BoilerCase;
using varmkalk::core::Burner;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QString kClimateFile = QStringLiteral("malmo.dat");

// The worked example's house of 8 kW in Malmö with the given burner; its flue gas condenses on
// the colder days.
BoilerCase house_with(const Burner& burner) {
  BoilerCase input;
  input.burner = burner;
  input.combustion.air_ratio = 1.2F;
  input.flue_gas.low_temp = {60.0F, 40.0F, 30.0F};
  input.flue_gas.high_temp = {80.0F, 70.0F, 60.0F};
  input.losses = {1.0F, 1.0F, 1.25F};
  input.building = {8000.0F, 20.0F, 35.0F};
  input.pump = {60.0F, 75.0F};
  input.hot_water = {5000.0F, 45.0F};
  input.climate = varmkalk::core::Place::malmo;
  input.identity = varmkalk::core::CalcIdentity("h123");
  return input;
}

varmkalk::core::YearResult year_of(const BoilerCase& input) {
  varmkalk::core::ClimateFile file =
      varmkalk::core::open_climate_file(kClimateFile.toStdString(), VARMKALK_TEST_CLIMATE_DIR, {});
  return varmkalk::core::run_year(input, varmkalk::core::read_climate_days(file).records);
}

}  // namespace

Q_DECLARE_METATYPE(Burner)

class RunNoticesTest : public QObject {
  Q_OBJECT
 private slots:
  // The engine's warnings, numbers in the user's format; the reason added only where every day
  // that fell short left the modulating burner power to spare.
  void notices_say_what_the_engine_warns_data() {
    QTest::addColumn<Burner>("burner");
    QTest::addColumn<bool>("falls_short");
    QTest::addColumn<bool>("power_left");
    QTest::newRow("single stage, large enough") << Burner::single_stage(15000.0F) << false << false;
    QTest::newRow("single stage, too small") << Burner::single_stage(5000.0F) << true << false;
    QTest::newRow("modulating, condensing below its mean power")
        << Burner(15000.0F, 3000.0F) << true << true;
    QTest::newRow("modulating, too small") << Burner(5000.0F, 1000.0F) << true << false;
  }
  void notices_say_what_the_engine_warns() {
    QFETCH(Burner, burner);
    QFETCH(bool, falls_short);
    QFETCH(bool, power_left);
    const BoilerCase input = house_with(burner);
    const varmkalk::core::YearResult year = year_of(input);
    QVERIFY(year.complete());
    QCOMPARE(year.totals.unmet_days > 0, falls_short);
    QCOMPARE(varmkalk::shortfall_with_power_left(input, year), power_left);

    const QStringList point = varmkalk::run_notices(input, year, QLocale::c());
    const QStringList comma = varmkalk::run_notices(input, year, kSwedish);
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
      QCOMPARE(comma.front().contains(QStringLiteral("medeleffekten")), power_left);
    }
  }
};

QTEST_GUILESS_MAIN(RunNoticesTest)
#include "run_notices_test.moc"
