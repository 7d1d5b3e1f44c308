#include "windows1252.h"

#include <QStringDecoder>
#include <QTest>

class Windows1252Test : public QObject {
  Q_OBJECT
 private slots:
  void decodes_the_code_page() {
    QCOMPARE(varmkalk::decode_windows1252("\xC5\xC4\xD6\xE5\xE4\xF6"), QStringLiteral("ÅÄÖåäö"));
    QCOMPARE(varmkalk::decode_windows1252("\x80\x96\x9F"), QStringLiteral("€–Ÿ"));
  }

  void every_byte_round_trips() {
    QByteArray all_bytes;
    for (int code = 0; code < 256; ++code) {
      all_bytes += static_cast<char>(code);
    }
    const QString text = varmkalk::decode_windows1252(all_bytes);
    QCOMPARE(text.size(), 256);
    QCOMPARE(varmkalk::encode_windows1252(text), std::optional<QByteArray>(all_bytes));
  }

  void agrees_with_the_platform_codec_where_it_has_one() {
    QStringDecoder platform("windows-1252");
    if (!platform.isValid()) {
      QSKIP("no Windows-1252 codec on this platform");
    }
    for (int code = 0x80; code < 0xA0; ++code) {
      const QByteArray byte(1, static_cast<char>(code));
      const QString expected = platform.decode(byte);
      // The five undefined bytes are left to each codec.
      if (expected.at(0).unicode() >= 0x80 && expected.at(0).unicode() < 0xA0) {
        continue;
      }
      QCOMPARE(varmkalk::decode_windows1252(byte), expected);
    }
  }

  void refuses_characters_outside_the_code_page() {
    QCOMPARE(varmkalk::encode_windows1252(QStringLiteral("Ω")), std::nullopt);
    QCOMPARE(varmkalk::encode_windows1252(QStringLiteral("a\u0085")), std::nullopt);
  }
};

QTEST_GUILESS_MAIN(Windows1252Test)
#include "windows1252_test.moc"
