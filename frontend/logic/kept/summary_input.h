// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/formats/summary_report_reader.h"
#include "frontend/logic/form/restored_input.h"

#include <QLocale>

namespace varmkalk {

// The form's input from the input section of a summary report, for a calculation kept without an
// inputs file, numbers written in `locale`: the burner by its powers and air ratio, the hot water
// by its demand and loss, the losses as constants, the flue-gas points, the heating system, the
// place, the building and the pump. Values are those the summary prints, rounded as it rounds
// them; a value printed as asterisks and an own climate file's design outdoor temperature (which
// the summary does not print) are left empty, a pump share or a lowest return temperature the
// form cannot express keeps the form's default, each named in `notes`.
RestoredInput input_from_summary(const core::SummaryReport& report, const QLocale& locale);

}  // namespace varmkalk
