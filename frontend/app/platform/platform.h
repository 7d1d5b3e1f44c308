#pragma once

#include <QString>

#include <optional>

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
  // The platform's warning sound.
  virtual void beep() = 0;
  // Shows a freshly loaded form modally and returns once it has been closed or hidden. A form
  // that deletes itself on close is gone when this returns.
  virtual void show_modal(QDialog& form) = 0;

  virtual bool file_exists(const QString& file_name) = 0;
  // Removes the file; a file that is not there is no error. True when no such file is left.
  virtual bool delete_file(const QString& file_name) = 0;
  // Starts a program by its bare file name, looked for in the working directory first, and
  // returns at once. False when it could not be started.
  virtual bool start_program(const QString& file_name) = 0;
  virtual void sleep_ms(int milliseconds) = 0;

  // Numbers as the user types and reads them: the decimal separator of the user's locale.
  virtual QString number_to_text(double value) const = 0;
  // Surrounding blanks are ignored; nullopt for a text that is not a number in the user's locale.
  virtual std::optional<double> text_to_number(const QString& text) const = 0;
};

}  // namespace varmkalk
