// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/support/fake_engine.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace varmkalk::testing {

void write_fake_engine(const QString& folder, const QByteArray& body) {
  QFile script(QDir(folder).filePath(QStringLiteral("kalvex")));
  QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
  const QByteArray text = "#!/bin/sh\n" + body + "\n";
  QCOMPARE(script.write(text), text.size());
  script.close();
  QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ReadOwner));
}

QString own_program_folder(const QString& root) {
  const QString folder = QDir(root).filePath(QStringLiteral("bin"));
  if (!QDir().mkpath(folder)) {
    qFatal("cannot make %s", qPrintable(folder));
  }
  return folder;
}

}  // namespace varmkalk::testing
