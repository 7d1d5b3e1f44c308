// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/platform/platform.h"

#include <QDialog>
#include <QString>

class QLineEdit;

namespace varmkalk {

class InputForm;

// The identity form `inutdata`: asks for the calculation identity of up to four characters, which
// names the engine's result files, and writes styrfil.dat from the input form under it. Opened
// modally over the input form, which stays loaded until the identity is confirmed.
class IdentityForm : public QDialog {
  Q_OBJECT

 public:
  IdentityForm(Platform& platform, InputForm& input_form);

  // The identity exactly as typed.
  QString calc_id() const;

 signals:
  // styrfil.dat has been written for the identity; the receiver unloads this form and the
  // input form.
  void confirmed(const QString& calc_id);

 private:
  // "OK": refuses an unusable identity, one whose files exist and input that cannot be turned
  // into the control file, each with a message and the form left open.
  void confirm();
  // Shows why the identity cannot be used and puts the focus back into the identity box.
  void refuse(const QString& title, const QString& text, MessageIcon icon);

  Platform& platform_;
  InputForm& input_form_;
  QLineEdit* identity_field_;  // utdatafil
};

}  // namespace varmkalk
