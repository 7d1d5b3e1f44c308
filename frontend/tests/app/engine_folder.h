// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileInfo>
#include <QString>

namespace varmkalk::testing {

// The folder of the engine the build made, for the tests given its path as VARMKALK_TEST_ENGINE.
inline QString engine_folder() {
  return QFileInfo(QStringLiteral(VARMKALK_TEST_ENGINE)).absolutePath();
}

}  // namespace varmkalk::testing
