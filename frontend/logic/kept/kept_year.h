// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/case/boiler_case.h"
#include "core/formats/summary_report_reader.h"
#include "frontend/logic/kept/inputs_file.h"
#include "frontend/logic/kept/kept_calculations.h"
#include "frontend/logic/run/folder_year.h"

#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace varmkalk {

// The case a calculation was kept with, under `identity`: from its inputs file where it has one,
// else from its summary (see summary_case). Or why neither gives one.
std::variant<core::BoilerCase, QString> kept_case(const std::optional<KeptInputs>& inputs,
                                                  const std::optional<core::SummaryReport>& summary,
                                                  const QString& identity);

// The year of each kept calculation, run again in memory once as the engine ran it: its case
// from its inputs file, else from its summary, on its climate file as the engine finds it (the
// folder, else `climate_fallback_dir`), each climate file read once. Or why it cannot be.
std::vector<CalculationYear> kept_years(const std::vector<KeptCalculation>& calculations,
                                        const QString& folder, const QString& climate_fallback_dir);

}  // namespace varmkalk
