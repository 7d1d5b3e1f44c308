#include "decimal_filter.h"

#include <QTest>

class DecimalFilterTest : public QObject {
  Q_OBJECT
 private slots:
  void replaces_commas_and_empty_text_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("comma") << " 12,5" << " 12.5";
    QTest::newRow("point") << " 12.5" << " 12.5";
    QTest::newRow("blank") << " " << " ";
  }
  void replaces_commas_and_empty_text() {
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(varmkalk::Decimalfilter(input), expected);
  }
};

QTEST_GUILESS_MAIN(DecimalFilterTest)
#include "decimal_filter_test.moc"
