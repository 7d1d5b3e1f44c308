// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/added_window.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace varmkalk {

namespace {

// What the frame and the title bar take around the client area, which is what resize() sets.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

void delete_with(QWidget& window, QObject& owner) {
  QObject::connect(&owner, &QObject::destroyed, &window, [&window] { delete &window; });
}

}  // namespace

void fit_to_screen(QWidget& window, QSize wanted, const QWidget* near) {
  const QScreen* screen = near != nullptr ? near->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    window.resize(wanted);
    return;
  }
  const QRect available = screen->availableGeometry();
  const QSize room(std::max(1, available.width() - kFrameWidth),
                   std::max(1, available.height() - kFrameHeight));
  const QSize size = wanted.boundedTo(room).expandedTo(window.minimumSize());
  window.resize(size);
  // move() places the frame's corner.
  window.move(available.x() + (available.width() - size.width() - kFrameWidth) / 2,
              available.y() + (available.height() - size.height() - kFrameHeight) / 2);
}

void open_added_window(QWidget& window, QObject* owner, const QWidget* near) {
  if (owner != nullptr) {
    delete_with(window, *owner);
  }
  fit_to_screen(window, window.size(), near);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace varmkalk
