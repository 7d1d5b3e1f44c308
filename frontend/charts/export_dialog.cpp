// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/charts/export_dialog.h"

#include "frontend/charts/chart_export.h"
#include "frontend/platform/platform.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace varmkalk {

QAction* add_action(QMenu& menu, const char* name, const QString& text) {
  QAction* action = menu.addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void add_export_and_close(QWidget& window, QHBoxLayout& row, QMenu* export_menu) {
  auto* export_button =
      new QPushButton(QCoreApplication::translate("ExportDialog", "&Exportera…"), &window);
  export_button->setObjectName(QStringLiteral("export"));
  export_button->setMenu(export_menu);
  auto* close_button =
      new QPushButton(QCoreApplication::translate("ExportDialog", "&Stäng"), &window);
  close_button->setObjectName(QStringLiteral("close"));
  QObject::connect(close_button, &QPushButton::clicked, &window, &QWidget::close);
  // Escape closes the window, as it closes a dialog.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
  QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
  row.addWidget(export_button);
  row.addWidget(close_button);
}

void save_export_as(Platform& platform, QWidget* parent, const QString& title,
                    const QString& suggested_name, const QString& filter,
                    const std::function<QByteArray()>& bytes) {
  const QString path = platform.save_file_name(parent, title, suggested_name, filter);
  if (path.isEmpty()) {
    return;
  }
  if (const std::optional<FileError> error = save_export(path, bytes())) {
    platform.beep();
    platform.message_box(parent, title, error->message, MessageIcon::Exclamation);
  }
}

}  // namespace varmkalk
