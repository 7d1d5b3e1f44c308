#pragma once

#include "form_input.h"

#include <QDialog>

class QLineEdit;

namespace varmkalk {

// The identity form `inutdata`: asks for the calculation identity of up to four characters,
// which names the engine's result files. Opened over the input form with that form's values.
class IdentityForm : public QDialog {
  Q_OBJECT

 public:
  IdentityForm(FormInput input, QWidget* parent);

  const FormInput& form_input() const { return input_; }
  // The identity exactly as typed.
  QString calc_id() const;

 private:
  FormInput input_;
  QLineEdit* identity_field_;  // utdatafil
};

}  // namespace varmkalk
