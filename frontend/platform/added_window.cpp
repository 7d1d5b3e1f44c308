// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/platform/added_window.h"

#include "frontend/platform/fixed_layout_window.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace varmkalk {

namespace {

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
  const QSize room(std::max(1, available.width() - kWindowFrame.width()),
                   std::max(1, available.height() - kWindowFrame.height()));
  const QSize size = wanted.boundedTo(room).expandedTo(window.minimumSize());
  window.resize(size);
  // move() places the frame's corner.
  window.move(available.x() + (available.width() - size.width() - kWindowFrame.width()) / 2,
              available.y() + (available.height() - size.height() - kWindowFrame.height()) / 2);
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
