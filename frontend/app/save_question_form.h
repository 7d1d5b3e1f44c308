#pragma once

#include "frontend/logic/result_files.h"

#include <QDialog>

namespace varmkalk {

// When the keep-or-delete question is asked.
enum class SaveQuestion {
  BeforeFurtherCalculation,  // `sparany`, from "Ytterligare beräkning"
  AtExit,                    // `spara`, from "Avsluta programmet"
};

// The forms `sparany` and `spara`: "Skall indata- och resultatfiler sparas?" with "Ja" and "Nej".
// The form only asks; whoever opened it deletes the files and closes it. Closing it through its
// window frame gives no answer.
class SaveQuestionForm : public QDialog {
  Q_OBJECT

 public:
  SaveQuestionForm(SaveQuestion question, QWidget* parent);

 signals:
  void answered(varmkalk::KeepFiles answer);
};

}  // namespace varmkalk
