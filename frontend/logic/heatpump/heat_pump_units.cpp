// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/logic/heatpump/heat_pump_units.h"

#include "core/files/file_access.h"
#include "core/formats/keymark_file.h"
#include "core/heatpump/seasonal_cop.h"
#include "core/model/model_input_error.h"
#include "frontend/logic/run/file_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace varmkalk {

namespace {

std::string bytes_of(const QString& path) {
  return core::read_file(to_path(path).string());
}

}  // namespace

QString heat_pump_folder(const QString& program_folder) {
  return QDir::cleanPath(program_folder + QStringLiteral("/../share/varmkalk/heatpumps"));
}

std::vector<OfferedUnit> shipped_units(const QString& folder) {
  std::vector<OfferedUnit> units;
  const QStringList files =
      QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
  for (const QString& file : files) {
    const auto titles = unit_titles(QDir(folder).filePath(file));
    if (const auto* found = std::get_if<QStringList>(&titles)) {
      for (const QString& title : *found) {
        units.push_back({file, title});
      }
    }
  }
  return units;
}

std::variant<QStringList, QString> unit_titles(const QString& path) {
  try {
    const std::string name = QFileInfo(path).fileName().toStdString();
    QStringList titles;
    for (const std::string& title : core::keymark_titles(bytes_of(path), name)) {
      titles += from_utf8(title);
    }
    if (titles.isEmpty()) {
      return QCoreApplication::translate("HeatPumpUnits", "Filen %1 deklarerar ingen värmepump.")
          .arg(QDir::toNativeSeparators(path));
    }
    return titles;
  } catch (const core::FileAccessError& error) {
    return from_utf8(error.what());
  } catch (const core::KeymarkError& error) {
    return from_utf8(error.what());
  }
}

QString located_unit_file(const QString& unit_file, const QString& folder) {
  if (QFileInfo(unit_file).isAbsolute() || QFileInfo::exists(unit_file)) {
    return unit_file;
  }
  return QDir(folder).filePath(QFileInfo(unit_file).fileName());
}

std::variant<LoadedHeatPump, QString> load_heat_pump(const core::HeatPumpChoice& choice,
                                                     const QString& folder) {
  try {
    if (choice.is_generic()) {
      return LoadedHeatPump{core::installed_choice(choice, nullptr), std::nullopt};
    }
    const QString path = located_unit_file(from_utf8(choice.unit_file), folder);
    const std::string name = QFileInfo(path).fileName().toStdString();
    core::HeatPumpUnit unit = core::read_keymark_unit(bytes_of(path), name, choice.model);
    core::HeatPumpInstallation installation = core::installed_choice(choice, &unit);
    return LoadedHeatPump{std::move(installation), std::move(unit)};
  } catch (const core::FileAccessError& error) {
    return from_utf8(error.what());
  } catch (const core::KeymarkError& error) {
    return from_utf8(error.what());
  } catch (const core::ModelInputError& error) {
    return from_utf8(error.what());
  }
}

bool is_ground_source(const core::HeatPumpChoice& choice,
                      const std::optional<core::HeatPumpUnit>& unit) {
  if (choice.is_generic()) {
    return choice.generic == core::GenericHeatPump::brine;
  }
  return unit && unit->source == core::HeatSource::brine;
}

std::vector<ScopCheck> scop_checks(const LoadedHeatPump& loaded) {
  std::vector<ScopCheck> checks;
  if (!loaded.unit) {
    return checks;
  }
  for (const core::SeasonClimate climate : core::kSeasonClimates) {
    for (const core::FlowFamily family : core::kFlowFamilies) {
      if (const auto& declaration = loaded.unit->declaration(climate, family)) {
        const core::SeasonalCop season =
            core::model_seasonal_cop(loaded.installation.model, *loaded.unit, climate, family);
        checks.push_back({climate, family, declaration->scop, season.scop});
      }
    }
  }
  return checks;
}

}  // namespace varmkalk
