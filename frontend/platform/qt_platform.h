// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/platform/platform.h"

#include <QLocale>

namespace varmkalk {

// The platform of the running program: Qt's widgets and the local file system.
class QtPlatform final : public Platform {
 public:
  // Numbers follow `locale`: the user's regional settings unless a test names another.
  explicit QtPlatform(QLocale locale = QLocale::system());

  void message_box(QWidget* parent, const QString& title, const QString& text,
                   MessageIcon icon) override;
  bool ask_yes_no(QWidget* parent, const QString& title, const QString& text) override;
  int choose(QWidget* parent, const QString& title, const QString& text,
             const QStringList& buttons) override;
  void beep() override;
  void show_modal(QDialog& form) override;
  QString save_file_name(QWidget* parent, const QString& title, const QString& suggested_name,
                         const QString& filter) override;
  QString open_file_name(QWidget* parent, const QString& title, const QString& filter) override;
  QString existing_folder_name(QWidget* parent, const QString& title,
                               const QString& start) override;
  bool file_exists(const QString& file_name) override;
  void sleep_ms(int milliseconds) override;
  QLocale locale() const override;

 private:
  QLocale locale_;
};

}  // namespace varmkalk
