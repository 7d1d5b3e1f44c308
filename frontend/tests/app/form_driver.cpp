// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/app/form_driver.h"

#include "frontend/examples/typed_inputs.h"
#include "frontend/logic/form/form_input.h"
#include "frontend/tests/app/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace varmkalk::testing {

void click(const QWidget& parent, const char* name) {
  click_button(child<QAbstractButton>(parent, name));
}

void touch(const QString& file_name) {
  QFile file(file_name);
  QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file_name));
}

QStringList working_files() {
  return QDir().entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void clear_working_folder() {
  const QDir dir;
  for (const QFileInfo& entry :
       dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    const bool removed = entry.isDir() && !entry.isSymLink()
                             ? QDir(entry.filePath()).removeRecursively()
                             : QFile::remove(entry.filePath());
    QVERIFY2(removed, qPrintable(entry.filePath()));
  }
}

void WorkingFolder::enter() {
  QVERIFY(dir_.isValid());
  QVERIFY(QDir::setCurrent(dir_.path()));
  clear_working_folder();
}

void fill_worked_example(QDialog& input_form, const QLocale& locale) {
  for (const char* option :
       {"enstegbr", "vvja", "konvkonstant", "sbkonst", "Trettiofem", "Malmö", "framretur5545"}) {
    click(input_form, option);
  }
  // The fields the example leaves empty keep what they hold.
  const FormInput typed = typed_in(typed_worked_example(), locale);
  for (const FormField& field : kFormFields) {
    if (!(typed.*field.text).isEmpty()) {
      child<QLineEdit>(input_form, field.name)->setText(typed.*field.text);
    }
  }
}

void apply_changes(QDialog& input_form, const FormChanges& changes) {
  for (const auto& [name, text] : changes) {
    if (text.isEmpty()) {
      click(input_form, name);
    } else {
      child<QLineEdit>(input_form, name)->setText(text);
    }
  }
}

QDialog* complete_input(FakePlatform& platform, const QLocale& locale) {
  QDialog* input_form = platform.last_modal();
  if (input_form == nullptr || input_form->objectName() != QStringLiteral("Inmatning")) {
    qFatal("the input form is not open");
  }
  fill_worked_example(*input_form, locale);
  click(*input_form, "Command1");
  QDialog* identity_form = platform.last_modal();
  if (identity_form == nullptr || identity_form->objectName() != QStringLiteral("inutdata")) {
    qFatal("the identity form did not open");
  }
  return identity_form;
}

void confirm_identity(QDialog& identity_form, const QString& calc_id) {
  QLineEdit* field = child<QLineEdit>(identity_form, "utdatafil");
  field->clear();
  QTest::keyClicks(field, calc_id);
  click(identity_form, "Command1");
}

}  // namespace varmkalk::testing
