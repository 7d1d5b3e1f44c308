// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace varmkalk::testing {

// Writes `folder`/kalvex, a shell script of `body` that stands in for the engine, and makes it
// executable; replaces an earlier one.
void write_fake_engine(const QString& folder, const QByteArray& body);

}  // namespace varmkalk::testing
