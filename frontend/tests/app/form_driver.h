// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <utility>
#include <vector>

namespace varmkalk {
class MainMenu;
}

namespace varmkalk::testing {

class FakePlatform;

// The control of that name under `parent`; stops the test when there is none.
template <typename Widget = QWidget>
Widget* child(const QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(QString::fromUtf8(name));
  if (widget == nullptr) {
    qFatal("no control %s", name);
  }
  return widget;
}

// Clicks the named button or option button of `parent`.
void click(const QWidget& parent, const char* name);

// Creates an empty file in the working directory.
void touch(const QString& file_name);
// The names of the working directory's files, sorted.
QStringList working_files();
// Removes every file and folder of the working directory, so that a test starts from an empty
// folder whatever the one before left in the way.
void clear_working_folder();

// A temporary folder as the working directory of the tests, emptied for each test function.
class WorkingFolder {
 public:
  // For init(): makes the folder the working directory and empties it; a failed check stops
  // before anything is removed.
  void enter();
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

// Fills an input form with the worked example: single-stage burner of 15 kW with 20 % excess
// air and no pilot flame, a hot-water heater (5000 kWh a year, 1.08 kWh a day), loss constants
// C 1, C1 1 and C2 1.25, flue gas 60 °C at 40/30 °C (Låg) and 80 °C at 70/60 °C (Hög), a house
// of 8 kW at 20 °C indoors, 35 °C lowest return, Malmö, 55/45 °C and a 60 W pump. Decimals are
// typed with the separator of `locale`.
void fill_worked_example(QDialog& input_form, const QLocale& locale);

// Changes of an input form, made in order: the named field gets the text, or, where the text is
// empty, the named option is clicked.
using FormChanges = std::vector<std::pair<const char*, QString>>;
void apply_changes(QDialog& input_form, const FormChanges& changes);

// "Ny beräkning" (or, later, "Ytterligare beräkning" and "Ja") has opened the input form: fills
// it with the worked example, presses "Indata färdigt" and returns the identity form.
QDialog* complete_input(FakePlatform& platform, const QLocale& locale);

// Types the identity into `inutdata` and presses "OK".
void confirm_identity(QDialog& identity_form, const QString& calc_id);

}  // namespace varmkalk::testing
