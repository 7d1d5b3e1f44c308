// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/fixed_layout_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace varmkalk {

namespace {

// The free area of the screen the window is on, or of the primary screen before it has one.
QRect available_area(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The window's own controls in their tab order. A control's children move with it, in their own
// order; those of a compound control (a text box's scroll bars) need not follow it in the chain.
QList<QWidget*> controls_in_tab_order(QWidget& window) {
  QList<QWidget*> controls;
  for (QWidget* next = window.nextInFocusChain(); next != &window;
       next = next->nextInFocusChain()) {
    if (next->parentWidget() == &window && !next->isWindow()) {
      controls.append(next);
    }
  }
  return controls;
}

}  // namespace

QScrollArea* scroll_fixed_layout(QWidget& window, QSize layout_size) {
  // Controls that overlap lie in the order they were made; the tab order may differ from it.
  QList<QWidget*> stacked;
  for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!control->isWindow()) {
      stacked.append(control);
    }
  }
  auto* page = new QWidget;
  page->setObjectName(window.objectName() + QStringLiteral("_sida"));
  page->setFixedSize(layout_size);
  // A control moved keeps its place in the tab order among those moved before it.
  for (QWidget* control : controls_in_tab_order(window)) {
    control->setParent(page);
  }
  for (QWidget* control : stacked) {
    control->raise();
  }

  auto* area = new QScrollArea(&window);
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);
  area->viewport()->setBackgroundRole(QPalette::Window);
  area->setWidget(page);

  QSize size = layout_size;
  const QRect available = available_area(window);
  if (available.isValid()) {
    const QSize room(std::max(1, available.width() - kWindowFrame.width()),
                     std::max(1, available.height() - kWindowFrame.height()));
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    // A scroll bar one way takes room the other way, which may call for the other bar too.
    bool tall = size.height() > room.height();
    bool wide = size.width() > room.width();
    for (int pass = 0; pass < 2; ++pass) {
      if (tall) {
        size.setWidth(layout_size.width() + bar);
      }
      if (wide) {
        size.setHeight(layout_size.height() + bar);
      }
      tall = size.height() > room.height();
      wide = size.width() > room.width();
    }
    size = size.boundedTo(room);
  }
  window.setFixedSize(size);
  area->setGeometry(0, 0, size.width(), size.height());

  QObject::connect(qApp, &QApplication::focusChanged, area, [area, page](QWidget*, QWidget* now) {
    if (now != nullptr && page->isAncestorOf(now)) {
      area->ensureWidgetVisible(now);
    }
  });
  return area;
}

void place_on_screen(QWidget& window, QPoint place) {
  const QRect available = available_area(window);
  if (!available.isValid()) {
    window.move(place);
    return;
  }
  const QSize frame = window.size() + kWindowFrame;
  const int x = std::clamp(place.x(), available.left(),
                           std::max(available.left(), available.right() + 1 - frame.width()));
  const int y = std::clamp(place.y(), available.top(),
                           std::max(available.top(), available.bottom() + 1 - frame.height()));
  window.move(x, y);
}

}  // namespace varmkalk
