// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace varmkalk {

// The help dialogs of the input form, by form name: "inmatningsord", "HelpBurn", "Form3",
// "Helpkonv", "stillestand", "Form1", "HelpHeat", "Kostnadshjalp" of "Kostnad och klimat…" and
// "Matarhjalp" of "Anpassa till mätaren…", "Varmepumphjalp" of "Värmepump…".
// Each is a fresh dialog with parent `parent`, deleted when closed; the caller shows it modally.
// Returns nullptr for an unknown name.
QDialog* create_help_dialog(const QString& form_name, QWidget* parent);

// The program information form "proginfo", with a button "Om VARMKALK" that shows the licence
// and the credits of the climate data.
QDialog* create_proginfo(QWidget* parent);

}  // namespace varmkalk
