// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "frontend/logic/form/own_climate.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace varmkalk {

class Platform;

// "Importera klimatdata": makes a climate file of the working folder from SMHI's open data, an
// EnergyPlus weather file or a plain table, shows the year's figures so the user can judge them,
// and hands the new file to the input form with "Använd". Deleted when closed.
class ClimateImportDialog : public QDialog {
  Q_OBJECT

 public:
  ClimateImportDialog(Platform& platform, QWidget* parent);

 signals:
  // "Använd" after a successful import.
  void chosen(const varmkalk::OwnClimateFile& file);

 private:
  void choose_source();
  void run_import();

  Platform& platform_;
  QLineEdit* source_;
  QLineEdit* year_;
  QCheckBox* allow_suspect_;
  QLineEdit* target_;
  QPlainTextEdit* result_;
  QPushButton* use_;
  std::optional<OwnClimateFile> imported_;
};

}  // namespace varmkalk
