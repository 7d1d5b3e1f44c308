#include "identity_form.h"

#include "calc_identity.h"
#include "fonts.h"
#include "form_widgets.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace varmkalk {

namespace {

constexpr double kHeadingPointSize = 12.0;
constexpr double kIdentityPointSize = 9.75;

}  // namespace

IdentityForm::IdentityForm(FormInput input, QWidget* parent)
    : QDialog(parent), input_(std::move(input)) {
  setObjectName(QStringLiteral("inutdata"));
  setWindowTitle(QStringLiteral("Beräkningsidentitet"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(twips_size(4650, 2625));
  setFont(sans_font(kDefaultPointSize));
  set_background(this, kGrey);

  QLabel* heading = add_label(this, "Label2", QStringLiteral("Beräkningens identitet (4 tecken)"),
                              twips_rect(0, 120, 4665, 360));
  heading->setFont(sans_font(kHeadingPointSize, true));
  heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  identity_field_ = add_field(this, "utdatafil", twips_rect(2760, 540, 1575, 375));
  identity_field_->setMaxLength(static_cast<int>(kIdentityLength));
  identity_field_->setFont(sans_font(kIdentityPointSize));

  QPushButton* ok =
      add_button(this, "Command1", QStringLiteral("OK"), twips_rect(2880, 1200, 1365, 375));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(identity_field_, ok);
  identity_field_->setFocus();
}

QString IdentityForm::calc_id() const {
  return identity_field_->text();
}

}  // namespace varmkalk
