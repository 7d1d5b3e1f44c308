// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <utility>

namespace varmkalk {

QtPlatform::QtPlatform(QLocale locale) : locale_(std::move(locale)) {
  // Numbers are shown as they are typed: without digit grouping.
  locale_.setNumberOptions(QLocale::OmitGroupSeparator);
}

void QtPlatform::message_box(QWidget* parent, const QString& title, const QString& text,
                             MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  title.isEmpty() ? QCoreApplication::applicationName() : title, text,
                  QMessageBox::Ok, parent);
  box.exec();
}

bool QtPlatform::ask_yes_no(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question,
                  title.isEmpty() ? QCoreApplication::applicationName() : title, text,
                  QMessageBox::NoButton, parent);
  // Qt's own captions would be English without a translation: the buttons carry Swedish words.
  QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Nej"), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

int QtPlatform::choose(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& buttons) {
  QMessageBox box(QMessageBox::Warning,
                  title.isEmpty() ? QCoreApplication::applicationName() : title, text,
                  QMessageBox::NoButton, parent);
  QList<QPushButton*> pushed;
  for (const QString& caption : buttons) {
    pushed.append(box.addButton(caption, QMessageBox::ActionRole));
  }
  if (pushed.isEmpty()) {
    return -1;
  }
  box.setDefaultButton(pushed.front());
  box.setEscapeButton(pushed.back());
  box.exec();
  const auto index = pushed.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
  return index < 0 ? static_cast<int>(pushed.size()) - 1 : static_cast<int>(index);
}

void QtPlatform::beep() {
  QApplication::beep();
}

void QtPlatform::show_modal(QDialog& form) {
  form.exec();
}

QString QtPlatform::save_file_name(QWidget* parent, const QString& title,
                                   const QString& suggested_name, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, QDir::current().filePath(suggested_name),
                                      filter);
}

QString QtPlatform::open_file_name(QWidget* parent, const QString& title, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, QDir::currentPath(), filter);
}

QString QtPlatform::existing_folder_name(QWidget* parent, const QString& title,
                                         const QString& start) {
  return QFileDialog::getExistingDirectory(parent, title, start);
}

bool QtPlatform::file_exists(const QString& file_name) {
  return QFileInfo(file_name).isFile();
}

void QtPlatform::sleep_ms(int milliseconds) {
  QThread::msleep(static_cast<unsigned long>(std::max(milliseconds, 0)));
}

QLocale QtPlatform::locale() const {
  return locale_;
}

}  // namespace varmkalk
