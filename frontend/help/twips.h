// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

namespace varmkalk {

// Form geometry is designed in twips, 1440 to the inch; at 96 dpi 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value) {
  return (value + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QSize twips_size(int width, int height) {
  return {twips(width), twips(height)};
}

inline QRect twips_rect(int left, int top, int width, int height) {
  return {twips(left), twips(top), twips(width), twips(height)};
}

}  // namespace varmkalk
