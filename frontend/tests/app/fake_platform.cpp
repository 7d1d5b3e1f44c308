// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/tests/app/fake_platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QRadioButton>
#include <QTest>

namespace varmkalk::testing {

void FakePlatform::message_box(QWidget*, const QString& title, const QString& text,
                               MessageIcon icon) {
  events.append(QStringLiteral("message ") + title);
  messages.push_back({title, text, icon});
}

bool FakePlatform::ask_yes_no(QWidget*, const QString& title, const QString& text) {
  events.append(QStringLiteral("question ") + title);
  questions.push_back({title, text, MessageIcon::None});
  if (on_question) {
    on_question();
  }
  if (answers.empty()) {
    return false;
  }
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

int FakePlatform::choose(QWidget*, const QString& title, const QString& text,
                         const QStringList& buttons) {
  events.append(QStringLiteral("choice ") + title);
  questions.push_back({title, text, MessageIcon::Exclamation});
  const int last = static_cast<int>(buttons.size()) - 1;
  if (choices.empty()) {
    return last;
  }
  const int answer = choices.front();
  choices.pop_front();
  return answer >= 0 && answer <= last ? answer : last;
}

void FakePlatform::beep() {
  events.append(QStringLiteral("beep"));
}

void FakePlatform::show_modal(QDialog& form) {
  events.append(QStringLiteral("modal ") + form.objectName());
  modal_names.append(form.objectName());
  modal_forms.emplace_back(&form);
  form.show();
  if (on_modal) {
    on_modal(form);
  }
}

QString FakePlatform::save_file_name(QWidget*, const QString&, const QString& suggested_name,
                                     const QString&) {
  events.append(QStringLiteral("save ") + suggested_name);
  if (save_answers.empty()) {
    return {};
  }
  const QString answer = save_answers.front();
  save_answers.pop_front();
  return answer;
}

QString FakePlatform::open_file_name(QWidget*, const QString& title, const QString&) {
  events.append(QStringLiteral("open ") + title);
  if (open_answers.empty()) {
    return {};
  }
  const QString answer = open_answers.front();
  open_answers.pop_front();
  return answer;
}

QString FakePlatform::existing_folder_name(QWidget*, const QString& title, const QString&) {
  events.append(QStringLiteral("folder ") + title);
  if (folder_answers.empty()) {
    return {};
  }
  const QString answer = folder_answers.front();
  folder_answers.pop_front();
  return answer;
}

bool FakePlatform::file_exists(const QString& file_name) {
  return QFileInfo(file_name).isFile();
}

void FakePlatform::sleep_ms(int) {}

QDialog* FakePlatform::last_modal() const {
  return modal_forms.empty() ? nullptr : modal_forms.back().data();
}

void click_button(QAbstractButton* button) {
  constexpr int kIndicatorCentre = 6;
  const QPoint where = qobject_cast<QRadioButton*>(button) != nullptr
                           ? QPoint(kIndicatorCentre, button->height() / 2)
                           : button->rect().center();
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

void flush_deletions() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace varmkalk::testing
