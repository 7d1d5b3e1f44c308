// SPDX-License-Identifier: GPL-3.0-or-later
// The seventh climate choice of the input form: a climate file of the user's own from the working
// folder, or one imported into it, with its design outdoor temperature.

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "frontend/app/climate_import_dialog.h"
#include "frontend/app/form_widgets.h"
#include "frontend/app/input_form.h"
#include "frontend/app/own_climate_list.h"
#include "frontend/help/twips.h"
#include "frontend/platform/platform.h"

namespace varmkalk {

namespace {

constexpr int kDesignTempDecimals = 1;
// The controls shown only while "Egen klimatfil" is chosen.
constexpr std::array<const char*, 4> kOwnClimateControls{"klimatfil_lista", "importera",
                                                         "dut_label", "dut"};

}  // namespace

void InputForm::build_own_climate() {
  // Below the climate frame, whose six places fill it: the option joins their group by a button
  // group of its own.
  auto* own = new QRadioButton(QCoreApplication::translate("InputForm", "Egen klimatfil"), this);
  own->setObjectName(QStringLiteral("Egenklimat"));
  own->setGeometry(twips_rect(10620, 8205, 2115, 255));
  auto* files = new QComboBox(this);
  files->setObjectName(QStringLiteral("klimatfil_lista"));
  files->setEditable(true);
  files->setInsertPolicy(QComboBox::NoInsert);
  files->lineEdit()->setObjectName(QLatin1String(kOwnClimateFileField));
  files->setGeometry(twips_rect(10560, 8490, 2175, 285));
  add_button(this, "importera", QStringLiteral("Importera…"), twips_rect(8940, 8805, 1455, 285));
  add_label(this, "dut_label", QStringLiteral("DUT (°C)"), twips_rect(10560, 8835, 1035, 225));
  add_field(this, "dut", twips_rect(11640, 8805, 1095, 285));
}

void InputForm::connect_own_climate() {
  QRadioButton* own = option("Egenklimat");
  join_frame_options("Ort", *own, kOwnClimateControls);
  // The list is read when it is shown: reading every climate file of the folder each time the
  // form opens would slow the form down in a folder of many kept calculations.
  connect(own, &QRadioButton::toggled, this, [this](bool chosen) {
    if (chosen) {
      refresh_own_climate_files();
    }
  });

  auto* files = qobject_cast<QComboBox*>(control("klimatfil_lista"));
  connect(files, &QComboBox::textActivated, this, [this, files](const QString& name) {
    take_own_climate_file(name, files->currentData().toDouble());
  });
  QLineEdit* file_field = field(kOwnClimateFileField);
  connect(file_field, &QLineEdit::textChanged, this,
          [file_field] { set_field_background(file_field, kWhite); });
  connect(qobject_cast<QPushButton*>(control("importera")), &QPushButton::clicked, this, [this] {
    auto* dialog = new ClimateImportDialog(platform_, this);
    connect(dialog, &ClimateImportDialog::chosen, this, [this](const OwnClimateFile& file) {
      refresh_own_climate_files();
      take_own_climate_file(file.name, file.suggested_design_temp_c);
    });
    platform_.show_modal(*dialog);
  });
}

void InputForm::refresh_own_climate_files() {
  list_own_climate_files(*qobject_cast<QComboBox*>(control("klimatfil_lista")));
}

void InputForm::take_own_climate_file(const QString& name, double suggested_design_temp_c) {
  auto* files = qobject_cast<QComboBox*>(control("klimatfil_lista"));
  files->setCurrentIndex(files->findText(name));
  files->setEditText(name);
  // The suggestion goes in unless the user has typed a temperature of their own.
  QLineEdit* design_temp = field("dut");
  if (design_temp->text().isEmpty() || design_temp->text() == suggested_design_temp_) {
    suggested_design_temp_ =
        platform_.locale().toString(suggested_design_temp_c, 'f', kDesignTempDecimals);
    design_temp->setText(suggested_design_temp_);
  }
}

}  // namespace varmkalk
