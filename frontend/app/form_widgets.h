// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace varmkalk {

// Small builders for the forms' controls: each control gets its design name as object name and
// its design place in pixels of its parent.

inline const QColor kWhite{255, 255, 255};
inline const QColor kGrey{128, 128, 128};
// The mark of a field whose value the user has to give or correct.
inline const QColor kFaultYellow{255, 255, 0};

void set_background(QWidget* widget, const QColor& colour);
void set_bold(QWidget* widget);

QLabel* add_label(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
QPushButton* add_button(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry);
// A single-line text box with a white background.
QLineEdit* add_field(QWidget* parent, const char* name, const QRect& geometry);
// A frame whose option buttons form one exclusive group.
QGroupBox* add_frame(QWidget* parent, const char* name, const QString& caption,
                     const QRect& geometry);
QRadioButton* add_option(QGroupBox* frame, const char* name, const QString& caption,
                         const QRect& geometry);

// The background of a text box, which shows the user which fields are missing.
void set_field_background(QLineEdit* field, const QColor& colour);
QColor field_background(const QLineEdit* field);

}  // namespace varmkalk
