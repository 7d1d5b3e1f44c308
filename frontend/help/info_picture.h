// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace varmkalk {

// The information picture of the help dialogs and the program's icon: a white letter i on a
// dark-blue disc, drawn rather than shipped as an image file.
QPixmap info_picture(int size_px = 32);

}  // namespace varmkalk
