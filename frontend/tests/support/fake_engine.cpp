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

}  // namespace varmkalk::testing
