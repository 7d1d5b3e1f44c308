#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace varmkalk {

// The forms are designed in twips, 1/1440 inch: 15 twips make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value_twips) {
  return (value_twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A control's place as the design gives it: left, top, width, height.
constexpr QRect twips_rect(int left, int top, int width, int height) {
  return {twips(left), twips(top), twips(width), twips(height)};
}

constexpr QPoint twips_point(int x, int y) {
  return {twips(x), twips(y)};
}

constexpr QSize twips_size(int width, int height) {
  return {twips(width), twips(height)};
}

}  // namespace varmkalk
