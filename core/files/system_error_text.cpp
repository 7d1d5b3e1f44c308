// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/system_error_text.h"

#include <cerrno>
#include <cstring>

#include "core/files/platform.h"

namespace varmkalk::core {

std::string system_error_text(int error_number) {
  if (platform::quota_exceeded(error_number)) {
    return "diskkvoten är slut";
  }
  switch (error_number) {
    case ENOSPC:
      return "disken är full";
    case EFBIG:
      return "filen blir för stor";
    case EACCES:
    case EPERM:
      return "åtkomst nekas";
    case EROFS:
      return "skrivskyddat filsystem";
    case ENOENT:
      return "mappen finns inte";
    case EISDIR:
      return "det är en mapp";
    case EIO:
      return "in- eller utmatningsfel";
    case EMFILE:
    case ENFILE:
      return "för många öppna filer";
    default:
      return std::string("systemfel: ") + std::strerror(error_number);
  }
}

}  // namespace varmkalk::core
