// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/dialog_buttons.h"

#include "frontend/help/help_dialogs.h"
#include "frontend/platform/platform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <utility>

namespace varmkalk {

QDialogButtonBox* add_dialog_buttons(QDialog& dialog, Platform& platform, const QString& help,
                                     const QString& help_button, std::function<void()> take,
                                     std::function<void()> defaults) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  auto* reset = buttons->addButton(QCoreApplication::translate("DialogButtons", "Standardvärden"),
                                   QDialogButtonBox::ResetRole);
  auto* help_dialog = buttons->addButton(QCoreApplication::translate("DialogButtons", "Hjälp"),
                                         QDialogButtonBox::HelpRole);
  buttons->button(QDialogButtonBox::Cancel)
      ->setText(QCoreApplication::translate("DialogButtons", "Avbryt"));
  reset->setObjectName(QStringLiteral("standardvarden"));
  help_dialog->setObjectName(help_button);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, std::move(take));
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(reset, &QPushButton::clicked, &dialog, std::move(defaults));
  QObject::connect(help_dialog, &QPushButton::clicked, &dialog, [&dialog, &platform, help] {
    if (QDialog* shown = create_help_dialog(help, &dialog)) {
      platform.show_modal(*shown);
    }
  });
  return buttons;
}

}  // namespace varmkalk
