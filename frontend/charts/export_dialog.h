// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QAction;
class QHBoxLayout;
class QMenu;
class QWidget;

namespace varmkalk {

class Platform;

// Adds an item to an export menu, named `name` for the tests to find it.
QAction* add_action(QMenu& menu, const char* name, const QString& text);

// Ends a window's button row with "Exportera…", which opens `export_menu`, and "Stäng", which
// closes `window`, as Escape does.
void add_export_and_close(QWidget& window, QHBoxLayout& row, QMenu* export_menu);

// Asks for a file name in a save dialog titled `title`, offering `suggested_name`, and saves what
// `bytes` makes there whole (see save_export); a failure is told with a beep and a message.
// Nothing is made when the user cancels.
void save_export_as(Platform& platform, QWidget* parent, const QString& title,
                    const QString& suggested_name, const QString& filter,
                    const std::function<QByteArray()>& bytes);

}  // namespace varmkalk
