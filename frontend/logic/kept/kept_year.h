// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/formats/summary_report_reader.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/run/folder_year.h"

#include <QString>

#include <optional>
#include <variant>

namespace varmkalk {

// The case a calculation was kept with, under `identity`: from its inputs file where it has one,
// else from its summary. Or why neither gives one.
std::variant<core::BoilerCase, QString> kept_case(const std::optional<KeptInputs>& inputs,
                                                  const std::optional<core::SummaryReport>& summary,
                                                  const QString& identity);

// The year of the calculation kept under `identity` in `folder`, run again in memory as the
// engine ran it: its case from its inputs file, else from its summary, on its climate file as the
// engine finds it (the folder, else `climate_fallback_dir`). Or why it cannot be.
std::variant<FolderYear, QString> kept_year(const QString& folder, const QString& identity,
                                            const QString& climate_fallback_dir);

}  // namespace varmkalk
