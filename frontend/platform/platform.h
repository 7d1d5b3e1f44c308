// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace varmkalk {

enum class MessageIcon { None, Exclamation };

// Everything the forms need from the window system and the operating system. The program runs on
// QtPlatform; tests give the forms a recording fake so that nothing blocks or touches the screen.
// File names are relative to the working directory.
class Platform {
 public:
  virtual ~Platform() = default;

  // Shows `text` with one OK button and returns after OK. An empty title stands for the
  // application title.
  virtual void message_box(QWidget* parent, const QString& title, const QString& text,
                           MessageIcon icon) = 0;
  // Asks a question with the buttons "Ja" and "Nej" and returns true for "Ja". An empty title
  // stands for the application title.
  virtual bool ask_yes_no(QWidget* parent, const QString& title, const QString& text) = 0;
  // Shows `text` with one button per caption of `buttons` and returns the index of the one
  // pressed; closing the box or Escape answers as the last button.
  virtual int choose(QWidget* parent, const QString& title, const QString& text,
                     const QStringList& buttons) = 0;
  // The platform's warning sound.
  virtual void beep() = 0;
  // Shows a freshly loaded form modally and returns once it has been closed or hidden. A form
  // that deletes itself on close is gone when this returns.
  virtual void show_modal(QDialog& form) = 0;

  // Asks where to save a file: `suggested_name` is offered in the working directory, `filter`
  // names the file type ("PNG-bild (*.png)"). Returns the chosen path, empty when cancelled.
  virtual QString save_file_name(QWidget* parent, const QString& title,
                                 const QString& suggested_name, const QString& filter) = 0;

  // Asks for an existing file to read; empty when the user cancels.
  virtual QString open_file_name(QWidget* parent, const QString& title, const QString& filter) = 0;

  // Asks for an existing folder, starting in `start`; empty when the user cancels.
  virtual QString existing_folder_name(QWidget* parent, const QString& title,
                                       const QString& start) = 0;

  virtual bool file_exists(const QString& file_name) = 0;
  virtual void sleep_ms(int milliseconds) = 0;

  // The user's regional settings: numbers on the forms are typed and read with its decimal
  // separator.
  virtual QLocale locale() const = 0;
};

}  // namespace varmkalk
