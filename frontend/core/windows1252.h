#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace varmkalk {

// The engine's files are 8-bit Windows-1252 text.
QString decode_windows1252(QByteArrayView bytes);

// Nothing when the text holds a character that Windows-1252 cannot carry.
std::optional<QByteArray> encode_windows1252(QStringView text);

}  // namespace varmkalk
