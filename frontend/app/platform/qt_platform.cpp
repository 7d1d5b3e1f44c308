#include "qt_platform.h"

#include "form_number.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
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

void QtPlatform::beep() {
  QApplication::beep();
}

void QtPlatform::show_modal(QDialog& form) {
  form.exec();
}

bool QtPlatform::file_exists(const QString& file_name) {
  return QFileInfo(file_name).isFile();
}

bool QtPlatform::delete_file(const QString& file_name) {
  return QFile::remove(file_name) || !QFileInfo::exists(file_name);
}

bool QtPlatform::start_program(const QString& file_name) {
  // Like the Windows shell: the working directory first, then the program's own directory,
  // then the search path.
  const QStringList places{QDir::currentPath(), QCoreApplication::applicationDirPath()};
  for (const QString& place : places) {
    const QFileInfo candidate(QDir(place), file_name);
    if (candidate.isFile() && candidate.isExecutable()) {
      return QProcess::startDetached(candidate.absoluteFilePath(), {}, QDir::currentPath());
    }
  }
  return QProcess::startDetached(file_name, {}, QDir::currentPath());
}

void QtPlatform::sleep_ms(int milliseconds) {
  QThread::msleep(static_cast<unsigned long>(std::max(milliseconds, 0)));
}

QString QtPlatform::number_to_text(double value) const {
  constexpr int kSignificantDigits = 15;
  return locale_.toString(value, 'g', kSignificantDigits);
}

std::optional<double> QtPlatform::text_to_number(const QString& text) const {
  return read_form_number(text, locale_);
}

}  // namespace varmkalk
