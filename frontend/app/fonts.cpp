// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/app/fonts.h"

namespace varmkalk {

QFont copperplate_font(double point_size, int weight) {
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setStyleHint(QFont::Serif);
  font.setCapitalization(QFont::SmallCaps);
  font.setPointSizeF(point_size);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

QFont sans_font(double point_size, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(point_size);
  font.setBold(bold);
  return font;
}

QFont fixed_font(double point_size) {
  // Named, not the system's fixed font: that may resolve to a font (Noto Sans Mono) whose
  // Swedish letters or punctuation are not exactly as wide as its digits.
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSizeF(point_size);
  return font;
}

}  // namespace varmkalk
