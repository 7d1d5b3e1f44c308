// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;

namespace varmkalk {

class Platform;

// The row below an added dialog's fields: "OK" calls `take`, which accepts the dialog when its
// fields hold, "Avbryt" keeps what was there, "Standardvärden" calls `defaults`, and "Hjälp"
// (named `help_button`) opens the help dialog `help`.
QDialogButtonBox* add_dialog_buttons(QDialog& dialog, Platform& platform, const QString& help,
                                     const QString& help_button, std::function<void()> take,
                                     std::function<void()> defaults);

}  // namespace varmkalk
