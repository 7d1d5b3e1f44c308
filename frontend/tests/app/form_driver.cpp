// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/app/form_driver.h"

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
  const std::initializer_list<std::pair<const char*, QString>> texts{
      {"enstegeff", QStringLiteral("15")},  {"enstegluft", QStringLiteral("20")},
      {"pilotflamma", QStringLiteral("0")}, {"vvbehov", QStringLiteral("5000")},
      {"Text5", locale.toString(1.08)},     {"konvkonst", QStringLiteral("1")},
      {"sbkonstant", QStringLiteral("1")},  {"sbexponent", locale.toString(1.25)},
      {"TempL", QStringLiteral("60")},      {"FramL", QStringLiteral("40")},
      {"ReturL", QStringLiteral("30")},     {"TempH", QStringLiteral("80")},
      {"FramH", QStringLiteral("70")},      {"ReturH", QStringLiteral("60")},
      {"huseff", QStringLiteral("8")},      {"intemp", QStringLiteral("20")},
      {"cirkpump", QStringLiteral("60")},
  };
  for (const auto& [name, text] : texts) {
    child<QLineEdit>(input_form, name)->setText(text);
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
