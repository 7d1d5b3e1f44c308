// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/own_climate_list.h"

#include "frontend/logic/form/own_climate.h"

#include <QComboBox>
#include <QDir>

namespace varmkalk {

void list_own_climate_files(QComboBox& box) {
  const QString typed = box.currentText();
  box.clear();
  for (const OwnClimateFile& file : own_climate_files(QDir::currentPath())) {
    box.addItem(file.name, file.suggested_design_temp_c);
  }
  box.setCurrentIndex(box.findText(typed));
  box.setEditText(typed);
}

}  // namespace varmkalk
