// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace varmkalk {

// A push button whose caption breaks onto a second line when it is wider than the button (the
// menu's "Beräkna och visa resultat" in a narrow button), with a focus frame that shows on any
// background.
class CaptionButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace varmkalk
