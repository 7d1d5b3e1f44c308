// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/platform/platform.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLocale>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace varmkalk::testing {

// A platform for the tests: message boxes and beeps are recorded instead of shown or sounded,
// and a modal form is shown without blocking, so the test drives it after show_modal returns.
// Files are the real ones of the working directory.
class FakePlatform final : public Platform {
 public:
  struct Message {
    QString title;
    QString text;
    MessageIcon icon;
  };

  // Called with every form shown modally, after it has been shown.
  std::function<void(QDialog&)> on_modal;
  // Called while a question is open, before it is answered: the event loop runs on meanwhile,
  // as it does under a real question.
  std::function<void()> on_question;

  // In order: "beep", "message <title>", "question <title>", "choice <title>",
  // "modal <form name>", "save <suggested name>", "folder <title>".
  QStringList events;
  std::vector<Message> messages;
  // The questions asked (and the texts of choose()), and the answers to give in order; "Nej"
  // once they run out.
  std::vector<Message> questions;
  std::deque<bool> answers;
  // The object names of the forms shown modally, in order, and the forms while they live.
  QStringList modal_names;
  std::vector<QPointer<QDialog>> modal_forms;
  QLocale user_locale{QLocale::c()};
  // The paths to answer the file dialogs with, in order; a cancelled dialog once they run out.
  std::deque<QString> save_answers;
  // The answers of open_file_name, in turn; an empty deque answers as a cancelled dialog.
  std::deque<QString> open_answers;
  // The buttons pressed in the boxes of choose(), by index, in turn; the last button (as Escape
  // does) once they run out.
  std::deque<int> choices;
  // The answers of existing_folder_name, in turn; a cancelled dialog once they run out.
  std::deque<QString> folder_answers;

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
  QLocale locale() const override { return user_locale; }

  // The last form shown modally, or nullptr when it is gone.
  QDialog* last_modal() const;
};

// Clicks a button with the mouse where a user would: on the indicator of an option button, whose
// wide frame takes no clicks beyond its caption.
void click_button(QAbstractButton* button);

// Deletes the widgets whose deletion has been posted, as closing a form with WA_DeleteOnClose does.
void flush_deletions();

}  // namespace varmkalk::testing
