#include "fake_platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTest>

namespace varmkalk::testing {

void FakePlatform::message_box(QWidget*, const QString& title, const QString& text,
                               MessageIcon icon) {
  events.append(QStringLiteral("message ") + title);
  messages.push_back({title, text, icon});
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

bool FakePlatform::file_exists(const QString& file_name) {
  return QFileInfo(file_name).isFile();
}

bool FakePlatform::delete_file(const QString& file_name) {
  return QFile::remove(file_name) || !QFileInfo::exists(file_name);
}

bool FakePlatform::start_program(const QString& file_name) {
  started_programs.append(file_name);
  return true;
}

void FakePlatform::sleep_ms(int) {}

QString FakePlatform::number_to_text(double value) const {
  return locale.toString(value);
}

std::optional<double> FakePlatform::text_to_number(const QString& text) const {
  bool ok = false;
  const double value = locale.toDouble(text.trimmed(), &ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}

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
