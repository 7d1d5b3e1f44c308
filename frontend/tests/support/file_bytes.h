// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace varmkalk::testing {

// The whole file's bytes; a file that cannot be read whole fails the test and gives none. The
// checks run in a lambda of their own, so that callers need not return void.
inline QByteArray file_bytes(const QString& path) {
  QByteArray bytes;
  [&] {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray read = file.readAll();
    QCOMPARE(read.size(), file.size());
    bytes = read;
  }();
  return bytes;
}

// Writes the bytes as the whole file, replacing an earlier one.
inline void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace varmkalk::testing
