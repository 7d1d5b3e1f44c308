// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace varmkalk::testing {

// Writes `folder`/kalvex, a shell script of `body` that stands in for the engine, and makes it
// executable; replaces an earlier one.
void write_fake_engine(const QString& folder, const QByteArray& body);

// A program folder for a stand-in engine one level inside `root`, a test's own temporary folder,
// so that the climate folder the program looks for beside it (../share/varmkalk/climate) lies in
// `root` too: empty, whatever an earlier run left in the system's temporary folder.
QString own_program_folder(const QString& root);

}  // namespace varmkalk::testing
