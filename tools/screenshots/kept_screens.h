// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>

#include <functional>

class QWidget;

namespace varmkalk {

// Shows the widget, saves it as NAME.png and hides it again; false when it could not be saved.
using SaveScreen = std::function<bool(QWidget& widget, const QString& name)>;

// The kept calculations of a working folder made for the purpose (a single-stage and a modulating
// calculation with inputs files, an older one with its summary only): the list of "Hämta indata…",
// the input form filled from it, the list of "Jämför beräkningar…" with all three marked, their
// comparison window, and the comparison's PDF as jamforelse.pdf with its pages as PNG files.
bool save_kept_calculations(const QDir& dir, const SaveScreen& save);

}  // namespace varmkalk
