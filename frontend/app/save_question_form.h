// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/run/result_files.h"

#include <QDialog>
#include <QStringList>

namespace varmkalk {

// When the keep-or-delete question is asked.
enum class SaveQuestion {
  BeforeFurtherCalculation,  // `sparany`, from "Ytterligare beräkning"
  AtExit,                    // `spara`, from "Avsluta programmet"
};

// The forms `sparany` and `spara`: "Skall indata- och resultatfiler sparas?" with "Ja" and "Nej",
// and below the buttons the names of the calculation's files that the answer decides on.
// The form only asks; whoever opened it deletes the files and closes it. Closing it through its
// window frame gives no answer.
class SaveQuestionForm : public QDialog {
  Q_OBJECT

 public:
  SaveQuestionForm(SaveQuestion question, const QStringList& files, QWidget* parent);

 signals:
  void answered(varmkalk::KeepFiles answer);
};

}  // namespace varmkalk
