// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>

class QScrollArea;
class QWidget;

namespace varmkalk {

// What the frame and the title bar take around a window's client area, which is what resize()
// sets; move() places the frame's corner.
inline constexpr QSize kWindowFrame{16, 48};

// A window whose controls stand at fixed places cannot shrink with the screen: on a screen too
// small for it, it scrolls instead. Moves the window's controls, in their tab order, onto a page
// of `layout_size` inside a scroll area that fills the window, and makes the window as large as
// the page where the free area of the screen allows (with room for the frame), else as large as
// that area, with scroll bars. The page is the window's object name with "_sida". A control that
// takes the focus is scrolled into view.
QScrollArea* scroll_fixed_layout(QWidget& window, QSize layout_size);

// Puts the window's frame at `place`, or as near to it as keeps the whole frame on the free
// area of the screen the window is on.
void place_on_screen(QWidget& window, QPoint place);

}  // namespace varmkalk
