// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QObject;
class QWidget;

namespace varmkalk {

// Gives a window that is about to open the size it wants, but never more than fits on the
// screen it opens on (that of `near` when given, else the primary screen) with room for the
// window frame and the desktop's panels, and centres it there. Laptops at 1280×800, or at twice
// the scale, leave far less room than a desktop monitor.
void fit_to_screen(QWidget& window, QSize wanted, const QWidget* near = nullptr);

// Opens a window added to the forms (charts, comparisons, sweeps) in front, fitted to the screen
// of `near`. It is a top-level window of its own, so that a modal form blocks none of them, and
// is deleted with `owner` where there is one all the same, at the latest when the program's main
// menu goes.
void open_added_window(QWidget& window, QObject* owner, const QWidget* near);

}  // namespace varmkalk
