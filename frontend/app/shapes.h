// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace varmkalk {

// A filled rectangle with a thin black border, drawn beneath the controls around it.
class ShapeWidget : public QWidget {
 public:
  ShapeWidget(const QColor& fill, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_;
};

// A straight line from one point of its parent to another, in the parent's pixels. It takes no
// mouse clicks, so the controls under it stay usable.
class LineWidget : public QWidget {
 public:
  LineWidget(QPoint from, QPoint to, int pen_width, QWidget* parent);

  QLine line() const { return line_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLine line_;
  int pen_width_;
};

}  // namespace varmkalk
