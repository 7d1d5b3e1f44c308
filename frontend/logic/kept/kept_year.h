// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/folder_year.h"

#include <QString>

#include <variant>

namespace varmkalk {

// The year of the calculation kept under `identity` in `folder`, run again in memory as the
// engine ran it: its case from its inputs file, else from its summary, on its climate file as the
// engine finds it (the folder, else `climate_fallback_dir`). Or why it cannot be.
std::variant<FolderYear, QString> kept_year(const QString& folder, const QString& identity,
                                            const QString& climate_fallback_dir);

}  // namespace varmkalk
