// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/climate_import_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <variant>

#include "frontend/platform/platform.h"

namespace varmkalk {

namespace {

constexpr int kWidth = 560;
constexpr int kYearDigits = 4;

QPushButton* add_named_button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QLineEdit* add_named_field(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  return field;
}

}  // namespace

ClimateImportDialog::ClimateImportDialog(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
  setObjectName(QStringLiteral("klimatimport"));
  setWindowTitle(QCoreApplication::translate("ClimateImportDialog", "Importera klimatdata"));
  setAttribute(Qt::WA_DeleteOnClose);
  setMinimumWidth(kWidth);

  auto* intro =
      new QLabel(QCoreApplication::translate(
                     "ClimateImportDialog",
                     "Dygnsmedeltemperaturer för ett kalenderår blir en klimatfil i arbetsmappen: "
                     "SMHI:s öppna data (\"Lufttemperatur, medelvärde 1 dygn\" eller timvärden), "
                     "en EnergyPlus-fil (.epw) eller en tabell med datum och temperatur. Inget "
                     "fylls i: saknas en dag sägs vilka."),
                 this);
  intro->setWordWrap(true);

  source_ = add_named_field(this, "kallfil");
  QPushButton* browse = add_named_button(
      this, "valjkalla", QCoreApplication::translate("ClimateImportDialog", "Välj…"));
  auto* source_row = new QHBoxLayout;
  source_row->addWidget(source_);
  source_row->addWidget(browse);
  year_ = add_named_field(this, "ar");
  year_->setMaxLength(kYearDigits);
  year_->setPlaceholderText(QCoreApplication::translate("ClimateImportDialog", "källans enda år"));
  allow_suspect_ = new QCheckBox(
      QCoreApplication::translate("ClimateImportDialog",
                                  "Godta värden som SMHI markerat som misstänkta (kvalitet Y)"),
      this);
  allow_suspect_->setObjectName(QStringLiteral("misstankt"));
  target_ = add_named_field(this, "malfil");

  auto* form = new QFormLayout;
  form->addRow(QCoreApplication::translate("ClimateImportDialog", "Källfil:"), source_row);
  form->addRow(QCoreApplication::translate("ClimateImportDialog", "År:"), year_);
  form->addRow(QString(), allow_suspect_);
  form->addRow(QCoreApplication::translate("ClimateImportDialog", "Spara som:"), target_);

  QPushButton* run = add_named_button(
      this, "importknapp", QCoreApplication::translate("ClimateImportDialog", "Importera"));
  result_ = new QPlainTextEdit(this);
  result_->setObjectName(QStringLiteral("resultat"));
  result_->setReadOnly(true);
  use_ = add_named_button(this, "anvand",
                          QCoreApplication::translate("ClimateImportDialog", "Använd"));
  use_->setEnabled(false);
  QPushButton* close =
      add_named_button(this, "stang", QCoreApplication::translate("ClimateImportDialog", "Stäng"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(run);
  buttons->addStretch();
  buttons->addWidget(use_);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(form);
  layout->addWidget(result_);
  layout->addLayout(buttons);

  connect(browse, &QPushButton::clicked, this, &ClimateImportDialog::choose_source);
  connect(run, &QPushButton::clicked, this, &ClimateImportDialog::run_import);
  connect(use_, &QPushButton::clicked, this, [this] {
    emit chosen(*imported_);
    accept();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void ClimateImportDialog::choose_source() {
  const QString path = platform_.open_file_name(
      this, QCoreApplication::translate("ClimateImportDialog", "Välj klimatdata"),
      QCoreApplication::translate("ClimateImportDialog",
                                  "Klimatdata (*.csv *.epw *.txt);;Alla filer (*)"));
  if (path.isEmpty()) {
    return;
  }
  source_->setText(QDir::toNativeSeparators(path));
  if (target_->text().isEmpty()) {
    target_->setText(suggested_climate_file_name(path));
  }
}

void ClimateImportDialog::run_import() {
  ClimateImportRequest request;
  request.source_path = QDir::fromNativeSeparators(source_->text().trimmed());
  request.target_name = target_->text();
  request.allow_suspect = allow_suspect_->isChecked();
  if (!year_->text().trimmed().isEmpty()) {
    bool ok = false;
    request.year = year_->text().trimmed().toInt(&ok);
    if (!ok) {
      result_->setPlainText(QStringLiteral("Året \"%1\" är inget årtal.").arg(year_->text()));
      return;
    }
  }
  const auto outcome = import_climate_into(QDir::currentPath(), request, platform_.locale());
  if (const auto* error = std::get_if<FileError>(&outcome)) {
    imported_.reset();
    use_->setEnabled(false);
    platform_.beep();
    result_->setPlainText(error->message);
    return;
  }
  const ImportedClimateFile& file = std::get<ImportedClimateFile>(outcome);
  imported_ = file.file;
  result_->setPlainText(
      QCoreApplication::translate("ClimateImportDialog", "%1 skapades i arbetsmappen.\n\n%2")
          .arg(file.file.name, file.summary));
  use_->setEnabled(true);
  use_->setDefault(true);
}

}  // namespace varmkalk
