// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/caption_button.h"

#include <QPen>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace varmkalk {

namespace {

constexpr int kFocusInset = 4;

}  // namespace

void CaptionButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                       isEnabled(), caption, QPalette::ButtonText);
  // The style marks the focus in the highlight colour at the button's edge, which vanishes on the
  // forms' blue: a dotted frame inside the button, in the caption's colour, shows it.
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
  }
}

}  // namespace varmkalk
