// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/heatpump/heat_pump_choice.h"
#include "core/heatpump/heat_pump_installation.h"
#include "core/heatpump/heat_pump_unit.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace varmkalk {

// The Keymark declarations installed with the program: share/varmkalk/heatpumps beside the
// folder of its executable.
QString heat_pump_folder(const QString& program_folder);

// A certified unit the dialog offers: its file (as the choice names it: the file name of a
// shipped declaration, else its whole path) and its variant's title.
struct OfferedUnit {
  QString file;
  QString title;
};

// Every variant of every declaration in `folder`, in the order of the files' names; files that
// cannot be read are left out.
std::vector<OfferedUnit> shipped_units(const QString& folder);

// The variants' titles of the declaration at `path`, or why it cannot be read (one line that
// names the file).
std::variant<QStringList, QString> unit_titles(const QString& path);

// The file a choice names: as named where that is a file, else the shipped one of that name.
QString located_unit_file(const QString& unit_file, const QString& folder);

// A chosen heat pump as it stands in the house, with the certified unit where it is one.
struct LoadedHeatPump {
  core::HeatPumpInstallation installation;
  std::optional<core::HeatPumpUnit> unit;
};

// The choice's unit read (from `folder` for a shipped one) and installed; or why not, one line
// that names the file, the variant or the setting at fault.
std::variant<LoadedHeatPump, QString> load_heat_pump(const core::HeatPumpChoice& choice,
                                                     const QString& folder);

// Whether the chosen heat pump takes its heat from the ground: a generic brine unit, or a
// certified `unit` that declares brine; false for a certified unit not read.
bool is_ground_source(const core::HeatPumpChoice& choice,
                      const std::optional<core::HeatPumpUnit>& unit);

// The seasonal COP of one of the unit's own declarations as its certificate gives it and as
// the model computes it from the same declared points.
struct ScopCheck {
  core::SeasonClimate climate;
  core::FlowFamily family;
  double declared_scop = 0.0;
  double model_scop = 0.0;
};

// One check for every declaration the unit has (none for a generic unit).
std::vector<ScopCheck> scop_checks(const LoadedHeatPump& loaded);

}  // namespace varmkalk
