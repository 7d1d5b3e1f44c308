// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/shapes.h"

#include <QPainter>
#include <QPen>

namespace varmkalk {

ShapeWidget::ShapeWidget(const QColor& fill, QWidget* parent) : QWidget(parent), fill_(fill) {}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(fill_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineWidget::LineWidget(QPoint from, QPoint to, int pen_width, QWidget* parent)
    : QWidget(parent), line_(from, to), pen_width_(pen_width) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const int margin = pen_width;
  setGeometry(QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin));
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, pen_width_, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(line_.translated(-pos()));
}

}  // namespace varmkalk
