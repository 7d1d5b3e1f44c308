// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/save_question_form.h"

#include "frontend/app/fonts.h"
#include "frontend/app/form_widgets.h"
#include "frontend/controls/control_names.h"
#include "frontend/help/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace varmkalk {

namespace {

constexpr double kQuestionPointSize = 12.0;

// "Gäller "h123.dat", "h123sum.dat" och "h123sum_c.dat"": quoted, since a short identity is
// padded with blanks that would not show.
QString files_caption(const QStringList& files) {
  QStringList quoted;
  for (const QString& name : files) {
    quoted += QLatin1Char('"') + name + QLatin1Char('"');
  }
  const QString last = quoted.takeLast();
  return QCoreApplication::translate("SaveQuestionForm", "Gäller ") +
         (quoted.isEmpty() ? last
                           : quoted.join(QStringLiteral(", ")) +
                                 QCoreApplication::translate("SaveQuestionForm", " och ") + last);
}

}  // namespace

SaveQuestionForm::SaveQuestionForm(SaveQuestion question, const QStringList& files, QWidget* parent)
    : QDialog(parent) {
  const bool at_exit = question == SaveQuestion::AtExit;
  setObjectName(at_exit ? QStringLiteral("spara") : QStringLiteral("sparany"));
  setWindowTitle(at_exit ? QCoreApplication::translate("SaveQuestionForm", "Spara resultatfiler")
                         : QCoreApplication::translate(
                               "SaveQuestionForm", "Spara resultatfiler inför nya beräkningar"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(twips_size(5460, 1605));
  if (at_exit) {
    move(twips(4650), twips(3540));
  } else {
    move(twips(4695), twips(3630));
  }
  setFont(sans_font(kDefaultPointSize));
  set_background(this, kGrey);

  QLabel* label = add_label(
      this, control::save_question::kQuestion,
      QCoreApplication::translate("SaveQuestionForm", "Skall indata- och resultatfiler sparas?"),
      twips_rect(0, 210, 5475, 375));
  label->setFont(sans_font(kQuestionPointSize, true));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  QPushButton* yes =
      add_button(this, control::save_question::kYes, tr("&Ja"), twips_rect(855, 780, 1695, 495));
  QPushButton* no =
      add_button(this, control::save_question::kNo, tr("&Nej"), twips_rect(3000, 780, 1695, 495));
  if (!files.isEmpty()) {
    QLabel* names =
        add_label(this, "filnamn", files_caption(files), twips_rect(0, 1320, 5475, 255));
    names->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  // Enter answers with the button that has the focus: "Ja", which keeps the files, at first.
  yes->setAutoDefault(true);
  no->setAutoDefault(true);
  setTabOrder(yes, no);
  yes->setFocus();

  connect(yes, &QPushButton::clicked, this, [this] { emit answered(KeepFiles::Yes); });
  connect(no, &QPushButton::clicked, this, [this] { emit answered(KeepFiles::No); });
}

}  // namespace varmkalk
