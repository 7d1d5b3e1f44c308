// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace varmkalk {

// A file operation that failed, with a Swedish text for the user that names the file.
struct FileError {
  QString message;
};

}  // namespace varmkalk
