// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <string_view>

#include "core/text/windows1252.h"

namespace varmkalk {

// Bytes of the engine's files, decoded by the one Windows-1252 table of the core library.
inline QString from_windows1252(QByteArrayView bytes) {
  return QString::fromStdString(core::decode_windows1252(
      std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()))));
}

}  // namespace varmkalk
