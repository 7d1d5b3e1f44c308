#include "number_text.h"
#include "engine_field_reader.h"

#include <QRandomGenerator>
#include <QTest>

#include <cfloat>
#include <cmath>

using varmkalk::kDoubleDigits;
using varmkalk::kFloatDigits;
using varmkalk::number_text;

namespace {

float next_float_up(float value) {
  return std::nextafter(value, FLT_MAX);
}

// The field must fit the engine's 11 columns and read back as the value written, rounded to
// float, or differ only by the digits that the columns or the digit limit leave out: for
// magnitudes from 0.1 to 1e9 the plain form keeps at least 8 significant digits, elsewhere the
// exponent form keeps at least 5 ("1.2345E-45"); never more than max_digits. The tolerance is
// half a unit in the last of those digits, plus one unit in the last place of the float.
void verify_round_trip(double value, int max_digits) {
  const QString text = number_text(value, max_digits);
  const QByteArray context = QByteArray::number(value, 'g', 17) + " -> \"" + text.toLatin1() + '"';
  QVERIFY2(text.size() <= varmkalk::kNumberFieldWidth, context.constData());
  QVERIFY2(text.startsWith(value < 0 ? QLatin1Char('-') : QLatin1Char(' ')), context.constData());
  QVERIFY2(!text.contains(QLatin1Char(',')), context.constData());
  const std::optional<float> read = read_engine_number(text);
  QVERIFY2(read.has_value(), context.constData());
  const auto expected = static_cast<float>(value);
  if (*read == expected) {
    return;
  }
  const double magnitude = std::fabs(value);
  const int kept_digits = std::min(max_digits, magnitude >= 0.1 && magnitude < 1e9 ? 8 : 5);
  const double float_ulp = std::fabs(double(next_float_up(expected)) - double(expected));
  const double tolerance = 0.5 * std::pow(10.0, 1 - kept_digits) * magnitude + float_ulp;
  QVERIFY2(std::fabs(double(*read) - value) <= tolerance, context.constData());
}

}  // namespace

class NumberTextTest : public QObject {
  Q_OBJECT
 private slots:
  void writes_expected_text_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("max_digits");
    QTest::addColumn<QString>("expected");
    // Examples of the writer's number lines.
    QTest::newRow("pump efficiency") << 75.0 << kDoubleDigits << " 75";
    QTest::newRow("18,5 kW in W") << 18.5 * 1000 << kDoubleDigits << " 18500";
    QTest::newRow("20 % excess air") << 1.0 + 0.01 * 20 << kDoubleDigits << " 1.2";
    QTest::newRow("1,08 kWh per day in W") << 1.08 / 0.024 << kDoubleDigits << " 45";
    QTest::newRow("12,5") << 12.5 << kDoubleDigits << " 12.5";
    QTest::newRow("zero") << 0.0 << kDoubleDigits << " 0";
    QTest::newRow("negative zero") << -0.0 << kDoubleDigits << " 0";
    QTest::newRow("negative") << -5.0 << kDoubleDigits << "-5";
    // 100 W at 40 K: 100 / 40^1.3 = 0.82665 (worked example, 5 digits).
    QTest::newRow("convection fit") << 100 / std::pow(40.0, 1.3) << kDoubleDigits << " 0.82665065";
    QTest::newRow("fitted exponent as float")
        << double(float(std::log(2.0) / std::log(5.0 / 3.0))) << kFloatDigits << " 1.356915";
    // Ten digits fill the columns after the blank exactly.
    QTest::newRow("ten integer digits") << 1234567890.0 << kDoubleDigits << " 1234567890";
    QTest::newRow("rounds up to a power of ten") << 999999999.7 << kDoubleDigits << " 1000000000";
    QTest::newRow("too many integer digits") << 123456789012.0 << kDoubleDigits << " 1.23457E11";
    QTest::newRow("tiny") << 1.2345e-7 << kDoubleDigits << " 1.2345E-7";
    QTest::newRow("tiny negative") << -1.2345e-7 << kDoubleDigits << "-1.2345E-7";
    QTest::newRow("huge") << 1e20 << kDoubleDigits << " 1E20";
    QTest::newRow("near float maximum") << 3.4e38 << kDoubleDigits << " 3.4E38";
    // The exponent form keeps six digits where the plain form keeps five.
    QTest::newRow("small with many digits") << 0.000123456789 << kDoubleDigits << " 1.23457E-4";
    QTest::newRow("small plain") << 0.0001 << kDoubleDigits << " 0.0001";
    QTest::newRow("float digits") << double(float(1234.5678)) << kFloatDigits << " 1234.568";
  }
  void writes_expected_text() {
    QFETCH(double, value);
    QFETCH(int, max_digits);
    QFETCH(QString, expected);
    QCOMPARE(number_text(value, max_digits), expected);
    verify_round_trip(value, max_digits);
  }

  void engine_reader_follows_the_engine_rules_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<float>("expected");
    QTest::newRow("exponent E") << "2.5E3" << 2500.0F;
    QTest::newRow("exponent d") << "2.5d3" << 2500.0F;
    QTest::newRow("sign only exponent") << "2.5+3" << 2500.0F;
    QTest::newRow("blanks inside") << "1 000" << 1000.0F;
    QTest::newRow("comma ends the field") << "12,5" << 12.0F;
    QTest::newRow("only the first 11 columns") << " 1.23456789012" << 1.23456789F;
    QTest::newRow("exponent beyond column 11") << " 1.23456789E-4" << 1.23456789F;
    QTest::newRow("blank line") << "" << 0.0F;
  }
  void engine_reader_follows_the_engine_rules() {
    QFETCH(QString, line);
    QFETCH(float, expected);
    QCOMPARE(read_engine_number(line), std::optional<float>(expected));
  }

  void sweep_reads_back_within_tolerance() {
    QRandomGenerator random(20240611);
    for (int exponent = -44; exponent <= 38; ++exponent) {
      for (int sample = 0; sample < 40; ++sample) {
        const double mantissa = 1.0 + 9.0 * random.generateDouble();
        const double sign = random.bounded(2) == 0 ? 1.0 : -1.0;
        const double value = sign * mantissa * std::pow(10.0, exponent);
        if (std::fabs(value) <= FLT_MAX && std::fabs(value) >= FLT_MIN) {
          verify_round_trip(value, kDoubleDigits);
        }
        const auto single = static_cast<float>(value);
        if (std::isnormal(single)) {
          verify_round_trip(single, kFloatDigits);
        }
        if (QTest::currentTestFailed()) {
          return;
        }
      }
    }
  }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "number_text_test.moc"
