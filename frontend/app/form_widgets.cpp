// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/form_widgets.h"

#include "frontend/app/caption_button.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

namespace varmkalk {

namespace {

template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& geometry) {
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

void set_background(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void set_bold(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
}

QLabel* add_label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
  auto* label = place(new QLabel(text, parent), name, geometry);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* add_button(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry) {
  auto* button = place(new CaptionButton(text, parent), name, geometry);
  button->setAutoDefault(false);
  return button;
}

QLineEdit* add_field(QWidget* parent, const char* name, const QRect& geometry) {
  auto* field = place(new QLineEdit(parent), name, geometry);
  set_field_background(field, kWhite);
  return field;
}

QGroupBox* add_frame(QWidget* parent, const char* name, const QString& caption,
                     const QRect& geometry) {
  return place(new QGroupBox(caption, parent), name, geometry);
}

QRadioButton* add_option(QGroupBox* frame, const char* name, const QString& caption,
                         const QRect& geometry) {
  return place(new QRadioButton(caption, frame), name, geometry);
}

void set_field_background(QLineEdit* field, const QColor& colour) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, colour);
  field->setPalette(palette);
}

QColor field_background(const QLineEdit* field) {
  return field->palette().color(QPalette::Base);
}

}  // namespace varmkalk
