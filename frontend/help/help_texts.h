// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace varmkalk {

// The Swedish help text of a help dialog by its form name; empty for an unknown name.
QString help_text(const QString& form_name);

// The information text of `proginfo`.
QString proginfo_text();

// The text of "Om VARMKALK": version, licence and the credits of the climate data.
QString about_text();

}  // namespace varmkalk
